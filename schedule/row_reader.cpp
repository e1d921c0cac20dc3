#include "schedule/row_reader.h"

#include "engine/numeric_text.h"
#include "engine/raceways.h"
#include "schedule/text.h"

#include <algorithm>
#include <charconv>

namespace schedule {
namespace {

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
// conduit, and PVC by its schedule. A conduit type named so is the feeder's type too, and
// its material the conduit's.
struct PalabraDucto {
    std::string_view palabra; // as the message lists it
    std::string_view tubo;    // a name in Tubos, or none
    std::string_view ducto;   // without a type, a name in Ductos
};
constexpr PalabraDucto PalabrasDucto[] = {
    {"EMT", "EMT", ""},
    {"IMC", "IMC", ""},
    {"RMC", "RMC", ""},
    {"tubo conduit", "", "Acero"},
    {"pared delgada", "EMT", ""},
    {"pared gruesa", "RMC", ""},
    {"galvanizado", "", "Acero"},
    {"PVC-40", "PVC-40", ""},
    {"PVC-80", "PVC-80", ""},
    {"PVC cédula 40", "PVC-40", ""},
    {"PVC cédula 80", "PVC-80", ""},
};

constexpr std::size_t DuctoDe(const PalabraDucto& p) {
    return p.tubo.empty() ? engine::IndiceDucto(p.ducto)
                          : engine::DuctoDelTubo(engine::IndiceTubo(p.tubo));
}

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

// A motor's type by its name; induction is the squirrel cage, as the trade says it.
std::optional<engine::TipoMotor> ElegirTipoMotor(std::string_view texto) {
    const std::string normal = Normalizar(texto);
    for (std::size_t i = 0; i < engine::TiposMotor.size(); ++i) {
        if (normal == Normalizar(engine::TiposMotor[i].nombre)) {
            return static_cast<engine::TipoMotor>(i);
        }
    }
    if (normal == "induccion" || normal == "jaula" || normal == "de induccion") {
        return engine::TipoMotor::JaulaDeArdilla;
    }
    if (normal == "rotor bobinado") {
        return engine::TipoMotor::RotorDevanado;
    }
    return std::nullopt;
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

// A conduit as its words name it: its material (a place in Ductos) and, if they name one,
// its type (a place in Tubos). "Tubo conduit" alone is steel, as the trade says it, but
// gives way to a material named beside it: "tubo conduit de aluminio" is aluminium.
struct LecturaDucto {
    std::size_t ducto;
    std::optional<std::size_t> tubo;
};

// Each phrase a conduit cell may hold, as its normalised words run together, with what it
// names; the weak one only stands where no other names a material. A cell may write a
// phrase as its words ("PVC 40") or run together ("PVC-40").
struct FraseDucto {
    std::string junta;
    LecturaDucto lectura;
    bool debil = false;
};

// The words a conduit's cell may hold beside the names, naming nothing.
constexpr std::array<std::string_view, 8> RellenoDucto{"de",      "del",     "en",    "tubo",
                                                       "tuberia", "conduit", "ducto", "tipo"};

// A text's words for a conduit, normalised, without hyphens.
std::vector<std::string> PalabrasDe(std::string_view texto) {
    std::vector<std::string> palabras;
    std::string palabra;
    for (const char c : std::string(texto) + " ") {
        if (c == ' ' || c == '\t' || c == ',' || c == '/') {
            if (const std::string normal = NormalDucto(palabra); !normal.empty()) {
                palabras.push_back(normal);
            }
            palabra.clear();
        } else {
            palabra += c;
        }
    }
    return palabras;
}

const std::vector<FraseDucto>& FrasesDucto() {
    static const std::vector<FraseDucto> frases = [] {
        std::vector<FraseDucto> f;
        for (std::size_t i = 0; i < engine::Ductos.size(); ++i) {
            f.push_back({NormalDucto(engine::Ductos[i].nombre), {i, std::nullopt}});
        }
        for (const PalabraDucto& p : PalabrasDucto) {
            const std::optional<std::size_t> tubo =
                p.tubo.empty() ? std::nullopt : std::optional(engine::IndiceTubo(p.tubo));
            f.push_back({NormalDucto(p.palabra), {DuctoDe(p), tubo}, p.palabra == "tubo conduit"});
        }
        // The longest phrases are tried first: "PVC cédula 40" and "PVC-40" before "PVC".
        std::stable_sort(f.begin(), f.end(), [](const auto& a, const auto& b) {
            return a.junta.size() > b.junta.size();
        });
        return f;
    }();
    return frases;
}

// The phrase that starts at word `i`, and how many words it takes.
std::pair<const FraseDucto*, std::size_t> FraseEn(const std::vector<std::string>& palabras,
                                                  std::size_t i) {
    for (const FraseDucto& f : FrasesDucto()) {
        std::string parte;
        for (std::size_t largo = 1; i + largo <= palabras.size(); ++largo) {
            parte += palabras[i + largo - 1];
            if (parte == f.junta) {
                return {&f, largo};
            }
            if (!f.junta.starts_with(parte)) {
                break;
            }
        }
    }
    return {nullptr, 0};
}

// The conduit a cell names by the words it holds, with one meaning: phrases that agree on
// the material and name at most one type, among words that name nothing; none otherwise.
std::optional<LecturaDucto> LeerDucto(std::string_view texto) {
    // A whole name, as most cells hold, is found without parting the words.
    const std::string entera = NormalDucto(texto);
    for (const FraseDucto& f : FrasesDucto()) {
        if (f.junta == entera) {
            return f.lectura;
        }
    }
    const std::vector<std::string> palabras = PalabrasDe(texto);
    std::vector<const FraseDucto*> halladas;
    for (std::size_t i = 0; i < palabras.size();) {
        const auto [frase, largo] = FraseEn(palabras, i);
        if (frase != nullptr) {
            halladas.push_back(frase);
            i += largo;
        } else if (std::find(RellenoDucto.begin(), RellenoDucto.end(), palabras[i]) !=
                   RellenoDucto.end()) {
            ++i;
        } else {
            return std::nullopt;
        }
    }
    // The phrases that name a material first; the weak one only where none does.
    std::stable_partition(halladas.begin(), halladas.end(),
                          [](const FraseDucto* f) { return !f->debil; });
    std::optional<LecturaDucto> lectura;
    for (const FraseDucto* f : halladas) {
        if (!lectura) {
            lectura = f->lectura;
        } else if (f->debil) {
            break;
        } else if (lectura->ducto != f->lectura.ducto ||
                   (lectura->tubo && f->lectura.tubo && lectura->tubo != f->lectura.tubo)) {
            return std::nullopt;
        } else if (f->lectura.tubo) {
            lectura->tubo = f->lectura.tubo;
        }
    }
    return lectura;
}

std::optional<std::size_t> ElegirDucto(std::string_view texto) {
    const auto lectura = LeerDucto(texto);
    return lectura ? std::optional(lectura->ducto) : std::nullopt;
}

// The conduit type a `ducto` cell names, if it names one.
std::optional<std::size_t> TuboDelDucto(std::string_view texto) {
    const auto lectura = LeerDucto(texto);
    return lectura ? lectura->tubo : std::nullopt;
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
    return lista + ", solas o juntas si dicen un mismo ducto, como «tubo conduit galvanizado» o "
                   "«conduit de PVC»";
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

    // A number the sizing does not check: it must be above zero.
    std::optional<engine::Decimal> Positivo(Columna c) {
        const auto numero = Exacto(c);
        if (numero && *numero <= engine::Decimal(0)) {
            errores.push_back({c, "La columna " + NombreColumna(c) + " debe ser mayor que cero: " +
                                      Comillas(SinBlancos(Celda(c))) + "."});
            return std::nullopt;
        }
        return numero;
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

    // A motor's row: its rating, its type and its nameplate. Without a rating, the other
    // motor columns are an error: they belong to a motor.
    void Motor(engine::Alimentador& a) {
        constexpr Columna placa[] = {Columna::MotorTipo, Columna::MotorCorrientePlaca,
                                     Columna::MotorFactorServicio, Columna::MotorElevacion};
        if (SinBlancos(Celda(Columna::MotorHp)).empty()) {
            for (const Columna c : placa) {
                if (!SinBlancos(Celda(c)).empty()) {
                    Error(c, "es de un motor, y la fila no da su potencia en " +
                                 NombreColumna(Columna::MotorHp) + ".");
                }
            }
            return;
        }
        engine::Motor m;
        if (const auto potencia = engine::PotenciaDe(SinBlancos(Celda(Columna::MotorHp)))) {
            m.potencia = *potencia;
        } else {
            std::string potencias;
            for (const engine::PotenciaMotor& p : engine::PotenciasMotor) {
                potencias += (potencias.empty() ? "" : ", ") + std::string(p.nombre);
            }
            Error(Columna::MotorHp, "no tiene una potencia de las tablas de motores: " +
                                        Comillas(Celda(Columna::MotorHp)) + ". Las potencias son " +
                                        potencias + " hp.");
        }
        Opcional(Columna::MotorTipo, ElegirTipoMotor, m.tipo);
        m.corrientePlaca = Positivo(Columna::MotorCorrientePlaca);
        m.factorServicio = Positivo(Columna::MotorFactorServicio);
        m.elevacion = Positivo(Columna::MotorElevacion);
        a.motor = m;
    }

    // A motor's load is its full-load current from the tables: no load column is given.
    void SinCarga() {
        for (const Columna c : {Columna::Corriente, Columna::PotenciaKw, Columna::PotenciaKva}) {
            if (!SinBlancos(Celda(c)).empty()) {
                Error(c, "debe quedar vacía en la fila de un motor: su carga es la corriente a "
                         "plena carga de las tablas de motores, por " +
                             NombreColumna(Columna::MotorHp) + ".");
            }
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

} // namespace

std::string_view SinPorciento(std::string_view texto) {
    const std::string_view limpio = SinBlancos(texto);
    return limpio.ends_with('%') ? SinBlancos(limpio.substr(0, limpio.size() - 1)) : texto;
}

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

bool FilaVacia(const std::vector<std::string>& celdas) {
    return std::all_of(celdas.begin(), celdas.end(),
                       [](const std::string& c) { return SinBlancos(c).empty(); });
}

void ContarMarcas(const std::vector<std::string>& celdas, const Encabezado& e,
                  DecisionMarca& decision) {
    for (std::size_t c = 0; c < Columnas.size(); ++c) {
        if (Columnas[c].numerica() && e.posicion[c] && *e.posicion[c] < celdas.size()) {
            decision.Contar(SinPorciento(celdas[*e.posicion[c]]));
        }
    }
}

std::variant<Numero, ErrorCelda> LeerNumeroDe(Columna c, std::string_view texto,
                                              MarcaDecimal marca) {
    // "3 %" is the 3 a column in % holds; elsewhere a percent is no such column's number.
    const std::string_view numero = SinPorciento(texto);
    if (numero.size() != texto.size() && !Descripcion(c).porciento) {
        return ErrorCelda{c, "La columna " + NombreColumna(c) + " tiene un porcentaje, " +
                                 Comillas(SinBlancos(texto)) + ", y no es una columna en %."};
    }
    const auto leido = LeerNumero(numero, marca);
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
    f.Motor(a);
    if (a.motor) {
        f.SinCarga();
    } else {
        f.UnaDe({Columna::Corriente, Columna::PotenciaKw, Columna::PotenciaKva}, true);
    }
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
    a.capacidadInterruptiva = f.Positivo(Columna::CapacidadInterruptiva);
    a.kvaTransformador = f.Positivo(Columna::KvaTransformador);
    a.zTransformador = f.Positivo(Columna::ZTransformador);
    f.CeldasDeMas();
    if (!f.errores.empty()) {
        return f.errores;
    }
    return a;
}

} // namespace schedule
