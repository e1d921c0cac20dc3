#include "schedule/project_file.h"

#include "engine/raceways.h"
#include "schedule/csv_file.h"
#include "tests/engine/tablas_de_prueba.h"

#include <gtest/gtest.h>

#include <sqlite3.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

namespace fs = std::filesystem;
using namespace schedule;

namespace {

struct Carpeta {
    fs::path ruta = fs::temp_directory_path() / ("proyecto_" + std::to_string(getpid()));
    Carpeta() { fs::create_directories(ruta); }
    ~Carpeta() { fs::remove_all(ruta); }
    std::vector<std::string> Archivos() const {
        std::vector<std::string> nombres;
        for (const auto& a : fs::directory_iterator(ruta)) {
            nombres.push_back(a.path().filename().string());
        }
        std::sort(nombres.begin(), nombres.end());
        return nombres;
    }
};

std::string Bytes(const fs::path& archivo) {
    std::ifstream f(archivo, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

// The Spanish Excel file of the CSV tests, with its project's data and a refused cell.
Cuadro Ejemplo() {
    std::ifstream entrada(FIXTURES "/excel_es.csv", std::ios::binary);
    Cuadro c = std::get<Cuadro>(LeerCuadro(entrada));
    // The source of the fault current travels with the project, as typed.
    c.proyecto = {"Torre Norte",
                  "Ing. Pérez",
                  "1234567",
                  "Ing. Ruiz",
                  "B",
                  "2026-12-07",
                  "NOM-001-SEDE-2012",
                  "4.5",
                  "300",
                  "2",
                  "3",
                  "208",
                  "no",
                  "25.5",
                  "13200",
                  "",
                  "120"};
    PonerCelda(c.filas[0], Columna::Fp, "0.9", {Marca::Coma, false});
    return c;
}

void Sql(const fs::path& archivo, const std::string& sql) {
    sqlite3* base = nullptr;
    sqlite3_open(archivo.c_str(), &base);
    sqlite3_exec(base, sql.c_str(), nullptr, nullptr, nullptr);
    sqlite3_close(base);
}

} // namespace

// Saved, opened and saved again: the same file, byte for byte, and the same schedule: the
// project's data, each input, the refused cell with its reason, the other columns in place.
TEST(Proyecto, SavedOpenedAndSavedIsTheSameFile) {
    Carpeta c;
    const Cuadro original = Ejemplo();
    ASSERT_EQ(GuardarProyecto(original, c.ruta / "a.alim"), std::nullopt);
    const auto leido = LeerProyecto(c.ruta / "a.alim");
    ASSERT_TRUE(std::holds_alternative<Cuadro>(leido)) << std::get<std::string>(leido);
    const Cuadro& p = std::get<Cuadro>(leido);
    EXPECT_EQ(p.proyecto, original.proyecto);
    EXPECT_EQ(p.otras, original.otras);
    ASSERT_EQ(p.filas.size(), original.filas.size());
    for (std::size_t f = 0; f < p.filas.size(); ++f) {
        EXPECT_EQ(p.filas[f].entradas, original.filas[f].entradas) << f;
        EXPECT_EQ(p.filas[f].errores, original.filas[f].errores) << f;
        EXPECT_EQ(p.filas[f].otras, original.filas[f].otras) << f;
    }
    EXPECT_EQ(p.columnas[1].titulo, "Descripción");
    EXPECT_EQ(p.columnas[8].titulo, "Nota del cliente");
    ASSERT_EQ(GuardarProyecto(p, c.ruta / "b.alim"), std::nullopt);
    EXPECT_EQ(Bytes(c.ruta / "a.alim"), Bytes(c.ruta / "b.alim"));
}

// A save that fails midway leaves the old file whole, and no other file.
TEST(Proyecto, ASaveStoppedMidwayLeavesTheOldFile) {
    Carpeta c;
    Cuadro grande = Ejemplo();
    for (int i = 0; i < 2000; ++i) {
        grande.filas.push_back(grande.filas[1]);
    }
    ASSERT_EQ(GuardarProyecto(Ejemplo(), c.ruta / "p.alim"), std::nullopt);
    const std::string antes = Bytes(c.ruta / "p.alim");
    const auto error = GuardarProyecto(
        grande, c.ruta / "p.alim", [](std::size_t hechas, std::size_t) { return hechas < 1000; });
    EXPECT_EQ(error, "se detuvo");
    EXPECT_EQ(Bytes(c.ruta / "p.alim"), antes);
    EXPECT_EQ(c.Archivos(), std::vector<std::string>{"p.alim"});
}

// A newer schema, another program's SQLite file, a damaged file, a missing one: each is
// told, and nothing is changed or created.
TEST(Proyecto, FilesThatAreNoProjectAreRefused) {
    Carpeta c;
    ASSERT_EQ(GuardarProyecto(Ejemplo(), c.ruta / "nuevo.alim"), std::nullopt);
    Sql(c.ruta / "nuevo.alim", "PRAGMA user_version = " + std::to_string(VersionEsquema + 1));
    Sql(c.ruta / "ajeno.alim", "CREATE TABLE t (x); PRAGMA application_id = 42;");
    Sql(c.ruta / "sin_id.alim", "CREATE TABLE alimentadores (x);");
    fs::copy_file(c.ruta / "nuevo.alim", c.ruta / "truncado.alim");
    fs::resize_file(c.ruta / "truncado.alim", 1000);
    std::ofstream(c.ruta / "texto.alim") << "circuito;sistema\n";
    const std::vector<std::string> antes = c.Archivos();
    const std::pair<const char*, std::string> casos[] = {
        {"nuevo.alim", "es de la versión " + std::to_string(VersionEsquema + 1) +
                           " del formato de proyecto, y este programa lee hasta la versión " +
                           std::to_string(VersionEsquema)},
        {"ajeno.alim", "no es un proyecto de alimentadores"},
        {"sin_id.alim", "no es un proyecto de alimentadores"},
        {"truncado.alim", "está dañado o no es un proyecto de alimentadores"},
        {"texto.alim", "está dañado o no es un proyecto de alimentadores"},
        {"falta.alim", "no existe o no es un archivo"},
    };
    for (const auto& [archivo, mensaje] : casos) {
        const auto leido = LeerProyecto(c.ruta / archivo);
        ASSERT_TRUE(std::holds_alternative<std::string>(leido)) << archivo;
        EXPECT_TRUE(std::get<std::string>(leido).starts_with(mensaje))
            << archivo << ": " << std::get<std::string>(leido);
    }
    EXPECT_EQ(c.Archivos(), antes);
}

// A project of the second schema, written by version 1.1.0, before the neutral, the
// conduit and the tree: its inputs as they were, its new ones empty for their defaults
// (the conduit its `ducto` names, the total limit 5 %); saved, a file of this schema.
TEST(Proyecto, AFileOfTheSecondSchemaIsReadAndUpgradedWhenSaved) {
    Carpeta c;
    const fs::path v2 = fs::path(FIXTURES) / "proyecto_v2.alim";
    const std::string antes = Bytes(v2);
    const auto leido = LeerProyecto(v2);
    ASSERT_TRUE(std::holds_alternative<Cuadro>(leido)) << std::get<std::string>(leido);
    const Cuadro& p = std::get<Cuadro>(leido);
    EXPECT_EQ(Bytes(v2), antes);
    EXPECT_EQ(p.proyecto.norma, "NOM-001-SEDE-2012");
    EXPECT_EQ(RegulacionTotalDe(p.proyecto), 5);
    ASSERT_EQ(p.filas.size(), 3u);
    const auto celda = [&](std::size_t f, Columna col) {
        return p.filas[f].entradas[static_cast<std::size_t>(col)];
    };
    EXPECT_EQ(celda(1, Columna::PotenciaKw), "50");
    EXPECT_EQ(celda(1, Columna::Proteccion), "100");
    EXPECT_EQ(celda(0, Columna::Ducto), "EMT");
    for (const Cuadro::Fila& f : p.filas) {
        for (std::size_t col = static_cast<std::size_t>(Columna::Neutro); col < Columnas.size();
             ++col) {
            EXPECT_EQ(f.entradas[col], "") << Columnas[col].nombre;
        }
    }
    // The EMT of its conduit is the conduit of the whole feeder.
    const FilaDimensionada d = DimensionarFila(p.filas[0], Tablas(), std::nullopt, {});
    ASSERT_TRUE(d.dimensionado && d.dimensionado->conjunto);
    EXPECT_EQ(engine::Tubos[d.dimensionado->conjunto->tubo].nombre, "EMT");

    Cuadro conLimite = p;
    conLimite.proyecto.regulacionTotal = "4";
    ASSERT_EQ(GuardarProyecto(conLimite, c.ruta / "v3.alim"), std::nullopt);
    const Cuadro otra = std::get<Cuadro>(LeerProyecto(c.ruta / "v3.alim"));
    EXPECT_EQ(otra.proyecto, conLimite.proyecto);
    EXPECT_EQ(RegulacionTotalDe(otra.proyecto), 4);
    EXPECT_EQ(otra.filas.size(), 3u);
}

// A project of the first schema, before the load by power, the insulation and the device:
// read as it was, every new input empty for its default and the code edition the default;
// saved, it is a file of this schema that reads back the same. Reading never writes it.
TEST(Proyecto, AFileOfTheFirstSchemaIsReadAndUpgradedWhenSaved) {
    Carpeta c;
    const fs::path v1 = fs::path(FIXTURES) / "proyecto_v1.alim";
    const std::string antes = Bytes(v1);
    const auto leido = LeerProyecto(v1);
    ASSERT_TRUE(std::holds_alternative<Cuadro>(leido)) << std::get<std::string>(leido);
    const Cuadro& p = std::get<Cuadro>(leido);
    EXPECT_EQ(Bytes(v1), antes);
    EXPECT_EQ(p.proyecto.nombre, "Torre Norte");
    EXPECT_EQ(p.proyecto.norma, "");
    EXPECT_EQ(NormaDe(p.proyecto), engine::Norma::Nec2023);
    ASSERT_EQ(p.filas.size(), 4u);
    EXPECT_EQ(p.filas[1].entradas[static_cast<std::size_t>(Columna::Corriente)], "95");
    EXPECT_EQ(p.filas[3].entradas[static_cast<std::size_t>(Columna::Fp)], "0.85");
    for (const Cuadro::Fila& f : p.filas) {
        for (std::size_t col = static_cast<std::size_t>(Columna::PotenciaKw); col < Columnas.size();
             ++col) {
            EXPECT_EQ(f.entradas[col], "") << Columnas[col].nombre;
        }
    }
    EXPECT_EQ(p.columnas[1].titulo, "Descripción");
    EXPECT_EQ(p.columnas[8].titulo, "Nota del cliente");

    Cuadro conNorma = p;
    conNorma.proyecto.norma = "NOM-001-SEDE-2012";
    ASSERT_EQ(GuardarProyecto(conNorma, c.ruta / "v2.alim"), std::nullopt);
    sqlite3* base = nullptr;
    sqlite3_open_v2((c.ruta / "v2.alim").c_str(), &base, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* consulta = nullptr;
    sqlite3_prepare_v2(base,
                       "SELECT (SELECT user_version FROM pragma_user_version), "
                       "(SELECT count(*) FROM pragma_table_info('alimentadores') WHERE "
                       "name IN ('potencia_kw', 'proteccion'))",
                       -1, &consulta, nullptr);
    ASSERT_EQ(sqlite3_step(consulta), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(consulta, 0), VersionEsquema);
    EXPECT_EQ(sqlite3_column_int(consulta, 1), 2);
    sqlite3_finalize(consulta);
    sqlite3_close(base);
    const Cuadro otra = std::get<Cuadro>(LeerProyecto(c.ruta / "v2.alim"));
    EXPECT_EQ(otra.proyecto, conNorma.proyecto);
    for (std::size_t f = 0; f < otra.filas.size(); ++f) {
        EXPECT_EQ(otra.filas[f].entradas, p.filas[f].entradas) << f;
    }
}
