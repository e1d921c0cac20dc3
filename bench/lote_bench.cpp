// The schedule command on generated schedules: sizing 10,000 rows, in trees four levels
// deep with a source of fault current, to CSV beside the floor of the same run without sizing
// (reading, parsing and writing alone), alternated round after round in one process; the whole
// command's wall time; and its peak resident memory for 1,000 and 100,000 rows, to CSV and to
// .xlsx, and with a tree.
#include "schedule_command/lote.h"

#include "schedule/csv_reader.h"
#include "schedule/result_cells.h"
#include "schedule/replace_file.h"
#include "schedule/writers.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// A schedule like a designer's: both systems, both materials, the three conduits, some
// parallel sets and given sizes, saved as a Spanish-language spreadsheet saves it. With
// `arbol`, the feeders form trees four levels deep: each fourth one fed from the service,
// the next three each from the one before it. With `corto`, a source of fault current runs
// down them: every system at 480 V, and every third device with a given interrupting rating.
void Generar(const fs::path& archivo, int filas, bool arbol, bool corto = false) {
    std::mt19937 azar(20261207);
    std::ofstream f(archivo, std::ios::binary);
    f << "circuito;descripcion;sistema;conductor;ducto;corriente;voltaje;fp;longitud;"
         "regulacion_max;paralelo;temperatura_ambiente;conductores_ducto;calibre"
      << (arbol ? ";alimentado_desde" : "") << (corto ? ";capacidad_interruptiva" : "") << "\r\n";
    const char* sistemas[] = {"Trifásico", "Monofásico"};
    const char* conductores[] = {"Cobre", "Aluminio"};
    const char* ductos[] = {"PVC", "Aluminio", "Acero"};
    const char* calibres[] = {"", "", "", "", "8", "2/0", "250"};
    for (int i = 1; i <= filas; ++i) {
        const bool tri = azar() % 3 != 0;
        const int paralelo = azar() % 10 == 0 ? 2 : 1;
        f << "AL-" << i << ";Alimentador " << i << ";" << sistemas[tri ? 0 : 1] << ";"
          << conductores[azar() % 2] << ";" << ductos[azar() % 3] << ";" << 5 + azar() % 400 << ","
          << azar() % 10 << ";" << (tri || corto ? "480" : "220") << ";0," << 80 + azar() % 20
          << ";" << 5 + azar() % 150 << ";3;" << paralelo << ";" << 25 + azar() % 20 << ";"
          << 3 * paralelo << ";" << (paralelo > 1 ? "" : calibres[azar() % 7]);
        if (arbol) {
            f << ";" << (i % 4 == 1 ? "" : "AL-" + std::to_string(i - 1));
        }
        if (corto) {
            f << ";" << (i % 3 == 0 ? "22" : "");
        }
        f << "\r\n";
    }
}

// The floor: what the command does but size, through the same library. The tables are
// read; the file is read through for its decimal mark, then again row by row, each row
// read and written back with empty results beside the destination, put on the disk and
// renamed over it.
void Piso(const fs::path& entrada, const fs::path& salida, const fs::path& tablas) {
    engine::LeerTablas(tablas);
    std::ifstream archivo(entrada, std::ios::binary);
    auto lector =
        std::get<std::unique_ptr<schedule::LectorCsv>>(schedule::LectorCsv::Abrir(archivo));
    std::vector<std::string> celdas;
    lector->Siguiente(celdas);
    const auto e = std::get<schedule::Encabezado>(schedule::LeerEncabezado(celdas));
    schedule::DecisionMarca decision;
    while (lector->Siguiente(celdas)) {
        schedule::ContarMarcas(celdas, e, decision);
    }
    const schedule::MarcaDecimal marca =
        decision.Decidir(schedule::MarcaPorDelimitador(lector->delimitador()));
    archivo.clear();
    archivo.seekg(0);
    lector = std::get<std::unique_ptr<schedule::LectorCsv>>(schedule::LectorCsv::Abrir(archivo));
    lector->Siguiente(celdas);
    schedule::ArchivoTemporal temporal(salida);
    std::ofstream escrito(temporal.ruta(), std::ios::binary);
    schedule::EscritorCsv csv(escrito, lector->delimitador());
    std::vector<schedule::Celda> titulos;
    for (const std::string& nombre : e.nombres) {
        titulos.push_back({nombre, std::nullopt, {}});
    }
    csv.Fila(titulos);
    while (lector->Siguiente(celdas)) {
        const schedule::FilaLeida fila = schedule::LeerFila(celdas, e, marca);
        csv.Fila(schedule::CeldasDeSalida(celdas, e, marca, fila, std::nullopt, {}));
    }
    escrito.close();
    temporal.Confirmar();
}

