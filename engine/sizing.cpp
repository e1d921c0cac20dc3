#include "engine/sizing.h"

#include "engine/ampacity.h"
#include "engine/feeder_set.h"
#include "engine/numeric_text.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace engine {
namespace {

constexpr int JuegosMaximos = 10;
// Above it a device protects a conductor only up to its ampacity (240.4(C)).
const Decimal LimiteSiguienteMayor(800);

// A value as the user wrote it, to 15 digits, with the decimal separator of the file.
std::string Numero(double valor, const Separadores& sep) {
    return ConSeparador(TextoQuinceCifras(valor), sep);
}

std::string Numero(const Decimal& valor, const Separadores& sep) {
    return ConSeparador(valor.Texto(), sep);
}

bool Entero(double valor) {
    return std::isfinite(valor) && valor == std::floor(valor);
}

struct Invalida {
    Dato dato;
    std::string mensaje;
};

Invalida Con(Dato dato, std::string_view regla, const std::string& valor) {
    return Invalida{dato, std::string(regla) + " (dado: " + valor + ")."};
}

// The first rule of the feeder's numbers it breaks, named with its value.
std::optional<Invalida> NumerosInvalidos(const Alimentador& a, const Separadores& sep) {
    const auto con = [&](Dato dato, std::string_view regla, double valor) {
        return Con(dato, regla, Numero(valor, sep));
    };
    if (!(a.voltaje > 0) || !std::isfinite(a.voltaje)) {
        return con(Dato::Voltaje, "El voltaje debe ser mayor que cero", a.voltaje);
    }
    if (!(a.factorPotencia > 0 && a.factorPotencia <= 1)) {
        return con(Dato::FactorPotencia,
                   "El factor de potencia debe ser mayor que 0 y no mayor que 1", a.factorPotencia);
    }
    if (!(a.longitud > 0) || !std::isfinite(a.longitud)) {
        return con(Dato::Longitud, "La longitud debe ser mayor que cero", a.longitud);
    }
    if (!(a.regulacionMaxima > 0 && a.regulacionMaxima < 100)) {
        return con(Dato::RegulacionMaxima,
                   "La regulación máxima debe ser mayor que 0 % y menor que 100 %",
                   a.regulacionMaxima);
    }
    if (!Entero(a.juegos) || a.juegos < 1 || a.juegos > JuegosMaximos) {
        return con(Dato::Juegos, "Los conjuntos en paralelo deben ser un número entero de 1 a 10",
                   a.juegos);
    }
    if (a.conductoresDucto && (!Entero(*a.conductoresDucto) || *a.conductoresDucto < 1)) {
        return con(Dato::ConductoresDucto,
                   "Los conductores en el ducto deben ser un número entero, 1 o más",
                   *a.conductoresDucto);
    }
    if (a.ducto >= Ductos.size()) {
        return Invalida{Dato::Ducto, "El ducto no es uno de los de la tabla."};
    }
    return std::nullopt;
}

// A number of the load or the device that must be above zero, and is not.
std::optional<Invalida> NoPositivo(const std::optional<Decimal>& valor, Dato dato,
                                   std::string_view regla, const Separadores& sep) {
    if (valor && !(*valor > 0)) {
        return Con(dato, regla, Numero(*valor, sep));
    }
    return std::nullopt;
}

// The first rule of the load the feeder breaks: given one way, or none for a motor, its
// numbers above zero, its continuous part within the load.
std::optional<Invalida> LaCargaInvalida(const Alimentador& a, const Separadores& sep) {
    if (a.motor && (a.corriente || a.potenciaKw || a.potenciaKva)) {
        return Invalida{a.corriente    ? Dato::Corriente
                        : a.potenciaKw ? Dato::PotenciaKw
                                       : Dato::PotenciaKva,
                        "La carga de un motor es su corriente a plena carga de la tabla: no se "
                        "da su corriente ni su potencia."};
    }
    if (!a.motor && !a.corriente && !a.potenciaKw && !a.potenciaKva) {
        return Invalida{Dato::Corriente, "Falta la carga: su corriente o su potencia."};
    }
    if (auto e =
            NoPositivo(a.corriente, Dato::Corriente, "La corriente debe ser mayor que cero", sep)) {
        return e;
    }
    if (auto e = NoPositivo(a.potenciaKw, Dato::PotenciaKw, "La potencia debe ser mayor que cero",
                            sep)) {
        return e;
    }
    if (auto e = NoPositivo(a.potenciaKva, Dato::PotenciaKva, "La potencia debe ser mayor que cero",
                            sep)) {
        return e;
    }
    if (a.continua && (*a.continua < 0 || *a.continua > 100)) {
        return Con(Dato::Continua, "La parte continua de la carga debe ser de 0 % a 100 %",
                   Numero(*a.continua, sep));
    }
    if (a.corrienteContinua && *a.corrienteContinua < 0) {
        return Con(Dato::CorrienteContinua, "La corriente continua no puede ser negativa",
                   Numero(*a.corrienteContinua, sep));
    }
    return std::nullopt;
}

// The first rule of the load, the insulation and the device the feeder breaks.
std::optional<Invalida> CargaInvalida(const Alimentador& a, const Separadores& sep) {
    if (auto e = LaCargaInvalida(a, sep)) {
        return e;
    }
    if (std::find(TemperaturasTerminales.begin(), TemperaturasTerminales.end(), a.terminales) ==
        TemperaturasTerminales.end()) {
        std::string permitidas;
        for (const int t : TemperaturasTerminales) {
            permitidas += (permitidas.empty() ? "de " : " o de ") + std::to_string(t) + " °C";
        }
        return Con(Dato::Terminales, "Las terminales deben ser " + permitidas,
                   Numero(a.terminales, sep));
    }
    if (a.aislamiento >= Aislamientos.size()) {
        return Invalida{Dato::Aislamiento, "El aislamiento no es uno de los de la tabla."};
    }
    if (TemperaturaAislamiento(a.aislamiento, a.mojado) == 0) {
        return Invalida{Dato::Aislamiento, "El aislamiento " +
                                               std::string(Aislamientos[a.aislamiento].nombre) +
                                               " no puede usarse en un lugar mojado."};
    }
    const int columna = TemperaturaAislamiento(a.aislamiento, a.mojado);
    if (!(a.temperaturaAmbiente <= AmbienteMaximo(columna)) ||
        !std::isfinite(a.temperaturaAmbiente)) {
        return Con(Dato::TemperaturaAmbiente,
                   "Con temperatura ambiente mayor de " + std::to_string(AmbienteMaximo(columna)) +
                       " °C el conductor de " + std::to_string(columna) + " °C no puede usarse",
                   Numero(a.temperaturaAmbiente, sep));
    }
    return NoPositivo(a.proteccion, Dato::Proteccion, "La protección debe ser mayor que cero", sep);
}

// The load's current: as written, or from its power at the sending voltage, rounded half up
// to 2 decimals.
std::optional<Decimal> CorrienteDeLaCarga(const Alimentador& a) {
    if (a.corriente) {
        return a.corriente;
    }
    const bool trifasico = a.sistema == Sistema::Trifasico;
    const double raiz = trifasico ? std::sqrt(3.0) : 1.0;
    const double amperes = a.potenciaKw
                               ? a.potenciaKw->Real() * 1000 / (raiz * a.voltaje * a.factorPotencia)
                               : a.potenciaKva->Real() * 1000 / (raiz * a.voltaje);
    const auto exacta = Decimal::DeReal(amperes);
    return exacta ? std::optional(exacta->Redondeado(2)) : std::nullopt;
}

// The conductors counted in one raceway, and a remark when the count given is less than
// one set has.
int ConductoresEnDucto(const Alimentador& a, std::vector<std::string>& observaciones) {
    // A neutral that carries current counts with the phases.
    const int juego =
        DescripcionSistema(a.sistema).conductores + (ConNeutro(a) && a.neutroPortador ? 1 : 0);
    if (!a.conductoresDucto) {
        return juego;
    }
    const double dados = std::min(*a.conductoresDucto, 1e6);
    if (dados < juego) {
        observaciones.push_back("Los conductores en el ducto (" + TextoQuinceCifras(dados) +
                                ") son menos que los de un conjunto; se toman " +
                                std::to_string(juego) + ".");
        return juego;
    }
    return static_cast<int>(dados);
}

// The load's current, its parts, the columns and factors, and the device: what every size
// is checked against. A message when the load or the device cannot be had.
std::variant<Ampacidad, Invalida> Carga(const Alimentador& a, const Separadores& sep,
                                        const std::optional<CircuitoMotor>& motor,
                                        std::vector<std::string>& observaciones) {
    Ampacidad c;
    const auto corriente =
        motor ? std::optional(motor->plenaCarga.corriente) : CorrienteDeLaCarga(a);
    if (!corriente || *corriente > Decimal(1000000)) {
        return Invalida{a.corriente ? Dato::Corriente
                                    : (a.potenciaKw ? Dato::PotenciaKw : Dato::PotenciaKva),
                        "La carga es demasiado grande para calcular."};
    }
    c.corriente = *corriente;
    c.calculada = !a.corriente && !motor;
    // 430.22: a motor's conductors carry 125 % of its full-load current, as a continuous load.
    c.continua = motor ? c.corriente
                 : a.corrienteContinua
                     ? *a.corrienteContinua
                     : c.corriente * a.continua.value_or(Decimal(PorOmision.continua)) *
                           Decimal::Partes(1, 2);
    if (c.continua > c.corriente) {
        return Con(Dato::CorrienteContinua,
                   "La corriente continua no puede pasar de la corriente de la carga (" +
                       Numero(c.corriente, sep) + " A)",
                   Numero(c.continua, sep));
    }
    c.noContinua = c.corriente - c.continua;
    c.factorContinua = a.dispositivo100 && !motor ? Decimal(1) : Decimal::Partes(125, 2);
    c.requerida = c.factorContinua * c.continua + c.noContinua;
    c.columnaAislamiento = TemperaturaAislamiento(a.aislamiento, a.mojado);
    c.columnaTerminales = std::min(c.columnaAislamiento, static_cast<int>(a.terminales));
    c.factorTemperatura = *FactorTemperatura(a.temperaturaAmbiente, c.columnaAislamiento);
    c.conductoresDucto = ConductoresEnDucto(a, observaciones);
    c.factorAgrupamiento = FactorAgrupamiento(c.conductoresDucto);
    return c;
}

// One feeder's sizing, step by step: the device, the two minimums, the size given or
// chosen, and the remarks on them.
class Dimensionamiento {
public:
    Dimensionamiento(const Alimentador& a, const TablasConductores& tablas, const Separadores& sep,
                     Norma norma, Dimensionado& d)
        : a_(a), tabla_(tablas[static_cast<std::size_t>(a.material)]), sep_(sep), norma_(norma),
          d_(d), primero_(std::max(TablaDe(a.material).primerCalibre,
                                   a.juegos >= 2 ? PrimerCalibreParalelo : 0)) {}

