#include "engine/formulas.h"

#include "engine/numeric_text.h"

#include <charconv>
#include <cmath>
#include <optional>

namespace engine {
namespace {

// Keeps the first fault met while the steps go on, as a run that stops there would.
class Pasos {
public:
    void Exigir(bool condicion, Falla falla) {
        if (!condicion && !falla_) {
            falla_ = falla;
        }
    }
    double Finito(double valor) {
        Exigir(std::isfinite(valor), Falla::Desbordamiento);
        return valor;
    }
    const std::optional<Falla>& falla() const { return falla_; }

private:
    std::optional<Falla> falla_;
};

// The sine goes through 15 significant digits of decimal text and back, so that every
// result is computed from the sine as a 15-digit number shows it.
double SenoRedondeado(double factorPotencia, Pasos& pasos) {
    pasos.Exigir(factorPotencia > -1 && factorPotencia <= 1, Falla::FactorPotencia);
    if (pasos.falla()) {
        return 0;
    }
    // Sizing a feeder computes it at every size with one power factor: the last one is kept.
    thread_local double ultimoFactor = std::nan("");
    thread_local double ultimoSeno = 0;
    if (factorPotencia != ultimoFactor) {
        const std::string texto = TextoQuinceCifras(std::sin(ArcCos(factorPotencia)));
        std::from_chars(texto.data(), texto.data() + texto.size(), ultimoSeno);
        ultimoFactor = factorPotencia;
    }
    return ultimoSeno;
}

// Per 1000 ft: per phase in three-phase; outgoing and return conductors in single-phase.
double ImpedanciaEficaz(Sistema sistema, const Conductor& c, double factorPotencia, double seno) {
    const double porFase = (c.ResistenciaTabla * factorPotencia) + (c.ReactanciaTabla * seno);
    return sistema == Sistema::Trifasico ? porFase : porFase * 2;
}

} // namespace

std::string_view TextoFalla(Falla falla) {
    switch (falla) {
    case Falla::FactorPotencia:
        return "El factor de potencia debe ser un número entre 0 y 1.";
    case Falla::VoltajeCero:
        return "El voltaje inicial debe ser mayor que cero.";
    case Falla::ImpedanciaCero:
        return "La tabla no da resistencia ni reactancia para este conductor: no se puede "
               "calcular la distancia.";
    case Falla::Desbordamiento:
        return "Los valores dados son demasiado grandes para calcular.";
    }
    return {};
}

double ArcCos(double x) {
    if (x == 1) {
        return 0;
    }
    const double menosX = -x;
    const double mitadPi = std::atan(1.0) + std::atan(1.0);
    return std::atan(menosX / std::sqrt(menosX * x + 1)) + mitadPi;
}

std::variant<Valores, Falla> CalcularValores(Modo modo, Sistema sistema, const Datos& d,
                                             const Conductor& c) {
    const double R = c.ResistenciaTabla;
    const double X = c.ReactanciaTabla;
    const bool trifasico = sistema == Sistema::Trifasico;
    const double raiz3 = std::sqrt(3.0);
    const double conductores = trifasico ? 3 : 2; // conductors that carry the losses
    Pasos pasos;
    Valores v;

    if (modo == Modo::CaidaVoltaje) {
        v.Seno = SenoRedondeado(d.FactorPotencia, pasos);
        v.ZEficaz = pasos.Finito(ImpedanciaEficaz(sistema, c, d.FactorPotencia, v.Seno));
        const double milesDePies = pasos.Finito(d.Longitud * FactorLongitud);
        v.CaidaVoltaje = trifasico ? ((v.ZEficaz * milesDePies) * d.Corriente) * raiz3
                                   : (v.ZEficaz * milesDePies) * d.Corriente;
        pasos.Finito(v.CaidaVoltaje);
        v.Perdidas = pasos.Finito(std::pow(d.Corriente, 2) *
                                  (((R * conductores) * d.Longitud) * FactorLongitud));
        v.VoltajeFinal = pasos.Finito(d.VoltajeInicial - v.CaidaVoltaje);
        pasos.Exigir(d.VoltajeInicial != 0, Falla::VoltajeCero);
        v.Regulacion = pasos.Finito(((d.VoltajeInicial - v.VoltajeFinal) / d.VoltajeInicial) * 100);
    } else {
        if (d.Corriente != 0) {
            v.Seno = SenoRedondeado(d.FactorPotencia, pasos);
            v.ZEficaz = pasos.Finito(ImpedanciaEficaz(sistema, c, d.FactorPotencia, v.Seno));
            pasos.Exigir(v.ZEficaz != 0, Falla::ImpedanciaCero);
            const double porAmperio = pasos.Finito((v.ZEficaz * d.Corriente) * FactorLongitud);
            v.DistanciaPermitida = pasos.Finito(trifasico ? d.CaidaPermitida / (porAmperio * raiz3)
                                                          : d.CaidaPermitida / porAmperio);
        }
        // The losses of the circuit the report is about: the permitted distance's.
        v.Perdidas = pasos.Finito(std::pow(d.Corriente, 2) *
                                  (((R * conductores) * v.DistanciaPermitida) * FactorLongitud));
    }
    // The totals for the circuit's length: the length typed for the drop, the permitted
    // distance for the distance; per phase in three-phase, outgoing and return conductors
    // together in single-phase.
    const double longitud = modo == Modo::CaidaVoltaje ? d.Longitud : v.DistanciaPermitida;
    const double factorConductores = trifasico ? 1 : 2;
    v.ResistenciaTotal = pasos.Finito(((R * factorConductores) * longitud) * FactorLongitud);
    v.ReactanciaTotal = pasos.Finito(((X * factorConductores) * longitud) * FactorLongitud);
    v.ImpedanciaTotal = pasos.Finito((v.ZEficaz * longitud) * FactorLongitud);

    if (pasos.falla()) {
        return *pasos.falla();
    }
    return v;
}

} // namespace engine
