#include "schedule/method_notes.h"
#include "schedule/record.h"

#include "engine/feeder_set.h"
#include "engine/numeric_text.h"
#include "engine/raceways.h"
#include "schedule/text.h"

#include <algorithm>
#include <unordered_map>

namespace schedule {
namespace {

using engine::Cita;
using engine::Clausula;

// The inputs given in words go under the line, not in the table: they would widen it for
// a few rows.
constexpr bool EnNota(Columna c) {
    return Descripcion(c).memoria == EnMemoria::Nota;
}

std::string Fijo(double valor, int decimales, const engine::Separadores& sep) {
    std::string patron = "0";
    if (decimales > 0) {
        patron += "." + std::string(static_cast<std::size_t>(decimales), '0');
    }
    return engine::FormatearConPatron(valor, patron, sep);
}

// An input as its cell wrote it.
std::string Dado(double valor, const engine::Separadores& sep) {
    return engine::ConSeparador(engine::TextoQuinceCifras(valor), sep);
}

std::string Exacto(const engine::Decimal& valor, const engine::Separadores& sep) {
    return engine::ConSeparador(valor.Texto(), sep);
}

std::string Calibre(std::size_t calibre) {
    return std::string(engine::Calibres[calibre].nombre);
}

std::string MaterialEnTexto(engine::Material material) {
    std::string nombre(engine::TablaDe(material).nombre);
    nombre[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(nombre[0])));
    return nombre;
}

// The input columns of the table: the required ones, and the others some row fills.
std::vector<Columna> EntradasDeTabla(const Cuadro& cuadro) {
    std::vector<Columna> columnas;
    for (std::size_t i = 0; i < Columnas.size(); ++i) {
        const auto c = static_cast<Columna>(i);
        const bool llena =
            std::any_of(cuadro.filas.begin(), cuadro.filas.end(),
                        [i](const Cuadro::Fila& f) { return !f.entradas[i].empty(); });
        const bool siempre = Columnas[i].requerida || Columnas[i].memoria == EnMemoria::Siempre;
        if (!EnNota(c) && (siempre || llena)) {
            columnas.push_back(c);
        }
    }
    return columnas;
}

// The feeders from where a feeder's total starts down to it, by their rows.
class Caminos {
public:
    explicit Caminos(const Cuadro& cuadro) : cuadro_(cuadro) {
        for (std::size_t i = 0; i < cuadro.filas.size(); ++i) {
            filas_.emplace(ClaveCircuito(Entrada(i, Columna::Circuito)), i);
        }
    }

    std::vector<std::size_t> Camino(std::size_t fila) const {
        std::vector<std::size_t> camino{fila};
        while (!LeerSiNo(Entrada(fila, Columna::Transformador)).value_or(false)) {
            const auto arriba = filas_.find(ClaveCircuito(Entrada(fila, Columna::AlimentadoDesde)));
            if (arriba == filas_.end() || camino.size() > cuadro_.filas.size()) {
                break;
            }
            fila = arriba->second;
            camino.push_back(fila);
        }
        std::reverse(camino.begin(), camino.end());
        return camino;
    }

    const std::string& Entrada(std::size_t fila, Columna c) const {
        return cuadro_.filas[fila].entradas[static_cast<std::size_t>(c)];
    }

private:
    const Cuadro& cuadro_;
    std::unordered_multimap<std::string, std::size_t> filas_;
};

// The annex's block of one feeder: each step of its sizing with the numbers it took.
class Detalle {
public:
    Detalle(const engine::Alimentador& a, const engine::Dimensionado& d,
            const engine::TablasConductores& tablas, const engine::Separadores& sep,
            engine::Norma norma)
        : a_(a), d_(d), tablas_(tablas), sep_(sep), norma_(norma), elegido_(*d.elegido) {}