    // The load and the device it needs, or the one given checked; false when none serves.
    bool Proteccion() {
        if (a_.motor && !MotorDeTabla()) {
            return false;
        }
        auto carga = Carga(a_, sep_, d_.motor, d_.observaciones);
        if (auto* invalida = std::get_if<Invalida>(&carga)) {
            return Rechazar(invalida->dato, invalida->mensaje);
        }
        d_.ampacidad = std::get<Ampacidad>(carga);
        Ampacidad& c = *d_.ampacidad;
        c.factores = c.factorTemperatura * c.factorAgrupamiento;
        porJuego_ = c.corriente.Real() / a_.juegos;
        if (d_.motor) {
            return ProteccionMotor();
        }
        if (!a_.proteccion) {
            const auto estandar = SiguienteEstandar(c.requerida);
            if (!estandar) {
                return Rechazar(Dato::Corriente, "Ninguna protección estándar llega a " +
                                                     Numero(c.requerida, sep_) + " A " +
                                                     Cita(Clausula::RatingsEstandar) + ".");
            }
            c.proteccion = *estandar;
            return true;
        }
        c.proteccion = *a_.proteccion;
        if (c.proteccion < c.requerida) {
            return Rechazar(Dato::Proteccion, "La protección de " + Numero(c.proteccion, sep_) +
                                                  " A es menor que la mínima de " +
                                                  Numero(c.requerida, sep_) + " A " +
                                                  Cita(Clausula::ProteccionAlimentador) + ".");
        }
        ObservarNoEstandar();
        return true;
    }

