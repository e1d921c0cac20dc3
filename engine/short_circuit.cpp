#include "engine/short_circuit.h"

namespace engine {
namespace {

struct FilaC {
    Material material;
    bool acero;
    std::size_t calibre;
    long long valor;
};

constexpr std::array FilasC{
#define VALOR_C(material, acero, calibre, valor, confirmado)                                       \
    FilaC{Material::material, acero, IndiceCalibre(calibre), valor},
#include "data/valores_c.def"
#undef VALOR_C
};

const Racional Uno{1};

} // namespace

Racional ZUsada(const Racional& z, bool tolerancia) {
    return tolerancia ? z * Racional(9, 10) : z;
}

Racional CorrienteNominal(const Transformador& t, const Racional& voltaje) {
    const Racional va = t.kva * Racional(1000);
    return t.trifasico ? va / (voltaje * Raiz3) : va / voltaje;
}

PasoTransformador Secundario(const Transformador& t, const Racional& voltajeSecundario,
                             bool tolerancia, const std::optional<Primario>& primario) {
    PasoTransformador paso{CorrienteNominal(t, voltajeSecundario),
                           ZUsada(t.z, tolerancia),
                           std::nullopt,
                           std::nullopt,
                           {}};
    if (!primario) {
        paso.corriente = paso.nominal * Racional(100) / paso.zUsada;
        return paso;
    }
    Racional numerador = primario->corriente * primario->voltaje * paso.zUsada;
    if (t.trifasico) {
        numerador = numerador * Raiz3;
    }
    paso.f = numerador / (Racional(100000) * t.kva);
    paso.m = Uno / (Uno + *paso.f);
    paso.corriente = primario->voltaje / voltajeSecundario * *paso.m * primario->corriente;
    return paso;
}

PasoConductor PorConductor(const Racional& inicio, long long c, const Racional& pies,
                           const Racional& juegos, const Racional& voltaje, bool trifasico) {
    const Racional k = trifasico ? Raiz3 : Racional(2);
    const Racional f =
        k * pies * inicio / (Racional(static_cast<std::uint64_t>(c)) * juegos * voltaje);
    const Racional m = Uno / (Uno + f);
    return {f, m, inicio * m};
}

Racional Pies(const Racional& metros) {
    return metros / Racional(3048, 10000);
}

std::optional<long long> ValorC(Material material, bool acero, std::size_t calibre) {
    for (const FilaC& fila : FilasC) {
        if (fila.material == material && fila.acero == acero && fila.calibre == calibre) {
            return fila.valor;
        }
    }
    return std::nullopt;
}

std::optional<int> CapacidadPropuesta(const Racional& amperes) {
    for (const int ka : CapacidadesInterruptivas) {
        if (Racional(static_cast<std::uint64_t>(ka) * 1000) >= amperes) {
            return ka;
        }
    }
    return std::nullopt;
}

} // namespace engine
