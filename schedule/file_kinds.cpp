#include "schedule/file_kinds.h"

#include "schedule/csv_file.h"
#include "schedule/xlsx_reader.h"

#include <fstream>

namespace schedule {

std::string Extension(const std::filesystem::path& archivo) {
    std::string extension = archivo.extension().string();
    for (char& c : extension) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return extension;
}

TipoArchivo TipoDe(const std::filesystem::path& archivo) {
    const std::string extension = Extension(archivo);
    return extension == ".alim"   ? TipoArchivo::Proyecto
           : extension == ".xlsx" ? TipoArchivo::Libro
                                  : TipoArchivo::Csv;
}

std::variant<Cuadro, std::string> AbrirCuadro(const std::filesystem::path& archivo,
                                              const Avance& avance) {
    switch (TipoDe(archivo)) {
    case TipoArchivo::Proyecto:
        return LeerProyecto(archivo, avance);
    case TipoArchivo::Libro:
        return LeerLibro(archivo);
    case TipoArchivo::Csv:
        break;
    }
    std::ifstream entrada(archivo, std::ios::binary);
    if (!entrada || std::filesystem::is_directory(archivo)) {
        return std::string("no se puede abrir");
    }
    return LeerCuadro(entrada);
}

} // namespace schedule