    // A motor's full-load current from the code's tables, its circuit's figures, and the
    // remarks on how its conductors are protected.
    bool MotorDeTabla() {
        const auto leida = CorrientePlenaCarga(*a_.motor, a_.sistema, a_.voltaje, norma_);
        if (const auto* sin = std::get_if<SinPlenaCarga>(&leida)) {
            return Rechazar(sin->falta == FaltaMotor::Voltaje ? Dato::Voltaje
                            : sin->falta == FaltaMotor::Tipo  ? Dato::MotorTipo
                                                              : Dato::MotorHp,
                            sin->mensaje);
        }
        d_.motor = Circuito(*a_.motor, std::get<PlenaCarga>(leida));
        const CircuitoMotor& m = *d_.motor;
        if (m.plenaCarga.fueraDeRango) {
            d_.observaciones.push_back(
                "Las tablas de motores llegan a 120 V: a " + Numero(a_.voltaje, sep_) +
                " V se toma la columna de 115 V " + Cita(Clausula::TablaMotoresMonofasicos) + ".");
        }
        if (a_.continua || a_.corrienteContinua || a_.dispositivo100) {
            d_.observaciones.push_back(
                "La carga continua no se aplica a un motor: sus conductores llevan el 125 % de su "
                "corriente a plena carga " +
                Cita(Clausula::ConductoresMotor) + ".");
        }
        // 430.31: the overload device protects the motor's conductors, not its breaker.
        std::string proteccion = "Los conductores del motor los protege su relevador de "
                                 "sobrecarga " +
                                 Cita(Clausula::MotorConductorProtegido);
        if (m.sobrecarga) {
            proteccion += ": a lo más " + Numero(*m.sobrecarga, sep_) + " A, el " +
                          std::to_string(m.porcientoSobrecarga) + " % de la corriente de placa " +
                          Cita(Clausula::SobrecargaMotor) + ".";
        } else {
            proteccion += ", que se ajusta con la corriente de placa del motor " +
                          Cita(Clausula::SobrecargaMotor) + ".";
        }
        d_.observaciones.push_back(std::move(proteccion));
        return true;
    }

