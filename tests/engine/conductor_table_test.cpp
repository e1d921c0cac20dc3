#include "engine/conductor_table.h"

#include "tests/engine/table_files.h"

#include <gtest/gtest.h>

using namespace engine;

namespace {

const std::filesystem::path Tablas{CARPETA_TABLAS};

Conductor Leer(Material material, int ducto, int calibre,
               const std::filesystem::path& carpeta = Tablas) {
    const auto lectura = LeerConductor(material, ducto, calibre, carpeta);
    if (const auto* aviso = std::get_if<Aviso>(&lectura)) {
        ADD_FAILURE() << aviso->texto;
        return {};
    }
    return std::get<Conductor>(lectura);
}

Aviso AvisoDe(Material material, int ducto, int calibre, const std::filesystem::path& carpeta) {
    const auto lectura = LeerConductor(material, ducto, calibre, carpeta);
    EXPECT_TRUE(std::holds_alternative<Aviso>(lectura));
    return std::holds_alternative<Aviso>(lectura) ? std::get<Aviso>(lectura) : Aviso{};
}

} // namespace

// A typo in data/ shows here: these rows are copied from the printed table.
TEST(ShippedTables, HoldThePrintedValues) {
    const struct {
        Material material;
        int calibre;
        double xl, xlAcero, rPvc, rAluminio, rAcero;
    } filas[] = {
        {Material::Cobre, 0, 0.058, 0.073, 3.1, 3.1, 3.1},
        {Material::Cobre, 3, 0.052, 0.065, 0.78, 0.78, 0.78},
        {Material::Cobre, 8, 0.046, 0.057, 0.15, 0.16, 0.16},
        {Material::Cobre, 11, 0.042, 0.052, 0.077, 0.082, 0.079},
        {Material::Cobre, 13, 0.041, 0.052, 0.052, 0.057, 0.054},
        {Material::Cobre, 20, 0.037, 0.046, 0.015, 0.019, 0.018},
        {Material::Aluminio, 1, 0.054, 0.068, 3.2, 3.2, 3.2},
        {Material::Aluminio, 6, 0.047, 0.059, 0.40, 0.41, 0.40},
        {Material::Aluminio, 12, 0.041, 0.051, 0.10, 0.11, 0.10},
        {Material::Aluminio, 13, 0.041, 0.052, 0.085, 0.090, 0.086},
        {Material::Aluminio, 19, 0.038, 0.048, 0.029, 0.034, 0.031},
        {Material::Aluminio, 20, 0.037, 0.046, 0.023, 0.027, 0.025},
    };
    for (const auto& f : filas) {
        SCOPED_TRACE(std::string(Calibres[static_cast<std::size_t>(f.calibre)].nombre));
        EXPECT_EQ(Leer(f.material, 0, f.calibre), (Conductor{f.xl, f.rPvc}));
        EXPECT_EQ(Leer(f.material, 1, f.calibre), (Conductor{f.xl, f.rAluminio}));
        EXPECT_EQ(Leer(f.material, 2, f.calibre), (Conductor{f.xlAcero, f.rAcero}));
    }
}

TEST(ShippedTables, HaveOneRowPerSize) {
    sqlite3* base = nullptr;
    ASSERT_EQ(sqlite3_open_v2((Tablas / TablaDe(Material::Cobre).archivo).c_str(), &base,
                              SQLITE_OPEN_READONLY, nullptr),
              SQLITE_OK);
    sqlite3_stmt* consulta = nullptr;
    sqlite3_prepare_v2(base, "SELECT calibre FROM cablesCobre ORDER BY rowid", -1, &consulta,
                       nullptr);
    for (const Calibre& calibre : Calibres) {
        ASSERT_EQ(sqlite3_step(consulta), SQLITE_ROW);
        EXPECT_EQ(reinterpret_cast<const char*>(sqlite3_column_text(consulta, 0)), calibre.nombre);
    }
    EXPECT_EQ(sqlite3_step(consulta), SQLITE_DONE);
    sqlite3_finalize(consulta);
    sqlite3_close(base);
}

TEST(LeerConductor, AluminiumSizeFourteenIsRefusedWhateverTheConduit) {
    prueba::CarpetaTemporal vacia; // refused before any file is looked for
    for (int ducto : {0, 1, 2, 7}) {
        const Aviso aviso = AvisoDe(Material::Aluminio, ducto, 0, vacia.ruta());
        EXPECT_EQ(aviso.tipo, Aviso::Tipo::Rechazo);
        EXPECT_EQ(aviso.texto, " Para el Aluminio debe escojer Calibre mayor del # 14");
    }
}

TEST(LeerConductor, RowsByPositionAndColumnsByConduit) {
    prueba::CarpetaTemporal carpeta;
    std::string sql = "CREATE TABLE cablesCobre (a, b, c, d, e, f);";
    for (int fila = 0; fila < 21; ++fila) {
        const std::string n = std::to_string(fila);
        sql += "INSERT INTO cablesCobre VALUES ('x', 1" + n + ", 2" + n + ", 3" + n + ", 4" + n +
               ", 5" + n + ");";
    }
    prueba::EjecutarSql(carpeta.ruta() / "Cobre.sqlite", sql);
    EXPECT_EQ(Leer(Material::Cobre, 0, 0, carpeta.ruta()), (Conductor{10, 30}));
    EXPECT_EQ(Leer(Material::Cobre, 1, 0, carpeta.ruta()), (Conductor{10, 40}));
    EXPECT_EQ(Leer(Material::Cobre, 2, 20, carpeta.ruta()), (Conductor{220, 520}));
    EXPECT_EQ(Leer(Material::Cobre, 3, 5, carpeta.ruta()), (Conductor{0, 0}));
}

TEST(LeerConductor, SeesAnEditBetweenTwoReadsAndChangesNothing) {
    prueba::CarpetaTemporal carpeta;
    const auto archivo = carpeta.ruta() / "Aluminio.sqlite";
    prueba::EjecutarSql(archivo, prueba::TablaUniforme("CableAlumino", 20, "'x',1,2,3,4,5"));
    EXPECT_EQ(Leer(Material::Aluminio, 0, 20, carpeta.ruta()), (Conductor{1, 3}));
    prueba::EjecutarSql(archivo, "UPDATE CableAlumino SET r_pvc = 0.5 WHERE rowid = 20");
    const std::string antes = prueba::Contenido(archivo);
    EXPECT_EQ(Leer(Material::Aluminio, 0, 20, carpeta.ruta()), (Conductor{1, 0.5}));
    EXPECT_EQ(prueba::Contenido(archivo), antes);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(carpeta.ruta()),
                            std::filesystem::directory_iterator()),
              1);
}

// Only the two columns of the chosen conduit are read: a gap elsewhere in the row does not
// stop a calculation that does not need it.
TEST(LeerConductor, ReadsOnlyTheColumnsOfTheChosenConduit) {
    prueba::CarpetaTemporal carpeta;
    prueba::EjecutarSql(carpeta.ruta() / "Cobre.sqlite",
                        prueba::TablaUniforme("cablesCobre", 21, "'x',1,NULL,3,4,5"));
    EXPECT_EQ(Leer(Material::Cobre, 0, 20, carpeta.ruta()), (Conductor{1, 3}));
    EXPECT_EQ(AvisoDe(Material::Cobre, 2, 20, carpeta.ruta()).tipo, Aviso::Tipo::ErrorDatos);
}
