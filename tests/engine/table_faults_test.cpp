#include "engine/calcular.h"
#include "engine/report.h"

#include "tests/engine/table_files.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <set>

using namespace engine;

namespace {

std::set<std::filesystem::path> Archivos(const std::filesystem::path& carpeta) {
    std::set<std::filesystem::path> archivos;
    for (const auto& entrada : std::filesystem::directory_iterator(carpeta)) {
        archivos.insert(entrada.path());
    }
    return archivos;
}

// A copper table file in a folder of its own, damaged by each case in its own way.
class TableFaultsTest : public ::testing::Test {
public:
    void SetUp() override {
        std::filesystem::copy_file(std::filesystem::path(CARPETA_TABLAS) / "Cobre.sqlite", archivo);
        entrada.Text1 = "100";
        entrada.Text2 = "30";
        entrada.Text3 = "240";
        entrada.Text5 = "0.85";
        entrada.carpetaTablas = carpeta.ruta();
        entrada.indiceCalibre = 20;
    }

    // Calculates and checks what every fault must give: a message that names the file, no
    // line, the file's bytes unchanged and no new file beside it.
    std::string MensajeSinDanos() {
        const std::string antes =
            std::filesystem::is_regular_file(archivo) ? prueba::Contenido(archivo) : "";
        const auto archivosAntes = Archivos(carpeta.ruta());
        const Reporte reporte = Calcular(entrada);
        EXPECT_TRUE(reporte.lineas.empty());
        EXPECT_TRUE(reporte.aviso && reporte.aviso->tipo == Aviso::Tipo::ErrorDatos);
        const std::string texto = reporte.aviso ? reporte.aviso->texto : "";
        EXPECT_NE(texto.find(archivo.string()), std::string::npos) << texto;
        if (std::filesystem::is_regular_file(archivo)) {
            EXPECT_EQ(prueba::Contenido(archivo), antes);
        }
        EXPECT_EQ(Archivos(carpeta.ruta()), archivosAntes);
        return texto;
    }

    void Sql(const std::string& sql) { prueba::EjecutarSql(archivo, sql); }

    // A fault of the copper table: how the file is damaged, the size and conduit then
    // chosen, and a part of the message it must give.
    struct Falla {
        const char* caso;
        std::function<void(TableFaultsTest&)> danar;
        int calibre;
        int ducto;
        const char* mensaje;
    };
    static std::function<void(TableFaultsTest&)> ConSql(std::string sql) {
        return [sql](TableFaultsTest& t) { t.Sql(sql); };
    }
    static std::function<void(TableFaultsTest&)> Reemplazar(std::string sql) {
        return [sql](TableFaultsTest& t) {
            std::filesystem::remove(t.archivo);
            t.Sql(sql);
        };
    }

    // Each fault on a fresh copy of the shipped file.
    void ComprobarFallas(std::initializer_list<Falla> fallas) {
        for (const Falla& f : fallas) {
            SCOPED_TRACE(f.caso);
            std::filesystem::remove_all(archivo);
            std::filesystem::copy_file(std::filesystem::path(CARPETA_TABLAS) / "Cobre.sqlite",
                                       archivo);
            f.danar(*this);
            entrada.indiceCalibre = f.calibre;
            entrada.indiceDucto = f.ducto;
            EXPECT_NE(MensajeSinDanos().find(f.mensaje), std::string::npos);
        }
    }
    void Escribir(const std::string& bytes) {
        std::ofstream(archivo, std::ios::binary | std::ios::trunc) << bytes;
    }

    prueba::CarpetaTemporal carpeta{"Cálculos eléctricos"};
    std::filesystem::path archivo = carpeta.ruta() / "Cobre.sqlite";
    Entrada entrada;
};

} // namespace

TEST_F(TableFaultsTest, ShippedFileInAFolderWithSpacesAndAccentsIsRead) {
    const Reporte reporte = Calcular(entrada);
    EXPECT_EQ(reporte.lineas.size(), LineasCaida);
    EXPECT_FALSE(reporte.aviso);
}

// The file is missing, empty, not a database, cut short, or a folder.
TEST_F(TableFaultsTest, FilesMissingOrUnreadable) {
    ComprobarFallas({
        {"missing", [](TableFaultsTest& t) { std::filesystem::remove(t.archivo); }, 20, 0,
         "No se encuentra"},
        {"empty", [](TableFaultsTest& t) { t.Escribir(""); }, 20, 0, "está vacío"},
        {"plain text",
         [](TableFaultsTest& t) {
             t.Escribir("esto no es una base de datos, solo texto suelto para probar");
         },
         20, 0, "no es una tabla de conductores válida"},
        {"random bytes",
         [](TableFaultsTest& t) {
             std::string azar(4096, '\0');
             std::mt19937 generador(7);
             for (char& c : azar) {
                 c = static_cast<char>(generador());
             }
             t.Escribir(azar);
         },
         20, 0, "no es una tabla de conductores válida"},
        {"truncated",
         [](TableFaultsTest& t) {
             std::filesystem::resize_file(t.archivo, std::filesystem::file_size(t.archivo) / 2);
         },
         20, 0, ""},
        {"a folder",
         [](TableFaultsTest& t) {
             std::filesystem::remove(t.archivo);
             std::filesystem::create_directory(t.archivo);
         },
         20, 0, "es una carpeta"},
    });
}