    // 430.52: the breaker up to the table's percentage of the full-load current, or the
    // standard rating above it; a given one above that up to Exception No. 2's limit, which
    // serves a motor the first cannot start.
    bool ProteccionMotor() {
        const CircuitoMotor& m = *d_.motor;
        Ampacidad& c = *d_.ampacidad;
        if (!a_.proteccion) {
            c.proteccion = m.siguiente;
            return true;
        }
        c.proteccion = *a_.proteccion;
        const std::string dada = "La protección de " + Numero(c.proteccion, sep_) + " A";
        const std::string corriente = Numero(m.plenaCarga.corriente, sep_) + " A";
        const std::string maxima =
            Numero(m.siguiente, sep_) + " A, el " + std::to_string(m.porciento) + " % de " +
            corriente + (m.siguiente == m.maxima ? " " : " al valor estándar siguiente ") +
            Cita(Clausula::TablaProteccionMotor, Clausula::MotorSiguienteMayor);
        const std::string arranque = Numero(m.arranque, sep_) + " A, el " +
                                     std::to_string(m.porcientoArranque) + " % " +
                                     Cita(Clausula::MotorArranque);
        if (c.proteccion > m.siguiente && c.proteccion > m.arranque) {
            return Rechazar(Dato::Proteccion, dada + " pasa de la máxima de " + maxima + ", y de " +
                                                  arranque + ", que se permite para el arranque.");
        }
        if (c.proteccion > m.siguiente) {
            d_.observaciones.push_back(dada + " pasa de la máxima de " + maxima +
                                       ": se permite hasta " + arranque +
                                       ", si aquélla no aguanta el arranque del motor.");
        }
        ObservarNoEstandar();
        return true;
    }

