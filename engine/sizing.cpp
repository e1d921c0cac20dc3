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
    const TablaConductores& tabla = tablas[static_cast<std::size_t>(a.material)];
    const double juegos = a.juegos;
    const Decimal factores = *FactorTemperatura(a.temperaturaAmbiente) *
                             FactorAgrupamiento(ConductoresEnDucto(a, d.observaciones));
    const Decimal nJuegos(static_cast<long long>(juegos));
    const double porJuego = a.corriente.Real() / juegos;

    // Parallel sets share the current equally: the drop is that of one set with its share.
    const auto enCalibre = [&](std::size_t calibre) -> std::optional<EnCalibre> {
        const Datos datos{a.longitud, porJuego, a.voltaje, a.factorPotencia, 0};
        const auto valores =
            CalcularValores(Modo::CaidaVoltaje, a.sistema, datos, (*tabla.filas[calibre])[a.ducto]);
        if (std::holds_alternative<Falla>(valores)) {
            return std::nullopt;
        }
        const Valores& v = std::get<Valores>(valores);
        return EnCalibre{v.CaidaVoltaje, v.Regulacion, v.VoltajeFinal,
                         AmpacidadLimitada(a.material, calibre, factores) * nJuegos};
    };

    const std::size_t primero =
        std::max(TablaDe(a.material).primerCalibre, juegos >= 2 ? PrimerCalibreParalelo : 0);
    std::array<std::optional<EnCalibre>, Calibres.size()> vistos;
    for (std::size_t c = primero; c < Calibres.size(); ++c) {
        const std::optional<EnCalibre>& en = vistos[c] = enCalibre(c);
        if (!en) {
            d.observaciones.emplace_back(TextoFalla(Falla::Desbordamiento));
            return d;
        }
        if (!d.porCaida && en->regulacion <= a.regulacionMaxima) {
            d.porCaida = c;
        }
        if (!d.porAmpacidad && en->ampacidad >= a.corriente) {
            d.porAmpacidad = c;
        }
        if (d.porCaida && d.porAmpacidad) {
            break;
        }
    }

    // The material's name as a sentence names it, in lower case.
    std::string material(TablaDe(a.material).nombre);
    std::transform(material.begin(), material.end(), material.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (a.calibre) {
        const std::size_t c = *a.calibre;
        if (c < TablaDe(a.material).primerCalibre) {
            d.observaciones.push_back("El calibre " + std::string(Calibres[c].nombre) +
                                      " no existe en " + material + ".");
            d.invalido = Dato::Calibre;
            return d;
        }
        if (c < primero) {
            d.observaciones.push_back("En conjuntos en paralelo sólo se usan calibres " +
                                      std::string(Calibres[PrimerCalibreParalelo].nombre) +
                                      " y mayores (dado: " + std::string(Calibres[c].nombre) +
                                      ").");
            d.invalido = Dato::Calibre;
            return d;
        }
        d.elegido = c;
    } else if (d.porCaida && d.porAmpacidad) {
        d.elegido = std::max(*d.porCaida, *d.porAmpacidad);
        d.rige = *d.porCaida == *d.porAmpacidad  ? Rige::Ambos
                 : *d.porCaida > *d.porAmpacidad ? Rige::Caida
                                                 : Rige::Ampacidad;
    }
    const std::string paralelo = "; considere más conjuntos en paralelo.";
    if (!d.porCaida) {
        d.observaciones.push_back("Ningún calibre de " + material +
                                  " cumple la regulación máxima de " +
                                  Numero(a.regulacionMaxima, sep) + " %" + paralelo);
    }
    if (!d.porAmpacidad) {
        d.observaciones.push_back("Ningún calibre de " + material + " lleva la corriente de " +
                                  Numero(a.corriente.Real(), sep) + " A" + paralelo);
    }
    if (!d.elegido) {
        return d;
    }
    d.valores = vistos[*d.elegido] ? vistos[*d.elegido] : enCalibre(*d.elegido);
    const std::string nombre(Calibres[*d.elegido].nombre);
    d.excedeRegulacion = a.calibre && d.valores->regulacion > a.regulacionMaxima;
    d.excedeAmpacidad = a.calibre && d.valores->ampacidad < a.corriente;
    if (d.excedeRegulacion) {
        d.observaciones.push_back("El calibre " + nombre + " no cumple la regulación máxima de " +
                                  Numero(a.regulacionMaxima, sep) + " %.");
    }
    if (d.excedeAmpacidad) {
        d.observaciones.push_back("La corriente excede la ampacidad del calibre " + nombre + " (" +
                                  d.valores->ampacidad.Redondeado(0).Texto() + " A).");
    }
    const int limite = Calibres[*d.elegido].limiteProteccion[static_cast<std::size_t>(a.material)];
    if (limite > 0 && AmpacidadCorregida(a.material, *d.elegido, factores) > Decimal(limite)) {
        d.observaciones.push_back("Ampacidad limitada a " + std::to_string(limite) +
                                  " A por conjunto por la protección contra sobrecorriente "
                                  "(NEC 240.4(D)).");
    }
    d.calculado = true;
    return d;
}

} // namespace engine