    void Caida(std::vector<std::string>& l) const {
        const engine::Conductor& c =
            (*tablas_[static_cast<std::size_t>(a_.material)].filas[elegido_])[a_.ducto];
        const double porJuego = d_.ampacidad->corriente.Real() / a_.juegos;
        const engine::Datos datos{a_.longitud, porJuego, a_.voltaje, a_.factorPotencia, 0};
        const auto calculo =
            engine::CalcularValores(engine::Modo::CaidaVoltaje, a_.sistema, datos, c);
        const auto& v = std::get<engine::Valores>(calculo);
        const bool tri = a_.sistema == engine::Sistema::Trifasico;
        const double kft = a_.longitud * engine::FactorLongitud;
        l.push_back("Caída de voltaje (" + C(Clausula::TablaImpedancias) + "), calibre " +
                    Calibre(elegido_) + " en ducto de " +
                    std::string(engine::Ductos[a_.ducto].nombre) +
                    ": R = " + N(c.ResistenciaTabla, 4) + " Ω y X = " + N(c.ReactanciaTabla, 4) +
                    " Ω por 1000 ft.");
        // Zef per conductor, as the method notes write it; single-phase doubles it in ΔV.
        const std::string factor(engine::DescripcionSistema(a_.sistema).factorCaida);
        const double zef = tri ? v.ZEficaz : v.ZEficaz / 2;
        l.push_back("Zef = R·cos θ + X·sen θ = " + N(c.ResistenciaTabla, 4) + " × " +
                    Dado(a_.factorPotencia, sep_) + " + " + N(c.ReactanciaTabla, 4) + " × " +
                    N(v.Seno, 6) + " = " + N(zef, 6) + " Ω por 1000 ft.");
        l.push_back(
            "L = " + Dado(a_.longitud, sep_) + " m = " + N(kft, 6) +
            " miles de ft; corriente por conjunto I = " + Exacto(d_.ampacidad->corriente, sep_) +
            " A / " + Dado(a_.juegos, sep_) + " = " + N(porJuego, 3) + " A.");
        l.push_back("ΔV = " + factor + "·I·Zef·L = " + factor + " × " + N(porJuego, 3) + " × " +
                    N(zef, 6) + " × " + N(kft, 6) + " = " + N(d_.valores->caida, 3) +
                    " V; regulación = " + N(d_.valores->caida, 3) + " V / " +
                    Dado(a_.voltaje, sep_) + " V × 100 = " + N(d_.valores->regulacion, 2) +
                    " %, máximo " + Dado(a_.regulacionMaxima, sep_) + " %.");
    }

    // A motor's row: the table's current, its conductors' 125 % and its breaker's limit.
    void Motor(std::vector<std::string>& l) const {
        const engine::CircuitoMotor& m = *d_.motor;
        const engine::PlenaCarga& p = m.plenaCarga;
        const engine::TipoMotor tipo = a_.motor->tipo;
        const std::string voltaje = Dado(a_.voltaje, sep_);
        const std::string columna = std::to_string(p.columna);
        const std::string corriente = Exacto(p.corriente, sep_);
        l.push_back(
            "Motor " +
            (tipo == engine::TipoMotor::JaulaDeArdilla
                 ? std::string()
                 : std::string(engine::TiposMotor[static_cast<std::size_t>(tipo)].nombre) + " ") +
            "de " + std::string(engine::PotenciasMotor[a_.motor->potencia].nombre) + " hp, " +
            voltaje + " V" + (voltaje == columna ? "" : " (columna de " + columna + " V)") + ": " +
            corriente + " A (" +
            C(p.trifasica ? Clausula::TablaMotoresTrifasicos : Clausula::TablaMotoresMonofasicos) +
            "); 125 % = " + Exacto(m.conductores, sep_) + " A (" + C(Clausula::ConductoresMotor) +
            "); protección ≤ " + std::to_string(m.porciento) + " % = " + Exacto(m.maxima, sep_) +
            " A (" + C(Clausula::ProteccionMotor) + ")" +
            (m.siguiente == m.maxima
                 ? ""
                 : ", " + Exacto(m.siguiente, sep_) + " A el valor estándar siguiente (" +
                       C(Clausula::MotorSiguienteMayor) + ")") +
            ".");
        std::string placa = "Desconectador (" + C(Clausula::DesconectadorMotor) + "): 115 % × " +
                            corriente + " A = " + Exacto(m.desconectador, sep_) + " A";
        if (m.sobrecarga) {
            placa += "; sobrecarga (" + C(Clausula::SobrecargaMotor) +
                     "): " + std::to_string(m.porcientoSobrecarga) + " % × " +
                     Exacto(*a_.motor->corrientePlaca, sep_) +
                     " A de placa = " + Exacto(*m.sobrecarga, sep_) + " A";
        }
        l.push_back(placa + ".");
    }

