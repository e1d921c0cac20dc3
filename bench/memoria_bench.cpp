// The calculation record of a generated 5,000-row schedule with a tree of feeders, exported
// to PDF from the schedule window on the offscreen platform: the total time (aim: under
// 15 s), the longest the window goes without answering its event loop (aim: under 100 ms),
// and the process's peak memory (aim: under 100 MiB). Arguments: the rows, and a PDF to
// keep.
#include "schedule_window/schedule_window.h"
#include "event_loop_silence.h"

#include <QApplication>
#include <QElapsedTimer>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace {

// Panels fed from one another, ten to a branch, with the inputs the whole feeder takes.
void Generar(const std::filesystem::path& archivo, int filas) {
    std::mt19937 azar(11);
    std::ofstream f(archivo, std::ios::binary);
    f << "circuito;descripcion;sistema;conductor;ducto;corriente;voltaje;fp;longitud;"
         "aislamiento;alimentado_desde\r\n";
    const char* ductos[] = {"PVC", "Aluminio", "Acero"};
    const char* aislamientos[] = {"THW", "THHN", "XHHW-2"};
    for (int i = 1; i <= filas; ++i) {
        f << "T-" << i << ";Tablero número " << i << ";"
          << (azar() % 4 ? "Trifásico" : "Monofásico") << ";" << (azar() % 2 ? "Cobre" : "Aluminio")
          << ";" << ductos[azar() % 3] << ";" << 5 + azar() % 300 << ",5;480;0,9;"
          << 5 + azar() % 120 << ";" << aislamientos[azar() % 3] << ";"
          << (i % 10 == 1 ? std::string() : "T-" + std::to_string(i - 1)) << "\r\n";
    }
}

long PicoKiB() {
    std::ifstream estado("/proc/self/status");
    std::string linea;
    while (std::getline(estado, linea)) {
        if (linea.rfind("VmHWM:", 0) == 0) {
            return std::stol(linea.substr(6));
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication aplicacion(argc, argv);
    const int filas = argc > 1 ? std::atoi(argv[1]) : 5000;
    const auto bin = std::filesystem::canonical("/proc/self/exe").parent_path();
    const auto carpeta = std::filesystem::temp_directory_path();
    const auto archivo = carpeta / ("memoria_bench_" + std::to_string(getpid()) + ".csv");
    const auto pdf = argc > 2 ? std::filesystem::path(argv[2])
                              : carpeta / ("memoria_bench_" + std::to_string(getpid()) + ".pdf");
    Generar(archivo, filas);
    VentanaAlimentadores ventana(QString::fromStdString(bin.string()));
    ventana.show();
    ventana.Abrir(QString::fromStdString(archivo.string()));
    QApplication::processEvents();
    const long antes = PicoKiB();

    QElapsedTimer total;
    total.start();
    bool escrito = false;
    const qint64 mayor =
        MayorSilencio([&] { escrito = ventana.ExportarPdf(QString::fromStdString(pdf.string())); });
    const qint64 ms = total.elapsed();
    std::printf("memoria de %d alimentadores en PDF (%s): %.1f s en total, la ventana sin "
                "responder a lo más %lld ms, memoria pico %.1f MiB (%.1f MiB antes)\n",
                filas, escrito ? "escrita" : "FALLÓ", static_cast<double>(ms) / 1000,
                static_cast<long long>(mayor), static_cast<double>(PicoKiB()) / 1024,
                static_cast<double>(antes) / 1024);
    ventana.modelo().pila().setClean();
    std::filesystem::remove(archivo);
    if (argc <= 2) {
        std::filesystem::remove(pdf);
    }
    return escrito ? 0 : 1;
}
