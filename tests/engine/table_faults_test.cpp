#include "engine/calcular.h"

#include "table_files.h"

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
protected:
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
    EXPECT_EQ(reporte.lineas.size(), 9u);
    EXPECT_FALSE(reporte.aviso);
}

TEST_F(TableFaultsTest, MissingEmptyRandomAndTruncatedFiles) {
    std::filesystem::remove(archivo);
    EXPECT_NE(MensajeSinDanos().find("No se encuentra"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(archivo));

    Escribir("");
    EXPECT_NE(MensajeSinDanos().find("está vacío"), std::string::npos);

    std::string azar(4096, '\0');
    std::mt19937 generador(7);
    for (char& c : azar) {
        c = static_cast<char>(generador());
    }
    Escribir(azar);
    EXPECT_NE(MensajeSinDanos().find("no es una tabla de conductores válida"), std::string::npos);

    std::filesystem::copy_file(std::filesystem::path(CARPETA_TABLAS) / "Cobre.sqlite", archivo,
                               std::filesystem::copy_options::overwrite_existing);
    std::filesystem::resize_file(archivo, std::filesystem::file_size(archivo) / 2);
    MensajeSinDanos();
}

TEST_F(TableFaultsTest, TableMissingRenamedOrAView) {
    Sql("ALTER TABLE cablesCobre RENAME TO cables");
    EXPECT_NE(MensajeSinDanos().find("no contiene la tabla"), std::string::npos);
    // A view could run any query; it is refused as no table at all.
    Sql("CREATE VIEW cablesCobre AS WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 "
        "FROM n) SELECT 'x', 1, 2, 3, 4, 5 FROM n");
    EXPECT_NE(MensajeSinDanos().find("no contiene la tabla"), std::string::npos);
}

TEST_F(TableFaultsTest, TooFewRowsNullAndText) {
    Sql("DELETE FROM cablesCobre WHERE rowid = 21");
    EXPECT_NE(MensajeSinDanos().find("no tiene fila para el calibre 1000"), std::string::npos);
    entrada.indiceCalibre = 19;
    // The shipped schema forbids NULL: a hand-made copy of the table need not.
    Sql("CREATE TABLE copia AS SELECT * FROM cablesCobre; DROP TABLE cablesCobre;"
        "ALTER TABLE copia RENAME TO cablesCobre;");
    Sql("UPDATE cablesCobre SET r_pvc = NULL WHERE rowid = 20");
    EXPECT_NE(MensajeSinDanos().find("no contiene un número"), std::string::npos);
    Sql("UPDATE cablesCobre SET r_pvc = 'cero' WHERE rowid = 20");
    EXPECT_NE(MensajeSinDanos().find("no contiene un número"), std::string::npos);
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
    EXPECT_EQ(Calcular(entrada).lineas.size(), 9u);
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

TEST_F(TableFaultsTest, AFolderInPlaceOfTheFile) {
    std::filesystem::remove(archivo);
    std::filesystem::create_directory(archivo);
    EXPECT_NE(MensajeSinDanos().find("es una carpeta"), std::string::npos);
}