    void Ampacidad(std::vector<std::string>& l) const {
        const engine::Ampacidad& a = *d_.ampacidad;
        if (d_.motor) {
            Motor(l);
        } else {
            Carga(l);
        }
        const engine::Decimal uno = engine::AmpacidadPermitida(
            a_.material, elegido_, a.columnaAislamiento, a.columnaTerminales, a.factores);
        l.push_back("Ampacidad (" + C(Clausula::TablaAmpacidad) + "), columna de " +
                    std::to_string(a.columnaAislamiento) + " °C del aislamiento " +
                    std::string(engine::Aislamientos[a_.aislamiento].nombre) +
                    ": factor por temperatura " + Exacto(a.factorTemperatura, sep_) + " (" +
                    C(Clausula::TablaTemperatura) + ") × por agrupamiento de " +
                    std::to_string(a.conductoresDucto) + " conductores " +
                    Exacto(a.factorAgrupamiento, sep_) + " (" + C(Clausula::TablaAgrupamiento) +
                    ") = " + Exacto(a.factores, sep_) + "; calibre " + Calibre(elegido_) + ": " +
                    Exacto(uno, sep_) + " A × " + Dado(a_.juegos, sep_) + " = " +
                    Exacto(d_.valores->ampacidad, sep_) + " A.");
        if (d_.motor) {
            const engine::CircuitoMotor& m = *d_.motor;
            l.push_back("Protección (" + C(Clausula::ProteccionMotor) +
                        "): " + Exacto(a.proteccion, sep_) + " A" +
                        (a.proteccion > m.siguiente
                             ? ", mayor que " + Exacto(m.siguiente, sep_) + " A, no mayor que " +
                                   std::to_string(m.porcientoArranque) +
                                   " % = " + Exacto(m.arranque, sep_) + " A para el arranque (" +
                                   C(Clausula::MotorArranque) + ")"
                             : "") +
                        ". Los conductores los protege el relevador de sobrecarga (" +
                        C(Clausula::MotorConductorProtegido) + ").");
        } else {
            Proteccion(l);
        }
    }

    void Tierra(std::vector<std::string>& l) const {
        const engine::Conjunto& c = *d_.conjunto;
        const engine::FilaTierra* fila = engine::FilaTierraDe(d_.ampacidad->proteccion);
        std::string linea = "Conductor de puesta a tierra (" + C(Clausula::TablaTierra) +
                            (d_.motor ? ", " + C(Clausula::TierraMotor) : "") +
                            "): protección de " + Exacto(d_.ampacidad->proteccion, sep_) +
                            " A, renglón de " + std::to_string(fila->amperes) + " A: " +
                            std::string(fila->calibre[static_cast<std::size_t>(a_.material)]);
        const std::size_t tabla =
            engine::IndiceCalibre(fila->calibre[static_cast<std::size_t>(a_.material)]);
        if (d_.porAmpacidad && elegido_ > *d_.porAmpacidad && tabla < engine::Calibres.size() &&
            c.tierra != tabla) {
            linea += "; en proporción a las fases (" + C(Clausula::TierraProporcional) +
                     "): " + std::to_string(engine::Secciones[tabla].cmil) + " × " +
                     std::to_string(engine::Secciones[elegido_].cmil) + " / " +
                     std::to_string(engine::Secciones[*d_.porAmpacidad].cmil) + " = " +
                     std::to_string(engine::CmilProporcional(tabla, elegido_, *d_.porAmpacidad)) +
                     " cmil";
        }
        l.push_back(linea + ". Elegido: " + Calibre(c.tierra) + ".");
    }

