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

// Whether a header cell writes a result's name or one of the titles the program writes
// for it, exactly but for case, accents and spaces: the unit counts, so that "Neutro
// (AWG/kcmil)" is the neutral chosen, and "Neutro" the input.
bool NombraResultado(std::string_view celda) {
    const std::string normal = Normalizar(celda);
    for (const DescripcionResultado& r : ColumnasResultado) {
        const Titulo& t = r.titulo;
        // The record's short form is written only where the record shows the column.
        if (normal == Normalizar(r.nombre) || normal == Normalizar(t.libro) ||
            normal == Normalizar(EnUnaLinea(t.ventana)) ||
            (r.memoria != EnMemoria::Ninguna && normal == Normalizar(t.corto))) {
            return true;
        }
    }
    return false;
}

// Whether a header cell names input `d` by its own name or a title the program writes for
// it, or, for a load column, as "Carga (kW)" does.
bool NombraEntrada(std::string_view celda, const DescripcionColumna& d) {
    const Titulo& t = d.titulo;
    if (MismoNombre(celda, d.nombre) || MismoNombre(celda, t.libro) ||
        MismoNombre(celda, EnUnaLinea(t.ventana)) || MismoNombre(celda, t.corto)) {
        return true;
    }
    const std::string normal = Normalizar(celda);
    const std::string unidad = Normalizar(d.unidad);
    return !unidad.empty() &&
           (normal == "carga(" + unidad + ")" || normal == "carga[" + unidad + "]");
}

// The position of each input in a header: the results of an earlier sizing first, which no
// input reads; then each input's own name or titles; then, for the inputs still without a
// column, one other name. A column serves one input, and a number's sign or word beside a
// name is no part of it.
struct Busqueda {
    const std::vector<std::string>& celdas;
    Encabezado& e;
    std::vector<bool> usada = std::vector<bool>(celdas.size());

    std::string_view Celda(std::size_t i) const { return SinNumeral(celdas[i]); }

    void PorResultado() {
        for (std::size_t i = 0; i < celdas.size(); ++i) {
            if (NombraResultado(celdas[i])) {
                e.resultados.push_back(i);
                usada[i] = true;
            }
        }
    }

    void PorNombre() {
        for (std::size_t c = 0; c < Columnas.size(); ++c) {
            for (std::size_t i = 0; i < celdas.size() && !e.posicion[c]; ++i) {
                if (!usada[i] && NombraEntrada(Celda(i), Columnas[c])) {
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
                                             [&](auto s) { return MismoNombre(Celda(i), s); })) {
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

    std::optional<std::string> Buscar() {
        PorResultado();
        PorNombre();
        return PorSinonimo();
    }

    void SinUso() {
        for (std::size_t i = 0; i < celdas.size(); ++i) {
            if (!usada[i]) {
                e.sinUso.push_back(i);
            }
        }
    }
};

// The names a column is read by, for a message: its own, its titles and its other names.
std::string NombresQueAcepta(const DescripcionColumna& d) {
    std::vector<std::string> nombres{std::string(d.nombre), std::string(d.titulo.libro)};
    for (const std::string_view s : d.Sinonimos()) {
        nombres.emplace_back(s);
    }
    if (!d.unidad.empty()) {
        nombres.push_back("Carga (" + std::string(d.unidad) + ")");
    }
    std::string lista;
    std::vector<std::string> dichos;
    for (const std::string& n : nombres) {
        if (std::find(dichos.begin(), dichos.end(), Normalizar(n)) == dichos.end()) {
            dichos.push_back(Normalizar(n));
            lista += (lista.empty() ? "" : ", ") + Comillas(n);
        }
    }
    return lista;
}

// "faltan columnas obligatorias en el encabezado: …", with the headers the file has and,
// for each column missing, the names it is read by.
std::string Faltan(const std::vector<std::string>& celdas, const std::vector<Columna>& faltan,
                   bool carga) {
    std::string nombres, aceptados;
    for (const Columna c : faltan) {
        nombres += (nombres.empty() ? "" : ", ") + std::string(Descripcion(c).nombre);
        aceptados +=
            "; " + std::string(Descripcion(c).nombre) + ": " + NombresQueAcepta(Descripcion(c));
    }
    if (!carga) {
        nombres += std::string(nombres.empty() ? "" : ", ") +
                   "corriente (o potencia_kw, o potencia_kva, o motor_hp en un cuadro de motores)";
        for (const DescripcionColumna& d : Columnas) {
            if (d.carga || &d == &Descripcion(Columna::MotorHp)) {
                aceptados += "; " + std::string(d.nombre) + ": " + NombresQueAcepta(d);
            }
        }
    }
    std::string leidos;
    for (const std::string& celda : celdas) {
        if (!SinBlancos(celda).empty()) {
            leidos += (leidos.empty() ? "" : ", ") + Comillas(celda);
        }
    }
    return "faltan columnas obligatorias en el encabezado: " + nombres + ". El encabezado tiene " +
           (leidos.empty() ? "sólo celdas vacías" : leidos) +
           ". Se leen por estos nombres, sin importar mayúsculas, acentos ni unidades" + aceptados;
}

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

std::string EnUnaLinea(std::string_view titulo) {
    std::string linea;
    for (std::size_t i = 0; i < titulo.size(); ++i) {
        if (titulo[i] == '-' && i + 1 < titulo.size() && titulo[i + 1] == '\n') {
            ++i; // a word cut at the line's end is whole again
        } else {
            linea += titulo[i] == '\n' ? ' ' : titulo[i];
        }
    }
    return linea;
}

bool Encabezado::EsResultado(std::size_t posicion) const {
    return std::find(resultados.begin(), resultados.end(), posicion) != resultados.end();
}

Encabezado EncabezadoParcial(const std::vector<std::string>& celdas) {
    Encabezado e;
    e.nombres = celdas;
    Busqueda busqueda{celdas, e};
    busqueda.Buscar();
    busqueda.SinUso();
    return e;
}

std::variant<Encabezado, std::string> LeerEncabezado(const std::vector<std::string>& celdas) {
    Encabezado e;
    e.nombres = celdas;
    Busqueda busqueda{celdas, e};
    if (auto error = busqueda.Buscar()) {
        return *error;
    }
    std::vector<Columna> faltan;
    bool carga = false;
    for (std::size_t c = 0; c < Columnas.size(); ++c) {
        if (Columnas[c].requerida && !e.posicion[c]) {
            faltan.push_back(static_cast<Columna>(c));
        }
        carga = carga || (Columnas[c].carga && e.posicion[c]);
    }
    // A schedule of motors gives each load by its rating.
    carga = carga || e.posicion[static_cast<std::size_t>(Columna::MotorHp)];
    if (!faltan.empty() || !carga) {
        return Faltan(celdas, faltan, carga);
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
