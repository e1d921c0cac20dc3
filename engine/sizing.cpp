#include "engine/sizing.h"

#include "engine/numeric_text.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace engine {
namespace {

// The factors are kept in hundredths, so that they multiply exactly.
constexpr int Centesimas(double factor) {
    return static_cast<int>(factor * 100 + 0.5);
}

struct FilaAmbiente {
    int hasta;  // °C
    int factor; // hundredths
};
constexpr FilaAmbiente Ambiente[] = {
#define AMBIENTE(hasta, factor) {hasta, Centesimas(factor)},
#define AGRUPAMIENTO(desde, factor)
#include "data/factores.def"
#undef AGRUPAMIENTO
#undef AMBIENTE
};

struct FilaAgrupamiento {
    int desde;  // conductors
    int factor; // hundredths
};
constexpr FilaAgrupamiento Agrupamiento[] = {
#define AMBIENTE(hasta, factor)
#define AGRUPAMIENTO(desde, factor) {desde, Centesimas(factor)},
#include "data/factores.def"
#undef AGRUPAMIENTO
#undef AMBIENTE
};

constexpr int JuegosMaximos = 10;

// A value as the user wrote it, to 15 digits, with the decimal separator of the file.
std::string Numero(double valor, const Separadores& sep) {
    std::string texto = TextoQuinceCifras(valor);
    if (const auto punto = texto.find('.'); punto != std::string::npos) {
        texto.replace(punto, 1, sep.decimal);
    }
    return texto;
}

bool Entero(double valor) {
    return std::isfinite(valor) && valor == std::floor(valor);
}

struct Invalida {
    Dato dato;
    std::string mensaje;
};

// The first rule of the inputs the feeder breaks, named with its value.
std::optional<Invalida> EntradaInvalida(const Alimentador& a, const Separadores& sep) {
    const auto con = [&](Dato dato, std::string_view regla, double valor) {
        return Invalida{dato, std::string(regla) + " (dado: " + Numero(valor, sep) + ")."};
    };
    if (!(a.corriente > 0)) {
        return Invalida{Dato::Corriente, "La corriente debe ser mayor que cero (dado: " +
                                             Numero(a.corriente.Real(), sep) + ")."};
    }
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
    if (!(a.temperaturaAmbiente <= 70) || !std::isfinite(a.temperaturaAmbiente)) {
        return con(Dato::TemperaturaAmbiente,
                   "Con temperatura ambiente mayor de 70 °C el conductor de 75 °C no puede "
                   "usarse",
                   a.temperaturaAmbiente);
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

// The table's current for the size times the ambient and adjustment factors together,
// before any overcurrent limit.
Decimal AmpacidadCorregida(Material material, std::size_t calibre, const Decimal& factores) {
    return Decimal(Calibres[calibre].ampacidad[static_cast<std::size_t>(material)]) * factores;
}

// The corrected current, no more than the small sizes' overcurrent limit.
Decimal AmpacidadLimitada(Material material, std::size_t calibre, const Decimal& factores) {
    const Decimal corregida = AmpacidadCorregida(material, calibre, factores);
    const int limite = Calibres[calibre].limiteProteccion[static_cast<std::size_t>(material)];
    return limite > 0 && corregida > Decimal(limite) ? Decimal(limite) : corregida;
}

// The conductors counted in one raceway, and a remark when the count given is less than
// one set has.
int ConductoresEnDucto(const Alimentador& a, std::vector<std::string>& observaciones) {
    const int juego = DescripcionSistema(a.sistema).conductores;
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

// One feeder's sizing, step by step: the two minimums, the size given or chosen, and the
// remarks on them.
class Dimensionamiento {
public:
    Dimensionamiento(const Alimentador& a, const TablasConductores& tablas, const Separadores& sep,
                     Dimensionado& d)
        : a_(a), tabla_(tablas[static_cast<std::size_t>(a.material)]), sep_(sep), d_(d),
          factores_(*FactorTemperatura(a.temperaturaAmbiente) *
                    FactorAgrupamiento(ConductoresEnDucto(a, d.observaciones))),
          porJuego_(a.corriente.Real() / a.juegos),
          primero_(std::max(TablaDe(a.material).primerCalibre,
                            a.juegos >= 2 ? PrimerCalibreParalelo : 0)) {}

    // The smallest size by drop and by ampacity, from the first size the feeder may use;
    // false when the figures overflow.
    bool BuscarMinimos() {
        for (std::size_t c = primero_; c < Calibres.size(); ++c) {
            const std::optional<EnCalibre>& en = vistos_[c] = En(c);
            if (!en) {
                d_.observaciones.emplace_back(TextoFalla(Falla::Desbordamiento));
                return false;
            }
            if (!d_.porCaida && en->regulacion <= a_.regulacionMaxima) {
                d_.porCaida = c;
            }
            if (!d_.porAmpacidad && en->ampacidad >= a_.corriente) {
                d_.porAmpacidad = c;
            }
            if (d_.porCaida && d_.porAmpacidad) {
                break;
            }
        }
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
            return Rechazar("El calibre " + nombre + " no existe en " + Material() + ".");
        }
        if (c < primero_) {
            return Rechazar("En conjuntos en paralelo sólo se usan calibres " +
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
            d_.observaciones.push_back("Ningún calibre de " + Material() +
                                       " lleva la corriente de " +
                                       Numero(a_.corriente.Real(), sep_) + " A" + paralelo);
        }
    }

    // The figures at the chosen size, a given size's failings, and the small sizes' limit.
    void ComprobarElegido() {
        const std::size_t c = *d_.elegido;
        d_.valores = vistos_[c] ? vistos_[c] : En(c);
        const std::string nombre(Calibres[c].nombre);
        d_.excedeRegulacion = a_.calibre && d_.valores->regulacion > a_.regulacionMaxima;
        d_.excedeAmpacidad = a_.calibre && d_.valores->ampacidad < a_.corriente;
        if (d_.excedeRegulacion) {
            d_.observaciones.push_back("El calibre " + nombre +
                                       " no cumple la regulación máxima de " +
                                       Numero(a_.regulacionMaxima, sep_) + " %.");
        }
        if (d_.excedeAmpacidad) {
            d_.observaciones.push_back("La corriente excede la ampacidad del calibre " + nombre +
                                       " (" + d_.valores->ampacidad.Redondeado(0).Texto() + " A).");
        }
        const int limite = Calibres[c].limiteProteccion[static_cast<std::size_t>(a_.material)];
        if (limite > 0 && AmpacidadCorregida(a_.material, c, factores_) > Decimal(limite)) {
            d_.observaciones.push_back("Ampacidad limitada a " + std::to_string(limite) +
                                       " A por conjunto por la protección contra sobrecorriente "
                                       "(NEC 240.4(D)).");
        }
    }

private:
    // Parallel sets share the current equally: the drop is that of one set with its share.
    std::optional<EnCalibre> En(std::size_t calibre) const {
        const Datos datos{a_.longitud, porJuego_, a_.voltaje, a_.factorPotencia, 0};
        const auto valores = CalcularValores(Modo::CaidaVoltaje, a_.sistema, datos,
                                             (*tabla_.filas[calibre])[a_.ducto]);
        if (std::holds_alternative<Falla>(valores)) {
            return std::nullopt;
        }
        const Valores& v = std::get<Valores>(valores);
        return EnCalibre{v.CaidaVoltaje, v.Regulacion, v.VoltajeFinal,
                         AmpacidadLimitada(a_.material, calibre, factores_) *
                             Decimal(static_cast<long long>(a_.juegos))};
    }

    // The material's name as a sentence names it, in lower case.
    std::string Material() const {
        std::string material(TablaDe(a_.material).nombre);
        std::transform(material.begin(), material.end(), material.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return material;
    }

    bool Rechazar(std::string mensaje) {
        d_.observaciones.push_back(std::move(mensaje));
        d_.invalido = Dato::Calibre;
        return false;
    }

    const Alimentador& a_;
    const TablaConductores& tabla_;
    const Separadores& sep_;
    Dimensionado& d_;
    const Decimal factores_; // ambient times adjustment
    const double porJuego_;  // the current of one set, A
    const std::size_t primero_;
    std::array<std::optional<EnCalibre>, Calibres.size()> vistos_;
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

std::optional<Decimal> FactorTemperatura(double gradosC) {
    const double redondeada = std::ceil(gradosC);
    for (const FilaAmbiente& fila : Ambiente) {
        if (redondeada <= fila.hasta) {
            return Decimal::Partes(fila.factor, 2);
        }
    }
    return std::nullopt;
}

Decimal FactorAgrupamiento(int conductores) {
    int factor = Agrupamiento[0].factor;
    for (const FilaAgrupamiento& fila : Agrupamiento) {
        if (conductores >= fila.desde) {
            factor = fila.factor;
        }
    }
    return Decimal::Partes(factor, 2);
}

Decimal AmpacidadUtil(Material material, std::size_t calibre, const Decimal& factorTemperatura,
                      const Decimal& factorAgrupamiento) {
    return AmpacidadLimitada(material, calibre, factorTemperatura * factorAgrupamiento);
}

Dimensionado Dimensionar(const Alimentador& a, const TablasConductores& tablas,
                         const Separadores& sep) {
    Dimensionado d;
    if (auto error = EntradaInvalida(a, sep)) {
        d.observaciones.push_back(error->mensaje);
        d.invalido = error->dato;
        return d;
    }
    Dimensionamiento paso(a, tablas, sep, d);
    if (!paso.BuscarMinimos() || !paso.TomarCalibre()) {
        return d;
    }
    paso.ObservarMinimos();
    if (d.elegido) {
        paso.ComprobarElegido();
        d.calculado = true;
    }
    return d;
}

} // namespace engine
