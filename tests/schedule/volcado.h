// A workbook read back with openpyxl, as a spreadsheet program reads it: one line a fact
// (see tests/support/volcar_libro.py), and a folder for the files a test writes.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace prueba {

inline std::vector<std::string> Volcado(const std::filesystem::path& libro) {
    const std::string orden =
        std::string(PYTHON_DEBIAN) + " " + VOLCAR_LIBRO + " '" + libro.string() + "'";
    std::vector<std::string> lineas;
    FILE* salida = popen(orden.c_str(), "r");
    if (salida == nullptr) {
        return lineas;
    }
    std::string linea;
    for (int c = std::fgetc(salida); c != EOF; c = std::fgetc(salida)) {
        if (c == '\n') {
            lineas.push_back(linea);
            linea.clear();
        } else {
            linea += static_cast<char>(c);
        }
    }
    pclose(salida);
    return lineas;
}

// A folder of its own, gone with everything in it at the end of the test.
class Carpeta {
public:
    explicit Carpeta(const std::string& nombre)
        : ruta_(std::filesystem::temp_directory_path() /
                (nombre + "-" + std::to_string(::getpid()))) {
        std::filesystem::remove_all(ruta_);
        std::filesystem::create_directories(ruta_);
    }
    ~Carpeta() { std::filesystem::remove_all(ruta_); }
    Carpeta(const Carpeta&) = delete;
    Carpeta& operator=(const Carpeta&) = delete;
    std::filesystem::path operator/(const std::string& archivo) const { return ruta_ / archivo; }

private:
    std::filesystem::path ruta_;
};

} // namespace prueba