// The file holds no table of that name: renamed, another one, or a view in its place. A
// view could run any query: it is refused as no table at all.
TEST_F(TableFaultsTest, TablesMissingOrViews) {
    ComprobarFallas({
        {"table renamed", ConSql("ALTER TABLE cablesCobre RENAME TO cables"), 20, 0,
         "no contiene la tabla \"cablesCobre\""},
        {"another table alone", Reemplazar("CREATE TABLE otra (a);"), 20, 0,
         "no contiene la tabla \"cablesCobre\""},
        {"a view over another table",
         Reemplazar(prueba::TablaUniforme("otra", 21, "'x',1,2,3,4,5") +
                    "CREATE VIEW cablesCobre AS SELECT * FROM otra;"),
         20, 0, "no contiene la tabla \"cablesCobre\""},
        {"a runaway view",
         ConSql("ALTER TABLE cablesCobre RENAME TO cables; CREATE VIEW cablesCobre AS WITH "
                "RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n) SELECT 'x', 1, 2, 3, "
                "4, 5 FROM n"),
         20, 0, "no contiene la tabla"},
    });
}

// The table ends before the chosen size.
TEST_F(TableFaultsTest, RowsMissing) {
    ComprobarFallas({
        {"row deleted", ConSql("DELETE FROM cablesCobre WHERE rowid = 21"), 20, 0,
         "no tiene fila para el calibre 1000"},
        {"twenty rows", Reemplazar(prueba::TablaUniforme("cablesCobre", 20, "'x',1,2,3,4,5")), 20,
         0, "no tiene fila para el calibre 1000"},
    });
}

// The chosen size's row lacks a number that the conduit needs. The shipped schema forbids
// NULL: a hand-made copy of the table need not.
TEST_F(TableFaultsTest, ValuesMissingOrNotNumbers) {
    const std::string copia = "CREATE TABLE copia AS SELECT * FROM cablesCobre;"
                              "DROP TABLE cablesCobre; ALTER TABLE copia RENAME TO cablesCobre;";
    ComprobarFallas({
        {"NULL resistance", ConSql(copia + "UPDATE cablesCobre SET r_pvc = NULL WHERE rowid = 20"),
         19, 0, "la columna 3 del calibre 750 no contiene un número"},
        {"text resistance",
         ConSql(copia + "UPDATE cablesCobre SET r_pvc = 'cero' WHERE rowid = 20"), 19, 0,
         "la columna 3 del calibre 750 no contiene un número"},
        {"NULL steel reactance",
         Reemplazar(prueba::TablaUniforme("cablesCobre", 21, "'x',1,NULL,3,4,5")), 20, 2,
         "la columna 2 del calibre 1000 no contiene un número"},
        {"text in a column",
         Reemplazar(prueba::TablaUniforme("cablesCobre", 21, "'x',1,2,'tres',4,5")), 20, 0,
         "la columna 3 del calibre 1000 no contiene un número"},
        {"two columns",
         Reemplazar("CREATE TABLE cablesCobre (a, b); INSERT INTO cablesCobre VALUES (1, 2);"), 0,
         0, "no tiene la columna 3"},
    });
}

TEST_F(TableFaultsTest, AFileLockedByAnotherProgram) {
    sqlite3* otro = nullptr;
    ASSERT_EQ(sqlite3_open(archivo.c_str(), &otro), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(otro, "BEGIN EXCLUSIVE; UPDATE cablesCobre SET r_pvc = 9;", nullptr,
                           nullptr, nullptr),
              SQLITE_OK);
    const auto antes = Archivos(carpeta.ruta()); // the other program's journal is its own
    const Reporte reporte = Calcular(entrada);
    EXPECT_TRUE(reporte.lineas.empty());
    ASSERT_TRUE(reporte.aviso);
    EXPECT_NE(reporte.aviso->texto.find("bloqueado"), std::string::npos);
    EXPECT_EQ(Archivos(carpeta.ruta()), antes);
    sqlite3_exec(otro, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(otro);
    EXPECT_EQ(Calcular(entrada).lineas.size(), LineasCaida);
}

TEST_F(TableFaultsTest, AFileReplacedBetweenTwoCalculationsIsReadAnew) {
    const Reporte antes = Calcular(entrada);
    prueba::CarpetaTemporal otra;
    prueba::EjecutarSql(otra.ruta() / "Cobre.sqlite",
                        prueba::TablaUniforme("cablesCobre", 21, "'x',0.05,0.05,0.8,0.8,0.8"));
    std::filesystem::copy_file(otra.ruta() / "Cobre.sqlite", archivo,
                               std::filesystem::copy_options::overwrite_existing);
    const Reporte despues = Calcular(entrada);
    EXPECT_NE(antes.lineas, despues.lineas);
    EXPECT_EQ(despues.lineas[8], "     Regulación de Voltaje= 5.02 %");
}
