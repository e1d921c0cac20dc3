// Writes a manual page from its text, putting in the facts the program holds in its tables:
// the defaults of the columns, the smallest parallel size, the fill limits, the version.
// Each "@OMISION:columna@" becomes what an empty cell of that column stands for.
#include "engine/conductors.h"
#include "schedule/columns.h"
#include "schedule/method_notes.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

namespace {

// A text as roff shows it: a hyphen is a minus sign, so that it is searched and copied as
// the program writes it.
std::string Roff(const std::string& texto) {
    std::string escapado;
    for (const char c : texto) {
        escapado += c == '-' ? std::string("\\-") : std::string(1, c);
    }
    return escapado;
}

// "terminales de 75 °C, ubicación mojada y aislamiento THW".
std::string Supuestos() {
    std::string texto = schedule::SupuestosPorOmision();
    const std::size_t ultimo = texto.rfind("; ");
    if (ultimo != std::string::npos) {
        texto.replace(ultimo, 2, " y ");
    }
    for (std::size_t i = texto.find("; "); i != std::string::npos; i = texto.find("; ", i)) {
        texto.replace(i, 2, ", ");
    }
    return texto;
}

std::optional<std::string> Parte(const std::string& nombre, const std::string& version) {
    if (nombre == "VERSION") {
        return version;
    }
    if (nombre == "PARALELO") {
        return std::string(engine::Calibres[engine::PrimerCalibreParalelo].nombre);
    }
    if (nombre == "SUPUESTOS") {
        return Supuestos();
    }
    if (nombre == "RELLENOS") {
        return schedule::TextoRellenos();
    }
    const std::string omision = "OMISION:";
    for (std::size_t c = 0; nombre.starts_with(omision) && c < schedule::Columnas.size(); ++c) {
        if (schedule::Columnas[c].nombre == nombre.substr(omision.size())) {
            return schedule::TextoPorOmision(static_cast<schedule::Columna>(c));
        }
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "uso: man_parts ENTRADA SALIDA VERSIÓN\n";
        return 2;
    }
    std::ifstream entrada(argv[1], std::ios::binary);
    const std::string texto{std::istreambuf_iterator<char>(entrada), {}};
    std::string salida;
    std::size_t desde = 0;
    for (std::size_t i = texto.find('@'); i != std::string::npos; i = texto.find('@', desde)) {
        const std::size_t fin = texto.find('@', i + 1);
        const auto parte = fin == std::string::npos
                               ? std::nullopt
                               : Parte(texto.substr(i + 1, fin - i - 1), argv[3]);
        if (!parte) {
            std::cerr << "man_parts: " << argv[1] << ": «" << texto.substr(i, 40)
                      << "» no es una parte conocida\n";
            return 1;
        }
        salida += texto.substr(desde, i - desde) + Roff(*parte);
        desde = fin + 1;
    }
    salida += texto.substr(desde);
    std::ofstream(argv[2], std::ios::binary) << salida;
    return 0;
}