    void Relleno(std::vector<std::string>& l) const {
        const engine::Conjunto& c = *d_.conjunto;
        const std::size_t familia = engine::FamiliaDe(a_.aislamiento);
        const auto area = [&](std::size_t calibre) {
            return N(engine::AreasAislados[calibre].area[familia] / 10000.0, 4);
        };
        const int fases = engine::DescripcionSistema(a_.sistema).conductores;
        std::string suma =
            std::to_string(fases) + " × " + area(elegido_) + " (" + Calibre(elegido_) + ")";
        if (c.neutro) {
            suma += " + " + area(*c.neutro) + " (" + Calibre(*c.neutro) + " N)";
        }
        suma += " + " + area(c.tierra) + " (" + Calibre(c.tierra) + " T)";
        l.push_back("Relleno (" + C(Clausula::TablaRelleno) + ", " + C(Clausula::TablaTubos) +
                    ", " + C(Clausula::TablaAreas) + "), " +
                    std::string(engine::FamiliasAislamiento[familia]) + ", por tubo: " + suma +
                    " = " + N(c.areaConductores / 10000.0, 4) + " in²; " +
                    engine::NombreTubo(c.tubo, c.tamano) + ": " + N(c.areaTubo / 1000.0, 3) +
                    " in²; " + engine::TextoDecimas(c.RellenoDecimas(), sep_) + " %, máximo " +
                    std::to_string(engine::RellenoPermitido(c.conductoresPorTubo)) + " %.");
        const std::size_t menor = std::min({elegido_, c.tierra, c.neutro.value_or(elegido_)});
        if (engine::TieneDosRenglones(familia, menor)) {
            const std::size_t ultimo = engine::RenglonesThw.ultimo;
            l.push_back("Áreas " +
                        (menor == ultimo ? "del " + Calibre(ultimo)
                                         : "de " + Calibre(menor) + " a " + Calibre(ultimo)) +
                        " del renglón «" + std::string(engine::RenglonesThw.mayor) +
                        "» de la tabla, no del «" + std::string(engine::RenglonesThw.menor) +
                        "», que da áreas menores.");
        }
    }

private:
    // A load's current, its parts and what the conductor must carry.
    void Carga(std::vector<std::string>& l) const {
        const engine::Ampacidad& a = *d_.ampacidad;
        l.push_back("Corriente: " + Exacto(a.corriente, sep_) + " A" +
                    (a.calculada ? " (de la potencia, redondeada a 2 decimales)" : "") +
                    "; continua " + Exacto(a.continua, sep_) + " A, no continua " +
                    Exacto(a.noContinua, sep_) + " A. Requerida (" + C(Clausula::CargaContinua) +
                    "): " + Exacto(a.factorContinua, sep_) + " × " + Exacto(a.continua, sep_) +
                    " + " + Exacto(a.noContinua, sep_) + " = " + Exacto(a.requerida, sep_) +
                    " A en la columna de " + std::to_string(a.columnaTerminales) + " °C (" +
                    C(Clausula::Terminales) + ").");
    }

    // The device and the conductor it protects.
    void Proteccion(std::vector<std::string>& l) const {
        const engine::Ampacidad& a = *d_.ampacidad;
        const bool alcanza = !(d_.valores->ampacidad < a.proteccion);
        l.push_back(
            "Protección (" + C(Clausula::RatingsEstandar) + "): " + Exacto(a.proteccion, sep_) +
            " A. Conductor protegido (" + C(Clausula::ConductorProtegido) + "): " +
            (d_.excedeAmpacidad ? "no cumple"
             : alcanza
                 ? Exacto(d_.valores->ampacidad, sep_) + " A ≥ " + Exacto(a.proteccion, sep_) + " A"
                 : "siguiente valor normalizado sobre " + Exacto(d_.valores->ampacidad, sep_) +
                       " A (" + C(Clausula::SiguienteMayor) + ")") +
            ".");
    }

