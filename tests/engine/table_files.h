// Throw-away folders and conductor table files for the tests.
#pragma once

#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>

namespace prueba {

// A fresh folder under the system's temporary folder, removed with its contents.
class CarpetaTemporal {
public:
    explicit CarpetaTemporal(const std::string& nombre = "calculador") {
        std::random_device azar;
        ruta_ = std::filesystem::temp_directory_path() /
                (nombre + "-" + std::to_string(azar()) + std::to_string(azar()));
        std::filesystem::create_directories(ruta_);
    }
    ~CarpetaTemporal() {
        std::error_code ignorado;
        std::filesystem::remove_all(ruta_, ignorado);
    }
    CarpetaTemporal(const CarpetaTemporal&) = delete;
    CarpetaTemporal& operator=(const CarpetaTemporal&) = delete;

    const std::filesystem::path& ruta() const { return ruta_; }

private:
    std::filesystem::path ruta_;
};

// Runs `sql` on the database file `archivo`, creating it when missing.
inline void EjecutarSql(const std::filesystem::path& archivo, const std::string& sql) {
    sqlite3* base = nullptr;
    sqlite3_open(archivo.c_str(), &base);
    char* error = nullptr;
    const int codigo = sqlite3_exec(base, sql.c_str(), nullptr, nullptr, &error);
    const std::string mensaje = error != nullptr ? error : "";
    sqlite3_free(error);
    sqlite3_close(base);
    if (codigo != SQLITE_OK) {
        throw std::runtime_error(mensaje);
    }
}

// A table with the shipped column names, whose every row holds the given six values.
inline std::string TablaUniforme(const std::string& tabla, int filas, const std::string& fila) {
    std::string sql = "CREATE TABLE " + tabla +
                      " (calibre TEXT, xl_pvc_al REAL, xl_acero REAL, r_pvc REAL, r_aluminio REAL, "
                      "r_acero REAL);";
    for (int i = 0; i < filas; ++i) {
        sql += "INSERT INTO " + tabla + " VALUES (" + fila + ");";
    }
    return sql;
}

inline std::string Contenido(const std::filesystem::path& archivo) {
    std::ifstream entrada(archivo, std::ios::binary);
    std::ostringstream bytes;
    bytes << entrada.rdbuf();
    return bytes.str();
}

} // namespace prueba
