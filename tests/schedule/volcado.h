// A workbook read back with openpyxl, as a spreadsheet program reads it: one line a fact
// (see tests/support/volcar_libro.py).
#pragma once

#include "tests/engine/table_files.h"

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

} // namespace prueba