    std::string N(double valor, int decimales) const { return Fijo(valor, decimales, sep_); }
    std::string C(Clausula clausula) const { return std::string(Cita(clausula, norma_)); }

    const engine::Alimentador& a_;
    const engine::Dimensionado& d_;
    const engine::TablasConductores& tablas_;
    const engine::Separadores& sep_;
    engine::Norma norma_;
    std::size_t elegido_;
};

struct Contexto {
    const Cuadro& cuadro;
    const engine::TablasConductores& tablas;
    const engine::Separadores& sep;
    engine::Norma norma;
    double maximo;
    const Caminos& caminos;
    const std::vector<FilaDimensionada>& dimensionadas;
};

std::string LineaTotal(const Contexto& x, std::size_t fila, const EnArbol& lugar) {
    const std::string cita =
        "Regulación total (" + std::string(Cita(Clausula::NotaRegulacion, x.norma)) + "): ";
    if (lugar.error) {
        return cita + *lugar.error;
    }
    const std::vector<std::size_t> camino = x.caminos.Camino(fila);
    std::string linea =
        cita + (LeerSiNo(x.caminos.Entrada(camino.front(), Columna::Transformador)).value_or(false)
                    ? "transformador"
                    : "servicio");
    for (const std::size_t i : camino) {
        const auto regulacion = RegulacionDe(x.dimensionadas[i].dimensionado);
        linea += " → " + std::string(SinBlancos(x.caminos.Entrada(i, Columna::Circuito))) + " (" +
                 (regulacion ? Fijo(*regulacion, 2, x.sep) + " %" : "sin calcular") + ")";
    }
    if (!lugar.total) {
        return linea + (lugar.nota ? ": " + *lugar.nota : ".");
    }
    return linea + " = " + Fijo(*lugar.total, 2, x.sep) + " %, máximo " + Dado(x.maximo, x.sep) +
           " %.";
}

std::vector<std::string> DetalleDe(const Contexto& x, std::size_t fila, const EnArbol& lugar) {
    const FilaDimensionada& f = x.dimensionadas[fila];
    const auto* a = std::get_if<engine::Alimentador>(&f.leida);
    std::string titulo(SinBlancos(x.caminos.Entrada(fila, Columna::Circuito)));
    std::vector<std::string> l;
    if (a == nullptr || !f.dimensionado || !f.dimensionado->calculado ||
        !f.dimensionado->conjunto) {
        l.push_back(titulo);
        std::vector<std::string> motivos;
        if (const auto* errores = std::get_if<std::vector<ErrorCelda>>(&f.leida)) {
            for (const ErrorCelda& e : *errores) {
                motivos.push_back(e.mensaje);
            }
        } else if (f.dimensionado) {
            motivos = f.dimensionado->observaciones;
        }
        l.push_back("No se dimensionó: " + Observaciones(motivos));
        return l;
    }
    const engine::Dimensionado& d = *f.dimensionado;
    l.push_back(titulo + " — " + std::string(engine::DescripcionSistema(a->sistema).nombre) + ", " +
                MaterialEnTexto(a->material) + ", " + Dado(a->voltaje, x.sep) + " V, fp " +
                Dado(a->factorPotencia, x.sep) + ", " + Dado(a->longitud, x.sep) + " m, " +
                Dado(a->juegos, x.sep) + (a->juegos == 1 ? " conjunto" : " conjuntos en paralelo") +
                ": " + engine::Especificacion(a->sistema, *d.elegido, *d.conjunto));
    const Detalle detalle(*a, d, x.tablas, x.sep, x.norma);
    detalle.Caida(l);
    detalle.Ampacidad(l);
    detalle.Tierra(l);
    detalle.Relleno(l);
    l.push_back(LineaTotal(x, fila, lugar));
    for (const std::string& linea : lugar.corto.detalle) {
        l.push_back("Cortocircuito: " + linea);
    }
    if (lugar.corto.detalle.empty() && !lugar.corto.nota.empty()) {
        l.push_back("Cortocircuito: " + lugar.corto.nota);
    }
    return l;
}

// An input cell as the record shows it: a number with the record's separator.
std::string TextoDeEntrada(const Cuadro::Fila& fila, Columna c, const engine::Separadores& sep) {
    const auto i = static_cast<std::size_t>(c);
    if (Columnas[i].numerica() && fila.errores[i].empty() && !fila.entradas[i].empty()) {
        return engine::ConSeparador(fila.entradas[i], sep);
    }
    return fila.entradas[i];
}

Memoria::Fila FilaDe(const Contexto& x, std::size_t i, const std::vector<Columna>& entradas,
                     const EnArbol& lugar) {
    const Cuadro::Fila& fila = x.cuadro.filas[i];
    const FilaDimensionada& f = x.dimensionadas[i];
    Memoria::Fila m;
    for (const Columna c : entradas) {
        std::string texto = TextoDeEntrada(fila, c, x.sep);
        // An empty cell shows the value the sizing took, marked as the default.
        if (const auto usado = ValorUsado(c, f.leida, f.dimensionado);
            usado && SinBlancos(texto).empty()) {
            texto = Dado(*usado, x.sep) + std::string(MarcaOmision);
            m.omisiones = true;
        }
        m.celdas.push_back(std::move(texto));
    }
    std::vector<Celda> resultado = CeldasDeResultado(f.leida, f.dimensionado, x.sep);
    AplicarArbol(resultado, lugar, x.sep);
    for (const ColumnaResultado r : ResultadosEnTabla) {
        m.celdas.push_back(resultado[Indice(r)].texto);
    }
    const auto nota = [&m](std::string_view titulo, const std::string& texto) {
        if (!SinBlancos(texto).empty()) {
            m.notas.push_back(std::string(titulo) + ": " + texto);
        }
    };
    // The drawing's line first, then the inputs given in words, the file's other columns,
    // and the remarks last.
    const auto notasDeResultado = [&](EnMemoria donde) {
        for (std::size_t r = 0; r < ColumnasResultado.size(); ++r) {
            if (ColumnasResultado[r].memoria == donde) {
                nota(ColumnasResultado[r].titulo.corto, resultado[r].texto);
            }
        }
    };
    notasDeResultado(EnMemoria::Nota);
    for (std::size_t c = 0; c < Columnas.size(); ++c) {
        if (EnNota(static_cast<Columna>(c))) {
            nota(Columnas[c].titulo.corto, TextoDeEntrada(fila, static_cast<Columna>(c), x.sep));
        }
    }
    for (std::size_t o = 0; o < x.cuadro.otras.size() && o < fila.otras.size(); ++o) {
        nota(x.cuadro.otras[o], fila.otras[o]);
    }
    notasDeResultado(EnMemoria::Pie);
    m.falla = Falla(f.leida, f.dimensionado, lugar, x.maximo);
    m.detalle = DetalleDe(x, i, lugar);
    return m;
}

} // namespace

