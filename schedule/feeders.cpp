#include "schedule/feeders.h"

#include "engine/feeder_set.h"
#include "engine/numeric_text.h"
#include "engine/raceways.h"
#include "schedule/text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace schedule {
namespace {

// A cell's text quoted in a message; a "|" would read as the separator of the remarks.
std::string Comillas(std::string_view texto) {
    std::string citado(texto);
    std::replace(citado.begin(), citado.end(), '|', '/');
    return "«" + citado + "»";
}

std::string NombreColumna(Columna c) {
    return Comillas(Descripcion(c).nombre);
}

// The choices a column takes, each under the names a schedule may give it.
template <typename T> struct Opcion {
    std::string_view nombre;
    T valor;
};
constexpr Opcion<engine::Material> MaterialesConductor[] = {
    {"cobre", engine::Material::Cobre},
    {"cu", engine::Material::Cobre},
    {"aluminio", engine::Material::Aluminio},
    {"al", engine::Material::Aluminio},
};

// The words designers write for a conduit, beside the names of Ductos: the kinds of steel
// conduit, and PVC by its schedule. A conduit type named so is the feeder's type too.
struct PalabraDucto {
    std::string_view palabra; // as the message lists it
    std::string_view ducto;   // a name in Ductos
    std::string_view tubo;    // a name in Tubos, or none
};
constexpr PalabraDucto PalabrasDucto[] = {
    {"EMT", "Acero", "EMT"},
    {"IMC", "Acero", "IMC"},
    {"RMC", "Acero", "RMC"},
    {"tubo conduit", "Acero", ""},
    {"pared delgada", "Acero", "EMT"},
    {"pared gruesa", "Acero", "RMC"},
    {"galvanizado", "Acero", ""},
    {"PVC-40", "PVC", "PVC-40"},
    {"PVC-80", "PVC", "PVC-80"},
    {"PVC cédula 40", "PVC", "PVC-40"},
    {"PVC cédula 80", "PVC", "PVC-80"},
};

// A conduit's name as compared: normalised, without hyphens.
std::string NormalDucto(std::string_view texto) {
    std::string normal = Normalizar(texto);
    normal.erase(std::remove(normal.begin(), normal.end(), '-'), normal.end());
    return normal;
}

std::optional<engine::Material> ElegirMaterial(std::string_view texto) {
    const std::string normal = Normalizar(texto);
    for (const auto& o : MaterialesConductor) {
        if (normal == o.nombre) {
            return o.valor;
        }
    }
    return std::nullopt;
}

// A system by its name or by its phases.
std::optional<engine::Sistema> ElegirSistema(std::string_view texto) {
    const std::string normal = Normalizar(texto);
    for (std::size_t i = 0; i < engine::Sistemas.size(); ++i) {
        const engine::SistemaElectrico& s = engine::Sistemas[i];
        if (normal == Normalizar(s.nombre) || normal == std::to_string(s.fases)) {
            return static_cast<engine::Sistema>(i);
        }
    }
    return std::nullopt;
}

// A row of `tabla` by its name, with or without hyphens, in any case.
template <typename Tabla>
std::optional<std::size_t> ElegirPorNombre(const Tabla& tabla, std::string_view texto) {
    const std::string normal = NormalDucto(texto);
    for (std::size_t i = 0; i < tabla.size(); ++i) {
        if (normal == NormalDucto(tabla[i].nombre)) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> ElegirAislamiento(std::string_view texto) {
    return ElegirPorNombre(engine::Aislamientos, texto);
}

// A location: true for wet.
std::optional<bool> ElegirUbicacion(std::string_view texto) {
    const std::string normal = Normalizar(texto);
    if (normal == "mojada" || normal == "mojado") {
        return true;
    }
    if (normal == "seca" || normal == "seco") {
        return false;
    }
    return std::nullopt;
}

// Names compared as normalised, each with a place in a table.
using Nombres = std::vector<std::pair<std::string, std::size_t>>;

std::optional<std::size_t> Buscar(const Nombres& nombres, std::string_view texto) {
    const std::string normal = NormalDucto(texto);
    for (const auto& [nombre, lugar] : nombres) {
        if (normal == nombre) {
            return lugar;
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> ElegirDucto(std::string_view texto) {
    // Every name a conduit goes by, compared as normalised, with its place in Ductos.
    static const Nombres nombres = [] {
        Nombres n;
        for (std::size_t i = 0; i < engine::Ductos.size(); ++i) {
            n.emplace_back(NormalDucto(engine::Ductos[i].nombre), i);
        }
        for (const PalabraDucto& p : PalabrasDucto) {
            n.emplace_back(NormalDucto(p.palabra), engine::IndiceDucto(p.ducto));
        }
        return n;
    }();
    return Buscar(nombres, texto);
}

// The conduit type a `ducto` cell names, if it names one.
std::optional<std::size_t> TuboDelDucto(std::string_view texto) {
    // The words that name a conduit type, compared as normalised, with its place in Tubos.
    static const Nombres nombres = [] {
        Nombres n;
        for (const PalabraDucto& p : PalabrasDucto) {
            if (!p.tubo.empty()) {
                n.emplace_back(NormalDucto(p.palabra), engine::IndiceTubo(p.tubo));
            }
        }
        return n;
    }();
    return Buscar(nombres, texto);
}

// A conduit type by its name or by the words of a `ducto` that name one.
std::optional<std::size_t> ElegirTubo(std::string_view texto) {
    if (const auto tubo = ElegirPorNombre(engine::Tubos, texto)) {
        return tubo;
    }
    return TuboDelDucto(texto);
}

// A trade size as written: "2-1/2", "2 1/2", "2½" aside, with or without inch marks, or its
// metric designator, "63".
std::optional<std::size_t> ElegirTamanoTubo(std::string_view texto) {
    std::string normal;
    for (const char c : Normalizar(texto)) {
        if (c != ' ' && c != '-' && c != '"') {
            normal += c;
        }
    }
    for (const std::string_view unidad : {"pulgadas", "pulg", "in"}) {
        if (normal.ends_with(unidad)) {
            normal.erase(normal.size() - unidad.size());
            break;
        }
    }
    for (std::size_t i = 0; i < engine::TamanosTubo.size(); ++i) {
        std::string comercial(engine::TamanosTubo[i].comercial);
        comercial.erase(std::remove(comercial.begin(), comercial.end(), '-'), comercial.end());
        if (normal == comercial || normal == std::to_string(engine::TamanosTubo[i].designador)) {
            return i;
        }
    }
    return std::nullopt;
}

std::string DuctosAceptados() {
    std::string lista;
    for (const engine::Ducto& d : engine::Ductos) {
        lista += (lista.empty() ? "" : ", ") + std::string(d.nombre);
    }
    for (const PalabraDucto& p : PalabrasDucto) {
        lista += ", " + std::string(p.palabra);
    }
    return lista;
}

// A size as designers write it: "4/0 AWG", "#10", "No. 10", "250 kcmil", "250 MCM". The
// gauge words go with the gauges, the thousands of circular mils with the larger sizes.
std::optional<std::size_t> IndiceDeCalibre(std::string_view texto) {
    std::string normal = Normalizar(texto);
    for (const std::string_view prefijo : {"#", "no.", "num.", "no"}) {
        if (normal.starts_with(prefijo)) {
            normal.erase(0, prefijo.size());
            break;
        }
    }
    bool awg = false;
    bool kcmil = false;
    for (const std::string_view sufijo : {"awg", "kcmil", "mcm"}) {
        if (normal.ends_with(sufijo)) {
            normal.erase(normal.size() - sufijo.size());
            (sufijo == "awg" ? awg : kcmil) = true;
        }
    }
    const std::size_t i = engine::IndiceCalibre(normal);
    const std::size_t primeroKcmil = engine::IndiceCalibre("250");
    if (i >= engine::Calibres.size() || (awg && i >= primeroKcmil) || (kcmil && i < primeroKcmil)) {
        return std::nullopt;
    }
    return i;
}

// A size by its caption; "automático" or an empty cell asks for one to be chosen.
std::variant<std::optional<std::size_t>, std::monostate> ElegirCalibre(std::string_view texto) {
    const std::string normal = Normalizar(texto);
    if (normal.empty() || normal == "automatico") {
        return std::optional<std::size_t>();
    }
    if (const auto i = IndiceDeCalibre(texto)) {
        return std::optional<std::size_t>(*i);
    }
    return std::monostate();
}

// The number format of a cross-section, to 3 significant digits.
std::string_view FormatoMm2(double mm2) {
    return mm2 < 10 ? "0.00" : mm2 < 100 ? "0.0" : "0";
}

Celda CeldaNumero(double valor, std::string_view formato, const engine::Separadores& sep) {
    return {engine::FormatearConPatron(valor, formato, sep), valor, formato};
}

// An exact number to its last digit, without trailing zeros; a workbook shows it as it is.
Celda CeldaExacta(const engine::Decimal& valor, const engine::Separadores& sep) {
    return {engine::ConSeparador(valor.Texto(), sep), valor.Real(), {}};
}

Celda Texto(std::string texto) {
    return {std::move(texto), std::nullopt, {}};
}

Celda NombreCalibre(const std::optional<std::size_t>& calibre) {
    return Texto(calibre ? std::string(engine::Calibres[*calibre].nombre) : "");
}

// The cells of one row read into a feeder, every cell that cannot be read told.
struct LectorDeFila {
    const std::vector<std::string>& celdas;
    const Encabezado& encabezado;
    MarcaDecimal marca;
    std::vector<ErrorCelda> errores;

    std::string_view Celda(Columna c) const {
        const auto& posicion = encabezado.posicion[static_cast<std::size_t>(c)];
        return posicion && *posicion < celdas.size() ? std::string_view(celdas[*posicion])
                                                     : std::string_view();
    }

    void Error(Columna c, std::string motivo) {
        errores.push_back({c, "La columna " + NombreColumna(c) + " " + std::move(motivo)});
    }

    // A number as a plain decimal; none where an optional cell is empty, an error where a
    // required one is.
    std::optional<std::string> Numero(Columna c) {
        const std::string_view texto = Celda(c);
        if (SinBlancos(texto).empty()) {
            if (Descripcion(c).requerida) {
                Error(c, "está vacía.");
            }
            return std::nullopt;
        }
        auto leido = LeerNumeroDe(c, texto, marca);
        if (auto* error = std::get_if<ErrorCelda>(&leido)) {
            errores.push_back(std::move(*error));
            return std::nullopt;
        }
        return std::get<schedule::Numero>(leido).texto;
    }

    std::optional<engine::Decimal> Exacto(Columna c) {
        const auto texto = Numero(c);
        return texto ? engine::Decimal::Leer(*texto) : std::nullopt;
    }

    // Of a group of columns, one only may be given in a row; `una`: one must be. The
    // message names the columns given, and those of the group.
    void UnaDe(std::initializer_list<Columna> grupo, bool una) {
        std::vector<Columna> dadas;
        for (const Columna c : grupo) {
            if (!SinBlancos(Celda(c)).empty()) {
                dadas.push_back(c);
            }
        }
        if (dadas.size() <= 1 && !(una && dadas.empty())) {
            return;
        }
        std::string nombres, dados;
        for (const Columna c : grupo) {
            nombres += (nombres.empty() ? "" : ", ") + NombreColumna(c);
        }
        for (const Columna c : dadas) {
            dados += (dados.empty() ? "" : " y ") + NombreColumna(c);
        }
        if (dadas.size() > 1) {
            errores.push_back({dadas[1], "La fila da a la vez " + dados + ": sólo una de " +
                                             nombres + " puede darse."});
        } else {
            errores.push_back({*grupo.begin(), "La fila no da su carga: una de " + nombres + "."});
        }
    }

    // A choice that may be left empty for its default.
    template <typename T, typename Elige> void Opcional(Columna c, Elige elegir, T& destino) {
        if (!SinBlancos(Celda(c)).empty()) {
            Eleccion(c, elegir, destino);
        }
    }

    // A device rating, or none where it is to be chosen.
    void Proteccion(std::optional<engine::Decimal>& destino) {
        const std::string normal = Normalizar(Celda(Columna::Proteccion));
        if (normal.empty() || normal == "automatico") {
            return;
        }
        destino = Exacto(Columna::Proteccion);
    }

    template <typename T> void Real(Columna c, T& destino) {
        if (const auto texto = Numero(c)) {
            double valor = 0;
            std::from_chars(texto->data(), texto->data() + texto->size(), valor);
            destino = valor;
        }
    }

    template <typename T, typename Elige> void Eleccion(Columna c, Elige elegir, T& destino) {
        if (const auto valor = elegir(Celda(c))) {
            destino = *valor;
        } else {
            Error(c, "no tiene un valor válido: " + Comillas(Celda(c)) + ".");
        }
    }

    void Ducto(std::size_t& destino) {
        if (const auto ducto = ElegirDucto(Celda(Columna::Ducto))) {
            destino = *ducto;
        } else {
            Error(Columna::Ducto, "no tiene un valor válido: " + Comillas(Celda(Columna::Ducto)) +
                                      ". Se aceptan: " + DuctosAceptados() + ".");
        }
    }

    void Calibre(Columna c, std::optional<std::size_t>& destino) {
        const auto calibre = ElegirCalibre(Celda(c));
        if (const auto* elegido = std::get_if<std::optional<std::size_t>>(&calibre)) {
            destino = *elegido;
        } else {
            Error(c, "no tiene un calibre de la tabla: " + Comillas(Celda(c)) + ".");
        }
    }

    // The conduit: its type, by default the one `ducto` names, and its trade size.
    void Tubo(engine::Alimentador& a) {
        if (SinBlancos(Celda(Columna::Tubo)).empty()) {
            a.tubo = TuboDelDucto(Celda(Columna::Ducto));
        } else {
            Eleccion(Columna::Tubo, ElegirTubo, a.tubo);
        }
        const std::string normal = Normalizar(Celda(Columna::TamanoTubo));
        if (!normal.empty() && normal != "automatico") {
            Eleccion(Columna::TamanoTubo, ElegirTamanoTubo, a.tamanoTubo);
        }
    }

    // A cell beyond the header's columns belongs to no column.
    void CeldasDeMas() {
        for (std::size_t i = encabezado.nombres.size(); i < celdas.size(); ++i) {
            if (!SinBlancos(celdas[i]).empty()) {
                errores.push_back(
                    {std::nullopt, "La fila tiene una celda fuera de las columnas del "
                                   "encabezado: " +
                                       Comillas(celdas[i]) + "."});
            }
        }
    }
};

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
                const auto& sinonimos = Columnas[c].sinonimos;
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
};

} // namespace

std::optional<bool> LeerSiNo(std::string_view texto) {
    const std::string normal = Normalizar(texto);
    for (const char* si : {"si", "s", "1", "verdadero", "yes", "true"}) {
        if (normal == si) {
            return true;
        }
    }
    for (const char* no : {"no", "n", "0", "falso", "false"}) {
        if (normal == no) {
            return false;
        }
    }
    return std::nullopt;
}

std::string TextoPorOmision(Columna c) {
    const engine::ValoresPorOmision& o = engine::PorOmision;
    switch (c) {
    case Columna::RegulacionMax:
        return engine::TextoQuinceCifras(o.regulacionMaxima);
    case Columna::Paralelo:
        return std::to_string(o.juegos);
    case Columna::TemperaturaAmbiente:
        return engine::TextoQuinceCifras(o.temperaturaAmbiente);
    case Columna::ConductoresDucto:
        return std::string(o.conductoresDucto);
    case Columna::Calibre:
    case Columna::Proteccion:
        return std::string(o.calibre);
    case Columna::Continua:
        return std::to_string(o.continua);
    case Columna::Aislamiento:
        return std::string(o.nombreAislamiento);
    case Columna::Ubicacion:
        return o.mojado ? "mojada" : "seca";
    case Columna::Terminales:
        return engine::TextoQuinceCifras(o.terminales);
    case Columna::Dispositivo100:
    case Columna::NeutroPortador:
    case Columna::Transformador:
        return "no";
    case Columna::Neutro:
        return "sí en trifásico, no en monofásico";
    case Columna::CalibreNeutro:
        return "el de las fases";
    case Columna::Tubo:
        return "PVC-40 en PVC, RMC en acero y aluminio";
    case Columna::TamanoTubo:
        return std::string(o.calibre);
    case Columna::AlimentadoDesde:
        return "la acometida";
    default:
        return {};
    }
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

Columna ColumnaDe(engine::Dato dato) {
    switch (dato) {
    case engine::Dato::Corriente:
        return Columna::Corriente;
    case engine::Dato::Voltaje:
        return Columna::Voltaje;
    case engine::Dato::FactorPotencia:
        return Columna::Fp;
    case engine::Dato::Longitud:
        return Columna::Longitud;
    case engine::Dato::RegulacionMaxima:
        return Columna::RegulacionMax;
    case engine::Dato::Juegos:
        return Columna::Paralelo;
    case engine::Dato::TemperaturaAmbiente:
        return Columna::TemperaturaAmbiente;
    case engine::Dato::ConductoresDucto:
        return Columna::ConductoresDucto;
    case engine::Dato::Ducto:
        return Columna::Ducto;
    case engine::Dato::PotenciaKw:
        return Columna::PotenciaKw;
    case engine::Dato::PotenciaKva:
        return Columna::PotenciaKva;
    case engine::Dato::Continua:
        return Columna::Continua;
    case engine::Dato::CorrienteContinua:
        return Columna::CorrienteContinua;
    case engine::Dato::Aislamiento:
        return Columna::Aislamiento;
    case engine::Dato::Terminales:
        return Columna::Terminales;
    case engine::Dato::Proteccion:
        return Columna::Proteccion;
    case engine::Dato::CalibreNeutro:
        return Columna::CalibreNeutro;
    case engine::Dato::Tubo:
        return Columna::Tubo;
    case engine::Dato::TamanoTubo:
        return Columna::TamanoTubo;
    case engine::Dato::Calibre:
        break;
    }
    return Columna::Calibre;
}

Encabezado EncabezadoParcial(const std::vector<std::string>& celdas) {
    Encabezado e;
    e.nombres = celdas;
    Busqueda busqueda{celdas, e};
    busqueda.PorNombre();
    busqueda.PorSinonimo();
    for (std::size_t i = 0; i < celdas.size(); ++i) {
        if (!busqueda.usada[i]) {
            e.sinUso.push_back(i);
        }
    }
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
    for (std::size_t i = 0; i < celdas.size(); ++i) {
        if (!busqueda.usada[i]) {
            e.sinUso.push_back(i);
        }
    }
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

bool FilaVacia(const std::vector<std::string>& celdas) {
    return std::all_of(celdas.begin(), celdas.end(),
                       [](const std::string& c) { return SinBlancos(c).empty(); });
}

void ContarMarcas(const std::vector<std::string>& celdas, const Encabezado& e,
                  DecisionMarca& decision) {
    for (std::size_t c = 0; c < Columnas.size(); ++c) {
        if (Columnas[c].numerica && e.posicion[c] && *e.posicion[c] < celdas.size()) {
            decision.Contar(celdas[*e.posicion[c]]);
        }
    }
}

std::variant<Numero, ErrorCelda> LeerNumeroDe(Columna c, std::string_view texto,
                                              MarcaDecimal marca) {
    const auto leido = LeerNumero(texto, marca);
    if (const auto* numero = std::get_if<Numero>(&leido)) {
        return *numero;
    }
    const std::string columna = "La columna " + NombreColumna(c);
    const std::string decimal = marca.marca == Marca::Coma ? "coma" : "punto";
    const std::string otra = marca.marca == Marca::Coma ? "punto" : "coma";
    switch (std::get<FallaNumero>(leido)) {
    case FallaNumero::NoEsNumero:
        break;
    case FallaNumero::OtraMarca:
        return ErrorCelda{c, columna + " tiene " + Comillas(SinBlancos(texto)) + " con " + otra +
                                 " decimal, pero las demás celdas usan " + decimal +
                                 " decimal: se mezclan marcas decimales."};
    case FallaNumero::Empate:
        return ErrorCelda{c, columna + " tiene " + Comillas(SinBlancos(texto)) +
                                 ", pero tantas celdas usan el punto decimal como la coma: no "
                                 "se sabe cuál es la marca decimal."};
    case FallaNumero::DemasiadasCifras:
        return ErrorCelda{
            c, columna + " tiene más de 15 cifras significativas: " + Comillas(texto) + "."};
    }
    return ErrorCelda{c, columna + " no tiene un número: " + Comillas(texto) + "."};
}

FilaLeida LeerFila(const std::vector<std::string>& celdas, const Encabezado& encabezado,
                   MarcaDecimal marca) {
    LectorDeFila f{celdas, encabezado, marca, {}};
    engine::Alimentador a;
    f.Eleccion(Columna::Sistema, ElegirSistema, a.sistema);
    f.Eleccion(Columna::Conductor, ElegirMaterial, a.material);
    f.Ducto(a.ducto);
    f.UnaDe({Columna::Corriente, Columna::PotenciaKw, Columna::PotenciaKva}, true);
    f.UnaDe({Columna::Continua, Columna::CorrienteContinua}, false);
    a.corriente = f.Exacto(Columna::Corriente);
    a.potenciaKw = f.Exacto(Columna::PotenciaKw);
    a.potenciaKva = f.Exacto(Columna::PotenciaKva);
    a.continua = f.Exacto(Columna::Continua);
    a.corrienteContinua = f.Exacto(Columna::CorrienteContinua);
    f.Opcional(Columna::Aislamiento, ElegirAislamiento, a.aislamiento);
    f.Opcional(Columna::Ubicacion, ElegirUbicacion, a.mojado);
    f.Real(Columna::Terminales, a.terminales);
    f.Opcional(Columna::Dispositivo100, LeerSiNo, a.dispositivo100);
    f.Proteccion(a.proteccion);
    f.Real(Columna::Voltaje, a.voltaje);
    f.Real(Columna::Fp, a.factorPotencia);
    f.Real(Columna::Longitud, a.longitud);
    f.Real(Columna::RegulacionMax, a.regulacionMaxima);
    f.Real(Columna::Paralelo, a.juegos);
    f.Real(Columna::TemperaturaAmbiente, a.temperaturaAmbiente);
    f.Real(Columna::ConductoresDucto, a.conductoresDucto);
    f.Calibre(Columna::Calibre, a.calibre);
    f.Opcional(Columna::Neutro, LeerSiNo, a.neutro);
    f.Calibre(Columna::CalibreNeutro, a.calibreNeutro);
    f.Opcional(Columna::NeutroPortador, LeerSiNo, a.neutroPortador);
    f.Tubo(a);
    bool transformador = false; // read by the tree of feeders; here only checked
    f.Opcional(Columna::Transformador, LeerSiNo, transformador);
    f.CeldasDeMas();
    if (!f.errores.empty()) {
        return f.errores;
    }
    return a;
}

std::vector<Celda> CeldasDeEntrada(const std::vector<std::string>& celdas,
                                   const Encabezado& encabezado, MarcaDecimal marca) {
    std::vector<Celda> salida;
    salida.reserve(encabezado.nombres.size() + ColumnasResultado.size());
    for (std::size_t i = 0; i < encabezado.nombres.size(); ++i) {
        salida.push_back(Texto(i < celdas.size() ? celdas[i] : ""));
    }
    for (std::size_t c = 0; c < Columnas.size(); ++c) {
        if (!Columnas[c].numerica || !encabezado.posicion[c]) {
            continue;
        }
        Celda& celda = salida[*encabezado.posicion[c]];
        const auto leido = LeerNumero(celda.texto, marca);
        if (const auto* n = std::get_if<Numero>(&leido)) {
            double valor = 0;
            std::from_chars(n->texto.data(), n->texto.data() + n->texto.size(), valor);
            celda.numero = valor;
        }
    }
    return salida;
}

namespace {

engine::Sistema SistemaDe(const FilaLeida& fila) {
    const auto* a = std::get_if<engine::Alimentador>(&fila);
    return a ? a->sistema : engine::Sistema::Trifasico;
}

} // namespace

std::vector<Celda> CeldasDeResultado(const FilaLeida& fila,
                                     const std::optional<engine::Dimensionado>& dimensionado,
                                     const engine::Separadores& sep) {
    std::vector<Celda> salida;
    salida.reserve(ColumnasResultado.size());
    std::vector<std::string> mensajes;
    if (const auto* errores = std::get_if<std::vector<ErrorCelda>>(&fila)) {
        for (const ErrorCelda& e : *errores) {
            mensajes.push_back(e.mensaje);
        }
    }
    // A refused input leaves no figures, even where the sizes were had before it.
    if (dimensionado && !dimensionado->invalido) {
        const engine::Dimensionado& d = *dimensionado;
        salida.push_back(NombreCalibre(d.porCaida));
        salida.push_back(NombreCalibre(d.porAmpacidad));
        salida.push_back(NombreCalibre(d.elegido));
        if (d.elegido) {
            const double mm2 = engine::Calibres[*d.elegido].mm2;
            salida.push_back(CeldaNumero(mm2, FormatoMm2(mm2), sep));
        } else {
            salida.push_back(Texto(""));
        }
        salida.push_back(Texto(d.rige      ? std::string(engine::TextoRige(*d.rige))
                               : d.elegido ? "calibre dado"
                                           : ""));
        if (d.valores) {
            salida.push_back(CeldaNumero(d.valores->caida, "0.000", sep));
            salida.push_back(CeldaNumero(d.valores->regulacion, "0.00", sep));
            salida.push_back(CeldaNumero(d.valores->voltajeFinal, "0.00", sep));
            // The allowable current to the hundredth, rounded half up from its exact value.
            salida.push_back(CeldaExacta(d.valores->ampacidad.Redondeado(2), sep));
        }
    }
    salida.resize(ColumnaObservaciones, Texto(""));
    salida.push_back(Texto(Observaciones(dimensionado ? dimensionado->observaciones : mensajes)));
    if (dimensionado && !dimensionado->invalido && dimensionado->ampacidad) {
        const engine::Ampacidad& a = *dimensionado->ampacidad;
        // A computed current shows its 2 decimals; a typed one stands as typed.
        salida.push_back(a.calculada ? CeldaNumero(a.corriente.Real(), "0.00", sep)
                                     : CeldaExacta(a.corriente, sep));
        salida.push_back(CeldaExacta(a.proteccion, sep));
    }
    if (dimensionado && dimensionado->conjunto && dimensionado->elegido) {
        const engine::Conjunto& c = *dimensionado->conjunto;
        salida.push_back(NombreCalibre(c.neutro));
        salida.push_back(NombreCalibre(c.tierra));
        salida.push_back({std::to_string(c.tubos), c.tubos, "0"});
        salida.push_back(Texto(engine::NombreTubo(c.tubo, c.tamano)));
        const long long relleno = c.RellenoDecimas();
        salida.push_back(
            {engine::TextoDecimas(relleno, sep), static_cast<double>(relleno) / 10, "0.0"});
        salida.push_back(Texto(""));
        salida.push_back(Texto(engine::Especificacion(SistemaDe(fila), *dimensionado->elegido, c)));
    }
    salida.resize(ColumnasResultado.size(), Texto(""));
    return salida;
}

std::vector<Celda> CeldasDeSalida(const std::vector<std::string>& celdas,
                                  const Encabezado& encabezado, MarcaDecimal marca,
                                  const FilaLeida& fila,
                                  const std::optional<engine::Dimensionado>& dimensionado,
                                  const engine::Separadores& sep) {
    std::vector<Celda> salida = CeldasDeEntrada(celdas, encabezado, marca);
    for (Celda& celda : CeldasDeResultado(fila, dimensionado, sep)) {
        salida.push_back(std::move(celda));
    }
    return salida;
}

namespace {

// "NEC 2023 215.3"
std::string CitaCompleta(engine::Clausula c, engine::Norma norma) {
    return std::string(engine::NombresNorma[static_cast<std::size_t>(norma)]) + " " +
           std::string(engine::Cita(c, norma));
}

// The notes on the load, its continuous part, the ampacity and the assumptions.
std::vector<std::string> NotasDeLaAmpacidad(engine::Norma norma) {
    using engine::Clausula;
    const auto cita = [norma](Clausula c) { return CitaCompleta(c, norma); };
    return {
        "Corriente de la carga: la de la columna corriente tal como se escribió, o la de su "
        "potencia, redondeada a 2 decimales: I = P / (√3·V·fp) en trifásico y P / (V·fp) en "
        "monofásico (potencia_kw); I = S / (√3·V) y S / V (potencia_kva).",
        "La parte continua de la carga (3 h o más; columna continua en %, o corriente_continua "
        "en A) se toma al 125 % (" +
            cita(Clausula::CargaContinua) +
            "); con un dispositivo aprobado para operar al 100 % de su capacidad "
            "(dispositivo_100), al 100 %. Sin dato, toda la carga se supone continua: con ello "
            "los calibres salen mayores que los de la corriente sola.",
        "Ampacidad de " + cita(Clausula::TablaAmpacidad) +
            ". Sin corrección, la columna de la menor de las temperaturas del aislamiento y de "
            "las terminales lleva 1,25·Ic + In. Con corrección, la columna del aislamiento en su "
            "ubicación, por el factor de temperatura ambiente (" +
            cita(Clausula::TablaTemperatura) +
            ") y el de agrupamiento por los conductores portadores de corriente de cada ducto (" +
            cita(Clausula::TablaAgrupamiento) + "), sin pasar de la columna de las terminales (" +
            cita(Clausula::Terminales) + "), lleva la carga entera (" +
            cita(Clausula::AmpacidadCorregida) + "). La ampacidad que se informa es esta última.",
        "Supuestos: terminales de 75 °C salvo la columna terminales, aunque " +
            cita(Clausula::Terminales) +
            "(1)(a) pide 60 °C en circuitos de 100 A o menos o de calibres 14 a 1, salvo equipo "
            "aprobado para 75 °C; ubicación mojada salvo la columna ubicacion (el interior de un "
            "ducto subterráneo o en lugar mojado es mojado); aislamiento THW salvo la columna "
            "aislamiento. THHN sólo en lugar seco.",
    };
}

// The notes on the overcurrent device and the conductor it protects.
std::string NotaDeLaProteccion(engine::Norma norma) {
    using engine::Clausula;
    const auto cita = [norma](Clausula c) { return CitaCompleta(c, norma); };
    return "Protección: la menor capacidad estándar (" + cita(Clausula::RatingsEstandar) +
           ") no menor que 1,25·Ic + In (" + cita(Clausula::ProteccionAlimentador) +
           "); una dada no puede ser menor, y si no es estándar se permite con una "
           "observación. Debe proteger al conductor (" +
           cita(Clausula::ConductorProtegido) +
           "): hasta 800 A, no pasar de la capacidad estándar siguiente a su ampacidad (" +
           cita(Clausula::SiguienteMayor) + "); sobre 800 A, no pasar de su ampacidad (" +
           cita(Clausula::Mayor800) +
           "); en los calibres 14, 12 y 10, no pasar de 15, 20 y 30 A en cobre, y de 15 y 25 A "
           "en aluminio 12 y 10 (" +
           cita(Clausula::ConductoresPequenos) + ").";
}

// The notes on the neutral, the grounding conductor, the conduit and the total regulation.
std::vector<std::string> NotasDelConjunto(engine::Norma norma) {
    using engine::Clausula;
    const auto cita = [norma](Clausula c) { return CitaCompleta(c, norma); };
    return {
        "Conductor de puesta a tierra de " + cita(Clausula::TablaTierra) +
            " por la protección, del material de las fases; aumentado en proporción a los "
            "circular mils de las fases cuando éstas pasan del calibre por ampacidad (" +
            cita(Clausula::TierraProporcional) + ", áreas de " + cita(Clausula::TablaSecciones) +
            "), sin pasar de las fases (" + cita(Clausula::TierraNoMayor) +
            "); uno en cada tubo de conjuntos en paralelo (" + cita(Clausula::TierraParalelo) +
            ").",
        "Neutro: en trifásico, y en monofásico sólo con la columna neutro (circuito de 3 hilos); "
        "del calibre de las fases, o uno dado no menor que el menor de dos: el de puesta a "
        "tierra de la tabla y el de las fases (" +
            cita(Clausula::NeutroMinimo) +
            "), y 1/0 en paralelo. Cuenta como portador de "
            "corriente sólo con neutro_portador (" +
            cita(Clausula::NeutroPortador) + ").",
        "Tubos: uno por conjunto, con todos sus conductores (" + cita(Clausula::MismoTubo) +
            "), todos iguales; el menor tamaño del tipo de " + cita(Clausula::TablaTubos) +
            " cuyo relleno no pase del 40 % con más de dos conductores, 31 % con dos y 53 % con "
            "uno (" +
            cita(Clausula::TablaRelleno) + "). Áreas de " + cita(Clausula::TablaAreas) +
            " por la familia del aislamiento (THW, THHN o XHHW); el conductor de puesta a "
            "tierra se supone aislado, del mismo tipo: un supuesto conservador.",
        "Regulación total: la del alimentador más la total del que lo alimenta "
        "(alimentado_desde); vuelve a empezar en un transformador. Es una aproximación a "
        "corriente constante: cada caída se toma a su corriente y su voltaje nominal. El 5 % "
        "de " +
            cita(Clausula::NotaRegulacion) +
            " es para alimentadores y circuitos derivados juntos, así que un alimentador suele "
            "dejar parte de él a los circuitos derivados.",
    };
}

} // namespace

std::vector<std::string> NotasDelMetodo(engine::Norma norma) {
    using engine::Clausula;
    const auto& tri = engine::Sistemas[static_cast<std::size_t>(engine::Sistema::Trifasico)];
    const auto& mono = engine::Sistemas[static_cast<std::size_t>(engine::Sistema::Monofasico)];
    std::vector<std::string> notas{
        "Norma: " + std::string(engine::NombresNorma[static_cast<std::size_t>(norma)]) + ".",
        "Resistencia y reactancia de " + CitaCompleta(Clausula::TablaImpedancias, norma) +
            ": cables de 600 V, 60 Hz, 75 °C, tres conductores individuales en ducto, en "
            "ohmios al neutro por 1000 pies.",
        "Caída de voltaje con la impedancia eficaz al factor de potencia del alimentador: "
        "Zef = R·cos θ + X·sen θ; trifásico ΔV = " +
            std::string(tri.factorCaida) +
            "·I·Zef·L, monofásico ΔV = " + std::string(mono.factorCaida) + "·I·Zef·L.",
        "Regulación = caída de voltaje / voltaje de envío × 100 %."};
    for (std::string& nota : NotasDeLaAmpacidad(norma)) {
        notas.push_back(std::move(nota));
    }
    notas.push_back(NotaDeLaProteccion(norma));
    notas.push_back("Conjuntos en paralelo: sólo calibres 1/0 y mayores (" +
                    CitaCompleta(Clausula::Paralelo, norma) +
                    "); la corriente se reparte por igual entre los conjuntos, cada uno en su "
                    "ducto.");
    notas.push_back("Sin calibre dado, se elige el mayor de los dos mínimos: por caída y por "
                    "ampacidad con su protección.");
    for (std::string& nota : NotasDelConjunto(norma)) {
        notas.push_back(std::move(nota));
    }
    return notas;
}

std::string Observaciones(const std::vector<std::string>& mensajes) {
    std::string juntas;
    for (const std::string& m : mensajes) {
        if (!juntas.empty()) {
            juntas += " | ";
        }
        const std::size_t inicio = juntas.size();
        juntas += m;
        for (std::size_t i = juntas.find(" | ", inicio); i != std::string::npos;
             i = juntas.find(" | ", i)) {
            juntas[i + 1] = '/';
        }
    }
    return juntas;
}

} // namespace schedule
