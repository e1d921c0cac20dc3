// One whole calculation beside the bare cost of the file access it cannot avoid: opening
// the table read-only and reading one row.
#include "engine/calcular.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <string>

namespace {

const std::filesystem::path Tablas{CARPETA_TABLAS};

void BM_CalcularCompleto(benchmark::State& state) {
    engine::Entrada entrada;
    entrada.Text1 = "100";
    entrada.Text2 = "30";
    entrada.Text3 = "240";
    entrada.Text5 = "0.85";
    entrada.Text6 = "5";
    entrada.carpetaTablas = Tablas;
    for (auto _ : state) {
        benchmark::DoNotOptimize(engine::Calcular(entrada));
    }
}
BENCHMARK(BM_CalcularCompleto);

void BM_LeerUnaFilaDeSQLite(benchmark::State& state) {
    const std::string archivo = (Tablas / "Cobre.sqlite").string();
    for (auto _ : state) {
        sqlite3* base = nullptr;
        sqlite3_open_v2(archivo.c_str(), &base, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt* consulta = nullptr;
        sqlite3_prepare_v2(base, "SELECT * FROM cablesCobre ORDER BY rowid LIMIT 1 OFFSET 3", -1,
                           &consulta, nullptr);
        sqlite3_step(consulta);
        benchmark::DoNotOptimize(sqlite3_column_double(consulta, 3));
        sqlite3_finalize(consulta);
        sqlite3_close(base);
    }
}
BENCHMARK(BM_LeerUnaFilaDeSQLite);

} // namespace

BENCHMARK_MAIN();