bool Falla(const FilaLeida& leida, const std::optional<engine::Dimensionado>& d,
           const EnArbol& lugar, double maximo) {
    return std::holds_alternative<std::vector<ErrorCelda>>(leida) || !d || !d->calculado ||
           d->excedeRegulacion || d->excedeAmpacidad || lugar.error || lugar.corto.error ||
           lugar.corto.insuficiente || (lugar.total && *lugar.total > maximo);
}

void Resumen::Contar(std::string_view circuito, const FilaLeida& leida,
                     const std::optional<engine::Dimensionado>& d, const EnArbol& lugar,
                     double maximo) {
    ++alimentadores;
    ContarCorto(circuito, lugar.corto);
    const std::string nombre(SinBlancos(circuito));
    if (Falla(leida, d, lugar, maximo)) {
        if (++fallan <= FallanNombrados) {
            primerosQueFallan.push_back(nombre);
        }
    }
    const auto mayor = [&nombre](std::optional<Mayor>& m, double valor) {
        if (!m || valor > m->valor) {
            m = Mayor{valor, nombre};
        }
    };
    if (d && d->calculado && d->valores) {
        mayor(mayorRegulacion, d->valores->regulacion);
    }
    if (lugar.total) {
        mayor(mayorTotal, *lugar.total);
    }
    const auto* a = std::get_if<engine::Alimentador>(&leida);
    if (a == nullptr || !d || !d->calculado || !d->conjunto) {
        return;
    }
    const auto material = static_cast<std::size_t>(a->material);
    const double tramo = a->longitud * a->juegos;
    metros[{material, *d->elegido}] += tramo * engine::DescripcionSistema(a->sistema).conductores;
    if (d->conjunto->neutro) {
        metros[{material, *d->conjunto->neutro}] += tramo;
    }
    metros[{material, d->conjunto->tierra}] += tramo;
}