    void ObservarNoEstandar() {
        const Decimal& proteccion = d_.ampacidad->proteccion;
        if (!EsEstandar(proteccion)) {
            d_.observaciones.push_back("La protección de " + Numero(proteccion, sep_) +
                                       " A no es un valor estándar " +
                                       Cita(Clausula::RatingsEstandar) + ", que se permite.");
        }
    }

    // The smallest size by drop and by ampacity, from the first size the feeder may use;
    // false when the figures overflow.
    bool BuscarMinimos() {
        for (std::size_t c = primero_; c < Calibres.size(); ++c) {
            // The drop only until its minimum is found: the chosen size's is worked out then.
            if (!d_.porCaida) {
                const std::optional<EnCalibre>& en = vistos_[c] = En(c);
                if (!en) {
                    d_.observaciones.emplace_back(TextoFalla(Falla::Desbordamiento));
                    return false;
                }
                if (en->regulacion <= a_.regulacionMaxima) {
                    d_.porCaida = c;
                }
            }
            if (!d_.porAmpacidad) {
                BuscarPorAmpacidad(c);
            }
            if (d_.porCaida && d_.porAmpacidad) {
                break;
            }
        }
        NombrarReglaDecisiva();
        return true;
    }

    // The given size, if the material has it and the sets may use it, or the larger of
    // the two minimums; false when the given size is refused.
    bool TomarCalibre() {
        if (!a_.calibre) {
            if (d_.porCaida && d_.porAmpacidad) {
                d_.elegido = std::max(*d_.porCaida, *d_.porAmpacidad);
                d_.rige = *d_.porCaida == *d_.porAmpacidad  ? Rige::Ambos
                          : *d_.porCaida > *d_.porAmpacidad ? Rige::Caida
                                                            : Rige::Ampacidad;
            }
            return true;
        }
        const std::size_t c = *a_.calibre;
        const std::string nombre(Calibres[c].nombre);
        if (c < TablaDe(a_.material).primerCalibre) {
            return Rechazar(Dato::Calibre,
                            "El calibre " + nombre + " no existe en " + Material() + ".");
        }
        if (c < primero_) {
            return Rechazar(Dato::Calibre, "En conjuntos en paralelo sólo se usan calibres " +
                                               std::string(Calibres[PrimerCalibreParalelo].nombre) +
                                               " y mayores (dado: " + nombre + ").");
        }
        d_.elegido = c;
        return true;
    }

    // A minimum that no size meets is told, with the way out.
    void ObservarMinimos() {
        const std::string paralelo = "; considere más conjuntos en paralelo.";
        if (!d_.porCaida) {
            d_.observaciones.push_back("Ningún calibre de " + Material() +
                                       " cumple la regulación máxima de " +
                                       Numero(a_.regulacionMaxima, sep_) + " %" + paralelo);
        }
        if (!d_.porAmpacidad) {
            d_.observaciones.push_back(
                "Ningún calibre de " + Material() + " lleva la corriente de " +
                Numero(d_.ampacidad->corriente, sep_) + " A con su " + "protección de " +
                Numero(d_.ampacidad->proteccion, sep_) + " A" + paralelo);
        }
    }

