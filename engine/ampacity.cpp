#include "engine/ampacity.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace engine {
namespace {

// The factors are kept in hundredths, so that they multiply exactly.
constexpr int Centesimas(double factor) {
    return static_cast<int>(factor * 100 + 0.5);
}

struct FilaAmbiente {
    int hasta;                                   // °C
    std::array<int, Temperaturas.size()> factor; // hundredths; 0: not allowed
};
constexpr FilaAmbiente Ambiente[] = {
#define AMBIENTE(hasta, f60, f75, f90) {hasta, {Centesimas(f60), Centesimas(f75), Centesimas(f90)}},
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
#define AMBIENTE(hasta, f60, f75, f90)
#define AGRUPAMIENTO(desde, factor) {desde, Centesimas(factor)},
#include "data/factores.def"
#undef AGRUPAMIENTO
#undef AMBIENTE
};

} // namespace

Decimal AmpacidadTabla(Material material, std::size_t calibre, int temperatura) {
    return Decimal(Calibres[calibre].ampacidad[static_cast<std::size_t>(material)]
                                              [ColumnaDeTemperatura(temperatura)]);
}

std::optional<Decimal> FactorTemperatura(double gradosC, int temperatura) {
    const double redondeada = std::ceil(gradosC);
    const std::size_t columna = ColumnaDeTemperatura(temperatura);
    for (const FilaAmbiente& fila : Ambiente) {
        if (redondeada <= fila.hasta) {
            return fila.factor[columna] > 0
                       ? std::optional(Decimal::Partes(fila.factor[columna], 2))
                       : std::nullopt;
        }
    }
    return std::nullopt;
}

int AmbienteMaximo(int temperatura) {
    int maximo = 0;
    for (const FilaAmbiente& fila : Ambiente) {
        if (fila.factor[ColumnaDeTemperatura(temperatura)] > 0) {
            maximo = fila.hasta;
        }
    }
    return maximo;
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

std::optional<Decimal> SiguienteEstandar(const Decimal& corriente) {
    const auto* siguiente =
        std::lower_bound(std::begin(RatingsEstandar), std::end(RatingsEstandar), corriente,
                         [](int rating, const Decimal& c) { return Decimal(rating) < c; });
    return siguiente == std::end(RatingsEstandar) ? std::nullopt
                                                  : std::optional(Decimal(*siguiente));
}

bool EsEstandar(const Decimal& rating) {
    const auto siguiente = SiguienteEstandar(rating);
    return siguiente && *siguiente == rating;
}

int TemperaturaAislamiento(std::size_t aislamiento, bool mojado) {
    return mojado ? Aislamientos[aislamiento].mojado : Aislamientos[aislamiento].seco;
}

} // namespace engine
