#include "schedule/replace_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <iterator>

namespace fs = std::filesystem;
using schedule::ArchivoTemporal;

namespace {

struct Carpeta {
    fs::path ruta = fs::temp_directory_path() / ("reemplazar_" + std::to_string(getpid()));
    Carpeta() { fs::create_directories(ruta); }
    ~Carpeta() { fs::remove_all(ruta); }
    std::size_t Archivos() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(ruta), fs::directory_iterator()));
    }
};

std::string Contenido(const fs::path& archivo) {
    std::ifstream f(archivo, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

} // namespace

// The new contents replace the old only once confirmed; until then the old file is whole.
TEST(ArchivoTemporal, ReplacesTheFileOnlyOnceConfirmed) {
    Carpeta c;
    const fs::path destino = c.ruta / "tabla.csv";
    std::ofstream(destino) << "antes";
    {
        ArchivoTemporal temporal(destino);
        ASSERT_TRUE(temporal.creado());
        EXPECT_EQ(temporal.ruta().parent_path(), c.ruta);
        std::ofstream(temporal.ruta()) << "después";
        EXPECT_EQ(Contenido(destino), "antes");
        ASSERT_TRUE(temporal.Confirmar());
    }
    EXPECT_EQ(Contenido(destino), "después");
    EXPECT_EQ(c.Archivos(), 1u);
}

// A write that fails midway, and is never confirmed, leaves the old file and no other.
TEST(ArchivoTemporal, AFailedWriteLeavesTheOldFileAndNoOther) {
    Carpeta c;
    const fs::path destino = c.ruta / "tabla.csv";
    std::ofstream(destino) << "antes";
    {
        ArchivoTemporal temporal(destino);
        std::ofstream(temporal.ruta()) << "a medi";
        EXPECT_EQ(c.Archivos(), 2u);
    }
    EXPECT_EQ(Contenido(destino), "antes");
    EXPECT_EQ(c.Archivos(), 1u);
}

// The file gets the permissions a new file would, not the temporary file's private ones.
TEST(ArchivoTemporal, TheNewFileHasTheUsualPermissions) {
    Carpeta c;
    const mode_t mascara = umask(022);
    {
        ArchivoTemporal temporal(c.ruta / "nuevo.csv");
        ASSERT_TRUE(temporal.Confirmar());
    }
    umask(mascara);
    EXPECT_EQ(fs::status(c.ruta / "nuevo.csv").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                  fs::perms::others_read);
    ArchivoTemporal sinCarpeta(c.ruta / "no" / "existe.csv");
    EXPECT_FALSE(sinCarpeta.creado());
}