void Resumen::Fuente(const std::variant<std::monostate, schedule::Fuente, std::string>& fuente) {
    if (const auto* f = std::get_if<schedule::Fuente>(&fuente)) {
        if (const auto corriente = TableroDeLaFuente(*f).corriente) {
            iccAcometida =
                TextoKa(*corriente + f->Motores() * engine::Racional(engine::MultiploMotores));
        }
    }
}

void Resumen::ContarCorto(std::string_view circuito, const CortoDeFila& corto) {
    if (corto.inicio && (!mayorCorto || mayorCorto->amperes < *corto.inicio)) {
        mayorCorto = MayorCorto{*corto.inicio, std::string(SinBlancos(circuito))};
    }
    if (corto.insuficiente && ++cortas <= FallanNombrados) {
        capacidadCorta.emplace_back(SinBlancos(circuito));
    }
}

std::vector<Renglon> RenglonesProyecto(const DatosProyecto& p, const engine::Separadores& sep) {
    std::vector<Renglon> renglones;
    for (std::size_t i = 0; i < CamposProyecto.size(); ++i) {
        const CampoProyecto& c = CamposProyecto[i];
        // The source's entries only where given: a schedule without one names none.
        if (i >= PrimerCampoDeFuente && SinBlancos(p.*c.campo).empty()) {
            continue;
        }
        Celda valor{p.*c.campo, std::nullopt, {}};
        // The settings as they rule the schedule: the edition and the limit in force.
        if (c.campo == &DatosProyecto::norma) {
            valor.texto = engine::NombresNorma[static_cast<std::size_t>(NormaDe(p))];
        } else if (c.campo == &DatosProyecto::regulacionTotal) {
            const double limite = RegulacionTotalDe(p);
            valor = {Dado(limite, sep), limite, {}};
        }
        renglones.push_back({std::string(c.etiqueta), valor});
    }
    return renglones;
}