    // The figures at the chosen size, and a given size's failings.
    // false when the figures overflow.
    bool ComprobarElegido() {
        const std::size_t c = *d_.elegido;
        d_.valores = vistos_[c] ? vistos_[c] : En(c);
        if (!d_.valores) {
            d_.observaciones.emplace_back(TextoFalla(Falla::Desbordamiento));
            return false;
        }
        const std::string nombre(Calibres[c].nombre);
        d_.excedeRegulacion = a_.calibre && d_.valores->regulacion > a_.regulacionMaxima;
        if (d_.excedeRegulacion) {
            d_.observaciones.push_back("El calibre " + nombre +
                                       " no cumple la regulación máxima de " +
                                       Numero(a_.regulacionMaxima, sep_) + " %.");
        }
        if (a_.calibre) {
            ComprobarAmpacidadDada(c);
        }
        return true;
    }

private:
    // "(NEC 2023 Tabla 430.52(C)(1), 430.52(C)(1)(a))"
    std::string Cita(Clausula una, Clausula otra) const {
        const std::string primera = Cita(una);
        return primera.substr(0, primera.size() - 1) + ", " +
               std::string(engine::Cita(otra, norma_)) + ")";
    }

    // "(NEC 2023 215.3)"
    std::string Cita(Clausula clausula) const {
        const std::string_view norma = NombresNorma[static_cast<std::size_t>(norma_)];
        const std::string_view numero = engine::Cita(clausula, norma_);
        std::string cita;
        cita.reserve(norma.size() + numero.size() + 3);
        cita.append("(").append(norma).append(" ").append(numero).append(")");
        return cita;
    }

    // Rule 1: before correction, the column of the lower of the insulation's and the
    // terminals' ratings carries the continuous part at 125 % and the rest.
    bool CumpleCargaContinua(std::size_t c) const {
        const Ampacidad& a = *d_.ampacidad;
        return AmpacidadTabla(a_.material, c, a.columnaTerminales) * Juegos() >= a.requerida;
    }

    // Rule 2: after correction and adjustment, it carries the whole load.
    // A motor's conductors carry 125 % of its current after the factors too (430.22).
    bool CumpleCorregida(std::size_t c) const {
        return Permitida(c) >= (d_.motor ? d_.ampacidad->requerida : d_.ampacidad->corriente);
    }

    // Rule 4: the device protects the conductor; the small sizes' limit holds the device.
    // A motor's conductors are protected by its overload device (240.4(G)).
    bool CumpleProteccion(std::size_t c) const {
        if (d_.motor) {
            return true;
        }
        const Decimal& dispositivo = d_.ampacidad->proteccion;
        const int limite = Calibres[c].limiteProteccion[static_cast<std::size_t>(a_.material)];
        if (limite > 0 && dispositivo > Decimal(limite)) {
            return false;
        }
        const Decimal& permitida = Permitida(c);
        if (dispositivo > LimiteSiguienteMayor) {
            return permitida >= dispositivo;
        }
        const auto siguiente = SiguienteEstandar(permitida);
        return !siguiente || dispositivo <= *siguiente;
    }

    bool CumpleTodo(std::size_t c) const {
        return CumpleCargaContinua(c) && CumpleCorregida(c) && CumpleProteccion(c);
    }

    // The rules at the next size up: the first size that meets rule 1, rules 1 and 2,
    // and all three.
    void BuscarPorAmpacidad(std::size_t c) {
        const bool regla1 = regla1_ || CumpleCargaContinua(c);
        if (regla1 && !regla1_) {
            regla1_ = c;
        }
        if (regla1 && !regla12_ && CumpleCorregida(c)) {
            regla12_ = c;
        }
        if (regla12_ && CumpleCorregida(c) && CumpleProteccion(c)) {
            d_.porAmpacidad = c;
        }
    }

