// Opening and saving a schedule of 5,000 feeders as a project file (.alim) and as a workbook
// (.xlsx), each beside the CSV of the same rows (aim: at most 2x the CSV). Median of rounds.
#include "schedule/csv_file.h"
#include "schedule/project_file.h"
#include "schedule/replace_file.h"
#include "schedule/writers.h"
#include "schedule/workbook.h"
#include "schedule/xlsx_reader.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>

namespace {

namespace fs = std::filesystem;

// A schedule as a Spanish spreadsheet saves it, with an extra column.
std::string Csv(int filas) {
    std::mt19937 azar(20261207);
    std::ostringstream f;
    f << "Circuito;Descripción;Sistema;Conductor;Ducto;Corriente;Voltaje;FP;Longitud;"
         "Regulación máx\r\n";
    for (int i = 1; i <= filas; ++i) {
        f << "AL-" << i << ";Tablero " << i << ";Trifásico;" << (azar() % 2 ? "Cobre" : "Aluminio")
          << ";PVC;" << 5 + azar() % 400 << "," << azar() % 10 << ";480;0," << 80 + azar() % 20
          << ";" << 5 + azar() % 150 << ";3\r\n";
    }
    return f.str();
}

double Milisegundos(const std::function<void()>& paso) {
    const auto inicio = std::chrono::steady_clock::now();
    paso();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - inicio)
        .count();
}

double Mediana(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    const int rondas = argc > 1 ? std::atoi(argv[1]) : 9;
    const fs::path carpeta =
        fs::temp_directory_path() / ("archivos_bench_" + std::to_string(getpid()));
    fs::create_directories(carpeta);
    const fs::path tablas = fs::canonical("/proc/self/exe").parent_path();
    const auto conductores = std::get<engine::TablasConductores>(engine::LeerTablas(tablas));
    std::ofstream(carpeta / "a.csv", std::ios::binary) << Csv(5000);
    std::ifstream entrada(carpeta / "a.csv", std::ios::binary);
    const schedule::Cuadro cuadro = std::get<schedule::Cuadro>(schedule::LeerCuadro(entrada));
    schedule::GuardarProyecto(cuadro, carpeta / "a.alim");
    // The same cells in a workbook: numbers as numbers, the rest as text.
    {
        auto libro = schedule::EscritorXlsx::Abrir(carpeta / "a.xlsx");
        const auto columnas = schedule::Disposicion(cuadro);
        std::vector<std::string> titulos;
        for (const auto& col : columnas) {
            titulos.push_back(col.titulo);
        }
        const auto e = std::get<schedule::Encabezado>(schedule::LeerEncabezado(titulos));
        libro->Encabezado(titulos);
        for (const auto& fila : cuadro.filas) {
            libro->Fila(schedule::CeldasDeEntrada(
                schedule::CeldasDelArchivo(cuadro, columnas, fila), e, cuadro.formato.marca));
        }
        libro->Terminar("", {}, {});
    }

    std::vector<double> abrirCsv, abrirAlim, abrirXlsx, guardarCsv, guardarAlim, exportarXlsx;
    for (int r = 0; r < rondas; ++r) {
        abrirCsv.push_back(Milisegundos([&] {
            std::ifstream f(carpeta / "a.csv", std::ios::binary);
            schedule::LeerCuadro(f);
        }));
        abrirAlim.push_back(Milisegundos([&] { schedule::LeerProyecto(carpeta / "a.alim"); }));
        abrirXlsx.push_back(Milisegundos([&] { schedule::LeerLibro(carpeta / "a.xlsx"); }));
    }
    // The saves put their files on the disk, which slows a read that follows them for a
    // while: they come after all the reads.
    for (int r = 0; r < rondas; ++r) {
        guardarCsv.push_back(Milisegundos([&] {
            // As the window saves it: beside the file, then renamed over it.
            schedule::ArchivoTemporal temporal(carpeta / "b.csv");
            {
                std::ofstream f(temporal.ruta(), std::ios::binary);
                schedule::EscribirCuadro(cuadro, f);
            }
            temporal.Confirmar();
        }));
        guardarAlim.push_back(
            Milisegundos([&] { schedule::GuardarProyecto(cuadro, carpeta / "b.alim"); }));
        exportarXlsx.push_back(Milisegundos([&] {
            schedule::ExportarLibro(cuadro, conductores, std::nullopt, carpeta / "b.xlsx");
        }));
    }
    const double csvAbrir = Mediana(abrirCsv), csvGuardar = Mediana(guardarCsv);
    std::printf("5 000 alimentadores (mediana de %d rondas)\n", rondas);
    std::printf("  abrir:   CSV %6.1f ms   .alim %6.1f ms (%.2f)   .xlsx %6.1f ms (%.2f)\n",
                csvAbrir, Mediana(abrirAlim), Mediana(abrirAlim) / csvAbrir, Mediana(abrirXlsx),
                Mediana(abrirXlsx) / csvAbrir);
    std::printf("  guardar: CSV %6.1f ms   .alim %6.1f ms (%.2f)\n", csvGuardar,
                Mediana(guardarAlim), Mediana(guardarAlim) / csvGuardar);
    std::printf("  exportar el libro .xlsx, con cada fila dimensionada: %6.1f ms\n",
                Mediana(exportarXlsx));
    fs::remove_all(carpeta);
    return 0;
}