std::vector<Renglon> RenglonesResumen(const Resumen& r, const engine::Separadores& sep) {
    const auto numero = [&sep](double valor, int decimales, std::string_view formato) {
        return Celda{Fijo(valor, decimales, sep), valor, formato};
    };
    const auto texto = [](std::string t) { return Celda{std::move(t), std::nullopt, {}}; };
    const auto mayor = [&](const std::optional<Resumen::Mayor>& m) {
        return texto(m ? Fijo(m->valor, 2, sep) + " % (" + m->circuito + ")" : "ninguna");
    };
    std::string fallan;
    for (const std::string& c : r.primerosQueFallan) {
        fallan += (fallan.empty() ? "" : ", ") + c;
    }
    if (r.fallan > r.primerosQueFallan.size()) {
        fallan += " y " + std::to_string(r.fallan - r.primerosQueFallan.size()) +
                  " más, señalados en la tabla";
    }
    std::vector<Renglon> renglones{
        {"Alimentadores", numero(static_cast<double>(r.alimentadores), 0, "0")},
        {"No cumplen alguna regla",
         texto(std::to_string(r.fallan) + (fallan.empty() ? "" : ": " + fallan))},
        {"Mayor regulación", mayor(r.mayorRegulacion)},
        {"Mayor regulación total", mayor(r.mayorTotal)}};
    if (r.iccAcometida) {
        const auto ka = [&sep](const std::string& t) {
            return engine::ConSeparador(t, sep) + " kA";
        };
        std::string cortos;
        for (const std::string& c : r.capacidadCorta) {
            cortos += (cortos.empty() ? "" : ", ") + c;
        }
        if (r.cortas > r.capacidadCorta.size()) {
            cortos += " y " + std::to_string(r.cortas - r.capacidadCorta.size()) + " más";
        }
        renglones.push_back({"Cortocircuito en la acometida", texto(ka(*r.iccAcometida))});
        renglones.push_back({"Mayor cortocircuito al inicio de un alimentador",
                             texto(r.mayorCorto ? ka(TextoKa(r.mayorCorto->amperes)) + " (" +
                                                      r.mayorCorto->circuito + ")"
                                                : "ninguno")});
        renglones.push_back(
            {"Capacidad interruptiva insuficiente",
             texto(std::to_string(r.cortas) + (cortos.empty() ? "" : ": " + cortos))});
    }
    for (const auto& [clave, metros] : r.metros) {
        renglones.push_back({"Conductor de " +
                                 MaterialEnTexto(static_cast<engine::Material>(clave.first)) + " " +
                                 Calibre(clave.second) + " (m)",
                             numero(metros, 1, "0.0")});
    }
    return renglones;
}

std::optional<Memoria> ArmarMemoria(const Cuadro& cuadro, const engine::TablasConductores& tablas,
                                    const std::optional<std::string>& errorTablas,
                                    const engine::Separadores& sep,
                                    const std::function<bool(std::size_t)>& avance) {
    const engine::Norma norma = NormaDe(cuadro.proyecto);
    const auto hechas = DimensionarCuadro(cuadro, tablas, errorTablas, sep, avance);
    if (!hechas) {
        return std::nullopt;
    }
    const std::vector<FilaDimensionada>& dimensionadas = *hechas;
    const std::vector<EnArbol> arbol = ArbolDelCuadro(cuadro, dimensionadas, sep, true);
    const Caminos caminos(cuadro);
    const Contexto x{cuadro,  tablas,       sep, norma, RegulacionTotalDe(cuadro.proyecto),
                     caminos, dimensionadas};
    Memoria m;
    m.proyecto = cuadro.proyecto;
    const auto fuente = FuenteDelCuadro(cuadro, dimensionadas);
    m.resumen.Fuente(fuente);
    m.sep = sep;
    m.norma = std::string(engine::NombresNorma[static_cast<std::size_t>(norma)]);
    const std::vector<Columna> entradas = EntradasDeTabla(cuadro);
    for (const Columna c : entradas) {
        m.columnas.push_back({std::string(TituloDe(c).corto), Descripcion(c).numerica()});
    }
    for (const ColumnaResultado r : ResultadosEnTabla) {
        m.columnas.push_back({std::string(Descripcion(r).titulo.corto), Descripcion(r).numerica});
    }
    m.filas.reserve(cuadro.filas.size());
    for (std::size_t i = 0; i < cuadro.filas.size(); ++i) {
        m.filas.push_back(FilaDe(x, i, entradas, arbol[i]));
        if (m.filas.back().omisiones) {
            m.leyenda = std::string(MarcaOmision) +
                        " La celda está vacía: el valor es el que se tomó por omisión.";
        }
        m.resumen.Contar(caminos.Entrada(i, Columna::Circuito), dimensionadas[i].leida,
                         dimensionadas[i].dimensionado, arbol[i], x.maximo);
    }
    m.notasMetodo = NotasDelMetodo(norma);
    // The source's own step, redone by hand from its nameplate, after the method.
    if (std::holds_alternative<Fuente>(fuente)) {
        for (const std::string& linea : DetalleDeLaFuente(std::get<Fuente>(fuente), sep)) {
            m.notasMetodo.push_back("Fuente de este proyecto: " + linea);
        }
    }
    return m;
}

} // namespace schedule