    Decimal Juegos() const { return Decimal(static_cast<long long>(a_.juegos)); }

    // The allowable current of all the sets at a size, worked out once.
    const Decimal& Permitida(std::size_t c) const {
        std::optional<Decimal>& permitida = permitidas_[c];
        if (!permitida) {
            const Ampacidad& a = *d_.ampacidad;
            permitida = AmpacidadPermitida(a_.material, c, a.columnaAislamiento,
                                           a.columnaTerminales, a.factores) *
                        Juegos();
        }
        return *permitida;
    }

    // Which rule made the smallest size by ampacity what it is.
    void NombrarReglaDecisiva() {
        if (!d_.porAmpacidad) {
            return;
        }
        d_.ampacidad->decisiva = regla12_ < d_.porAmpacidad ? Regla::Proteccion
                                 : regla1_ == d_.porAmpacidad && d_.porAmpacidad > primero_ &&
                                         CumpleCorregida(*d_.porAmpacidad - 1)
                                     ? Regla::CargaContinua
                                     : Regla::Corregida;
    }

public:
    // Where the ampacity governs the size chosen, a remark names the rule that decided it
    // when it is the continuous load or the protection of the conductor.
    void ObservarReglaDecisiva() {
        if (d_.rige != Rige::Ampacidad && d_.rige != Rige::Ambos) {
            return;
        }
        const Ampacidad& a = *d_.ampacidad;
        if (a.decisiva == Regla::Proteccion) {
            d_.observaciones.push_back("Por ampacidad rige la protección del conductor " +
                                       Cita(Clausula::ConductorProtegido) + ": el calibre " +
                                       std::string(Calibres[*d_.porAmpacidad].nombre) +
                                       " es el primero al que protege la protección de " +
                                       Numero(a.proteccion, sep_) + " A.");
        } else if (a.decisiva == Regla::CargaContinua && d_.motor) {
            d_.observaciones.push_back("Por ampacidad rige el 125 % de la corriente del motor " +
                                       Cita(Clausula::ConductoresMotor) + ": " +
                                       Numero(a.requerida, sep_) + " A en la columna de " +
                                       std::to_string(a.columnaTerminales) + " °C.");
        } else if (a.decisiva == Regla::CargaContinua) {
            const bool al100 = a_.dispositivo100;
            d_.observaciones.push_back(
                "Por ampacidad rige la carga continua al " + std::string(al100 ? "100" : "125") +
                " % " + Cita(al100 ? Clausula::Dispositivo100 : Clausula::CargaContinua) + ": " +
                Numero(a.requerida, sep_) + " A en la columna de " +
                std::to_string(a.columnaTerminales) + " °C.");
        }
    }

private:
    // A given size that does not carry the load, or that its device does not protect.
    void ComprobarAmpacidadDada(std::size_t c) {
        if (CumpleTodo(c)) {
            return;
        }
        const std::string nombre(Calibres[c].nombre);
        const Ampacidad& a = *d_.ampacidad;
        const std::string permitida = Numero(Permitida(c).Redondeado(2), sep_);
        std::vector<std::string> fallas;
        const Clausula carga = d_.motor ? Clausula::ConductoresMotor : Clausula::CargaContinua;
        if (!CumpleCargaContinua(c)) {
            fallas.push_back("no lleva " + Numero(a.requerida, sep_) + " A en la columna de " +
                             std::to_string(a.columnaTerminales) + " °C " + Cita(carga));
        }
        if (!CumpleCorregida(c)) {
            fallas.push_back("su ampacidad de " + permitida + " A no lleva " +
                             (d_.motor ? "el 125 % de la corriente del motor, " +
                                             Numero(a.requerida, sep_) + " A " + Cita(carga)
                                       : "la corriente de " + Numero(a.corriente, sep_) + " A " +
                                             Cita(Clausula::AmpacidadCorregida)));
        }
        if (!CumpleProteccion(c)) {
            const bool pequeno =
                Calibres[c].limiteProteccion[static_cast<std::size_t>(a_.material)] > 0;
            const Clausula clausula = pequeno ? Clausula::ConductoresPequenos
                                      : a.proteccion > LimiteSiguienteMayor
                                          ? Clausula::Mayor800
                                          : Clausula::SiguienteMayor;
            fallas.push_back("la protección de " + Numero(a.proteccion, sep_) +
                             " A no lo protege con su ampacidad de " + permitida + " A " +
                             Cita(clausula));
        }
        d_.excedeAmpacidad = !fallas.empty();
        for (const std::string& falla : fallas) {
            d_.observaciones.push_back("El calibre " + nombre + ": " + falla + ".");
        }
    }