double Mediana(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

struct Corrida {
    double segundos;
    double mib;
};

// The real command, as a user runs it.
Corrida Comando(const std::string& programa, const fs::path& entrada, const fs::path& salida) {
    const auto inicio = std::chrono::steady_clock::now();
    const pid_t hijo = fork();
    if (hijo == 0) {
        freopen("/dev/null", "w", stderr); // the command's notes on the rows are not measured
        execl(programa.c_str(), programa.c_str(), entrada.c_str(), "-o", salida.c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    int estado = 0;
    rusage uso{};
    wait4(hijo, &estado, 0, &uso);
    const std::chrono::duration<double> tiempo = std::chrono::steady_clock::now() - inicio;
    return {tiempo.count(), static_cast<double>(uso.ru_maxrss) / 1024};
}

} // namespace

int main(int argc, char** argv) {
    const int rondas = argc > 1 ? std::atoi(argv[1]) : 15;
    const fs::path bin = fs::canonical("/proc/self/exe").parent_path();
    const std::string programa = (bin / "calculador-caidas-lote").string();
    const fs::path carpeta = fs::temp_directory_path() / ("lote_bench_" + std::to_string(getpid()));
    fs::create_directories(carpeta);
    for (int filas : {1000, 100000}) {
        Generar(carpeta / (std::to_string(filas) + ".csv"), filas, false);
        Generar(carpeta / (std::to_string(filas) + "-arbol.csv"), filas, true);
    }
    Generar(carpeta / "10000.csv", 10000, true, true);

    // Measured first: a child forked later would count the pages this process has grown.
    std::printf("Memoria residente máxima del comando\n");
    for (const char* extension : {"csv", "xlsx"}) {
        const Corrida mil =
            Comando(programa, carpeta / "1000.csv", carpeta / (std::string("m.") + extension));
        const Corrida cienMil =
            Comando(programa, carpeta / "100000.csv", carpeta / (std::string("c.") + extension));
        std::printf("  %-4s 1 000 filas: %6.1f MiB   100 000 filas: %6.1f MiB   razón: %.3f  "
                    "(%.1f s)\n",
                    extension, mil.mib, cienMil.mib, cienMil.mib / mil.mib, cienMil.segundos);
    }
    // A tree keeps its rows until the last is read: its memory grows with them.
    const Corrida mil = Comando(programa, carpeta / "1000-arbol.csv", carpeta / "m.csv");
    const Corrida cienMil = Comando(programa, carpeta / "100000-arbol.csv", carpeta / "c.csv");
    std::printf("  con árbol, csv: 1 000 filas: %6.1f MiB   100 000 filas: %6.1f MiB\n", mil.mib,
                cienMil.mib);
    // The source: a 1500 kVA, 5.75 %Z transformer at 480 V, and 100 A of motors.
    lote::Opciones o{carpeta / "10000.csv",
                     carpeta / "salida.csv",
                     bin,
                     std::nullopt,
                     {{"kva_fuente", "1500"},
                      {"z_fuente", "5.75"},
                      {"fases_fuente", "3"},
                      {"voltaje_fuente", "480"},
                      {"corriente_motores", "100"}}};
    std::vector<double> dimensionando, piso, comando;
    std::ostringstream nada;
    for (int r = 0; r < rondas; ++r) {
        for (const bool conDimensionado : {true, false}) {
            const auto inicio = std::chrono::steady_clock::now();
            if (conDimensionado) {
                lote::Ejecutar(o, nada, nada);
            } else {
                Piso(o.entrada, *o.salida, o.tablas);
            }
            const std::chrono::duration<double> t = std::chrono::steady_clock::now() - inicio;
            (conDimensionado ? dimensionando : piso).push_back(t.count() * 1000);
        }
        comando.push_back(Comando(programa, o.entrada, carpeta / "comando.csv").segundos * 1000);
    }
    std::printf("10 000 filas a CSV, en árboles de 4 niveles, con fuente de cortocircuito "
                "(mediana de %d rondas)\n",
                rondas);
    std::printf("  dimensionando: %8.1f ms\n  piso:          %8.1f ms\n  razón:         %8.2f\n",
                Mediana(dimensionando), Mediana(piso), Mediana(dimensionando) / Mediana(piso));
    std::printf("  comando entero: %7.1f ms\n", Mediana(comando));

    fs::remove_all(carpeta);
    return 0;
}
