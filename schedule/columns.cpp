#include "schedule/columns.h"

#include "engine/numeric_text.h"
#include "schedule/text.h"

#include <algorithm>

namespace schedule {
namespace {

std::string NombreColumna(Columna c) {
    return Comillas(Descripcion(c).nombre);
}

// A material's name as a sentence writes it: "acero", but "PVC".
std::string EnMinusculas(std::string_view nombre) {
    std::string texto(nombre);
    if (texto.size() > 1 && std::islower(static_cast<unsigned char>(texto[1]))) {
        texto[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(texto[0])));
    }
    return texto;
}

// The position of each input in a header: its own name first, then, for the inputs still
// without a column, one other name; a column serves one input.
struct Busqueda {
    const std::vector<std::string>& celdas;
    Encabezado& e;
    std::vector<bool> usada = std::vector<bool>(celdas.size());

    void PorNombre() {
        for (std::size_t c = 0; c < Columnas.size(); ++c) {
            for (std::size_t i = 0; i < celdas.size() && !e.posicion[c]; ++i) {
                if (!usada[i] && MismoNombre(celdas[i], Columnas[c].nombre)) {
                    e.posicion[c] = i;
                    usada[i] = true;
                }
            }
        }
    }

    std::optional<std::string> PorSinonimo() {
        for (std::size_t c = 0; c < Columnas.size(); ++c) {
            std::vector<std::size_t> halladas;
            for (std::size_t i = 0; i < celdas.size() && !e.posicion[c]; ++i) {
                const auto sinonimos = Columnas[c].Sinonimos();
                if (!usada[i] && std::any_of(sinonimos.begin(), sinonimos.end(),
                                             [&](auto s) { return MismoNombre(celdas[i], s); })) {
                    halladas.push_back(i);
                }
            }
            if (halladas.size() > 1) {
                return "las columnas " + Comillas(celdas[halladas[0]]) + " y " +
                       Comillas(celdas[halladas[1]]) + " nombran las dos la columna " +
                       NombreColumna(static_cast<Columna>(c)) + "; deje una";
            }
            if (!halladas.empty()) {
                e.posicion[c] = halladas[0];
                usada[halladas[0]] = true;
            }
        }
        return std::nullopt;
    }

    void SinUso() {
        for (std::size_t i = 0; i < celdas.size(); ++i) {
            if (!usada[i]) {
                e.sinUso.push_back(i);
            }
        }
    }
};

} // namespace

std::string TextoNumero(double valor) {
    return engine::TextoQuinceCifras(valor);
}

std::string TextoNumero(int valor) {
    return std::to_string(valor);
}

std::string TextoSiNo(bool si) {
    return si ? "sí" : "no";
}

std::string TextoUbicacion(bool mojada) {
    return mojada ? "mojada" : "seca";
}

std::string TubosPorOmision() {
    // The conduit types in the order the table of materials lists them, each with the
    // materials it is the default of.
    std::vector<std::pair<std::string_view, std::string>> tipos;
    for (const engine::TuboDeDucto& t : engine::TubosDeDuctos) {
        const std::size_t ducto = engine::IndiceDucto(t.ducto);
        if (engine::Tubos[engine::TuboPorOmision(ducto)].nombre != t.tubo) {
            continue;
        }
        const auto tipo = std::find_if(tipos.begin(), tipos.end(),
                                       [&t](const auto& par) { return par.first == t.tubo; });
        if (tipo == tipos.end()) {
            tipos.emplace_back(t.tubo, EnMinusculas(t.ducto));
        } else {
            tipo->second += " y " + EnMinusculas(t.ducto);
        }
    }
    std::string texto;
    for (const auto& [tubo, ductos] : tipos) {
        texto += (texto.empty() ? "" : ", ") + std::string(tubo) + " en " + ductos;
    }
    return texto;
}

std::vector<std::string> TamanosDeTubo() {
    std::vector<std::string> tamanos{std::string(engine::PorOmision.calibre)};
    for (const engine::TamanoTubo& t : engine::TamanosTubo) {
        tamanos.emplace_back(t.comercial);
    }
    return tamanos;
}

std::string TextoPorOmision(Columna c) {
    const auto omision = Descripcion(c).omision;
    return omision ? omision() : std::string();
}

std::vector<std::string> OpcionesDe(Columna c) {
    const DescripcionColumna& d = Descripcion(c);
    if (d.opciones) {
        return d.opciones();
    }
    if (d.clase == Clase::SiNo) {
        return {TextoSiNo(false), TextoSiNo(true)};
    }
    return {};
}

Columna ColumnaDe(engine::Dato dato) {
    const auto c = std::find_if(Columnas.begin(), Columnas.end(),
                                [dato](const DescripcionColumna& d) { return d.dato == dato; });
    return static_cast<Columna>(c - Columnas.begin());
}

std::string AyudaDeColumnas() {
    std::string obligatorias, carga, opcionales;
    for (std::size_t c = 0; c < Columnas.size(); ++c) {
        const DescripcionColumna& d = Columnas[c];
        std::string& lista = d.requerida ? obligatorias : d.carga ? carga : opcionales;
        lista += (lista.empty() ? "" : d.carga ? " o " : ", ") + std::string(d.nombre);
        const std::string omision = TextoPorOmision(static_cast<Columna>(c));
        if (!d.requerida && !d.carga && !omision.empty()) {
            lista += " (" + omision + ")";
        }
    }
    return "Columnas obligatorias: " + obligatorias + ", y la carga: " + carga +
           ".\nOpcionales: " + opcionales + ".";
}

Encabezado EncabezadoParcial(const std::vector<std::string>& celdas) {
    Encabezado e;
    e.nombres = celdas;
    Busqueda busqueda{celdas, e};
    busqueda.PorNombre();
    busqueda.PorSinonimo();
    busqueda.SinUso();
    return e;
}

std::variant<Encabezado, std::string> LeerEncabezado(const std::vector<std::string>& celdas) {
    Encabezado e;
    e.nombres = celdas;
    Busqueda busqueda{celdas, e};
    busqueda.PorNombre();
    if (auto error = busqueda.PorSinonimo()) {
        return *error;
    }
    std::string faltan;
    bool carga = false;
    for (std::size_t c = 0; c < Columnas.size(); ++c) {
        if (Columnas[c].requerida && !e.posicion[c]) {
            faltan += (faltan.empty() ? "" : ", ") + std::string(Columnas[c].nombre);
        }
        carga = carga || (Columnas[c].carga && e.posicion[c]);
    }
    if (!carga) {
        faltan +=
            std::string(faltan.empty() ? "" : ", ") + "corriente (o potencia_kw, o potencia_kva)";
    }
    if (!faltan.empty()) {
        return "faltan columnas obligatorias en el encabezado: " + faltan;
    }
    busqueda.SinUso();
    return e;
}

std::optional<std::string> AvisoSinUso(const Encabezado& e) {
    std::string lista;
    for (const std::size_t i : e.sinUso) {
        lista += (lista.empty() ? "" : ", ") + Comillas(e.nombres[i]);
    }
    if (lista.empty()) {
        return std::nullopt;
    }
    return "Columnas que no se usan: " + lista + ".";
}

} // namespace schedule