    // Parallel sets share the current equally: the drop is that of one set with its share.
    std::optional<EnCalibre> En(std::size_t calibre) const {
        const Datos datos{a_.longitud, porJuego_, a_.voltaje, a_.factorPotencia, 0};
        const auto valores = CalcularValores(Modo::CaidaVoltaje, a_.sistema, datos,
                                             (*tabla_.filas[calibre])[a_.ducto]);
        if (std::holds_alternative<Falla>(valores)) {
            return std::nullopt;
        }
        const Valores& v = std::get<Valores>(valores);
        return EnCalibre{v.CaidaVoltaje, v.Regulacion, v.VoltajeFinal, Permitida(calibre)};
    }

    // The material's name as a sentence names it, in lower case.
    std::string Material() const {
        std::string material(TablaDe(a_.material).nombre);
        std::transform(material.begin(), material.end(), material.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return material;
    }

    bool Rechazar(Dato dato, std::string mensaje) {
        d_.observaciones.push_back(std::move(mensaje));
        d_.invalido = dato;
        return false;
    }

    const Alimentador& a_;
    const TablaConductores& tabla_;
    const Separadores& sep_;
    Norma norma_;
    Dimensionado& d_;
    const std::size_t primero_;
    double porJuego_ = 0; // the current of one set, A
    std::array<std::optional<EnCalibre>, Calibres.size()> vistos_;
    mutable std::array<std::optional<Decimal>, Calibres.size()> permitidas_;
    // The first sizes that meet rule 1, and rules 1 and 2 together.
    std::optional<std::size_t> regla1_, regla12_;
};

} // namespace

std::string_view TextoRige(Rige rige) {
    switch (rige) {
    case Rige::Caida:
        return "caída";
    case Rige::Ampacidad:
        return "ampacidad";
    case Rige::Ambos:
        return "ambos";
    }
    return {};
}

Decimal AmpacidadPermitida(Material material, std::size_t calibre, int columnaAislamiento,
                           int columnaTerminales, const Decimal& factores) {
    const Decimal corregida = AmpacidadTabla(material, calibre, columnaAislamiento) * factores;
    const Decimal terminales = AmpacidadTabla(material, calibre, columnaTerminales);
    return corregida > terminales ? terminales : corregida;
}

Dimensionado Dimensionar(const Alimentador& a, const TablasConductores& tablas,
                         const Separadores& sep, Norma norma) {
    Dimensionado d;
    auto error = NumerosInvalidos(a, sep);
    if (!error) {
        error = CargaInvalida(a, sep);
    }
    if (error) {
        d.observaciones.push_back(error->mensaje);
        d.invalido = error->dato;
        return d;
    }
    Dimensionamiento paso(a, tablas, sep, norma, d);
    if (!paso.Proteccion() || !paso.BuscarMinimos() || !paso.TomarCalibre()) {
        return d;
    }
    paso.ObservarMinimos();
    paso.ObservarReglaDecisiva();
    d.calculado = d.elegido && paso.ComprobarElegido() && CompletarConjunto(a, d, sep, norma);
    return d;
}

} // namespace engine
