#include "engine/motors.h"

#include "engine/ampacity.h"
#include "engine/exact.h"
#include "engine/numeric_text.h"

#include <algorithm>
#include <cctype>

namespace engine {
namespace {

// A table's column for a system voltage: the ranges of the tables' notes, 200 and 208 V as
// they stand.
std::optional<int> ColumnaDe(double voltaje, bool trifasico) {
    if (voltaje >= 110 && voltaje <= 120) {
        return 115;
    }
    if (voltaje == 200 || voltaje == 208) {
        return static_cast<int>(voltaje);
    }
    if (voltaje >= 220 && voltaje <= 240) {
        return 230;
    }
    if (trifasico && voltaje >= 440 && voltaje <= 480) {
        return 460;
    }
    if (trifasico && voltaje >= 550 && voltaje <= 600) {
        return 575;
    }
    return std::nullopt;
}

template <std::size_t N>
std::string_view Celda(const std::array<int, N>& columnas,
                       const std::array<std::string_view, N>& celdas, int columna) {
    const auto lugar = std::find(columnas.begin(), columnas.end(), columna);
    return lugar == columnas.end() ? std::string_view()
                                   : celdas[static_cast<std::size_t>(lugar - columnas.begin())];
}

// "25 hp", "7 1/2 hp".
std::string Hp(const Motor& motor) {
    return std::string(PotenciasMotor[motor.potencia].nombre) + " hp";
}

// The text as a rating: a plain decimal ("7", "7.5"), or a fraction alone or after a whole
// number ("1/2", "1 1/2", "1-1/2").
std::optional<Racional> Valor(std::string_view texto) {
    if (auto decimal = Racional::Leer(texto)) {
        return decimal;
    }
    const std::size_t barra = texto.find('/');
    if (barra == std::string_view::npos || texto.find('.') != std::string_view::npos) {
        return std::nullopt;
    }
    const std::size_t corte = texto.find_last_of(" -", barra);
    const std::size_t numerador = corte == std::string_view::npos ? 0 : corte + 1;
    const auto entero =
        numerador == 0 ? std::optional(Racional()) : Racional::Leer(texto.substr(0, corte));
    const auto n = Racional::Leer(texto.substr(numerador, barra - numerador));
    const auto d = Racional::Leer(texto.substr(barra + 1));
    if (!entero || !n || !d || *d == Racional()) {
        return std::nullopt;
    }
    return *entero + *n / *d;
}

} // namespace

std::variant<PlenaCarga, SinPlenaCarga> CorrientePlenaCarga(const Motor& m, Sistema sistema,
                                                            double voltaje, Norma norma) {
    const bool trifasico = sistema == Sistema::Trifasico;
    const std::string tabla(Cita(
        trifasico ? Clausula::TablaMotoresTrifasicos : Clausula::TablaMotoresMonofasicos, norma));
    const std::string_view tipo = TiposMotor[static_cast<std::size_t>(m.tipo)].nombre;
    if (!trifasico && m.tipo != TipoMotor::JaulaDeArdilla) {
        return SinPlenaCarga{FaltaMotor::Tipo, "Un motor " + std::string(tipo) +
                                                   " es trifásico: la " + tabla +
                                                   " es de motores monofásicos."};
    }
    PlenaCarga p;
    p.trifasica = trifasico;
    // Mexico's 127 V: the tables stop at 120 V, and their 115 V column is the nearest.
    p.fueraDeRango = !trifasico && voltaje == 127;
    const auto columna = p.fueraDeRango ? std::optional(115) : ColumnaDe(voltaje, trifasico);
    if (!columna) {
        return SinPlenaCarga{
            FaltaMotor::Voltaje,
            "La " + tabla + " no da corrientes de motores a " + TextoQuinceCifras(voltaje) +
                " V: sus columnas sirven a sistemas de " +
                (trifasico ? "110 a 120 V, 200 V, 208 V, 220 a 240 V, 440 a 480 V y 550 a 600 V."
                           : "110 a 120 V (y a 127 V la de 115 V), 200 V, 208 V y 220 a 240 V.")};
    }
    p.columna = *columna;
    const std::string_view nombre = PotenciasMotor[m.potencia].nombre;
    std::string_view celda;
    for (const FilaTrifasica& f : TablaTrifasica) {
        if (trifasico && f.potencia.nombre == nombre) {
            celda = m.tipo == TipoMotor::Sincrono
                        ? Celda(ColumnasSincronas, f.sincrono, p.columna)
                        : Celda(ColumnasTrifasicas, f.induccion, p.columna);
        }
    }
    for (const FilaMonofasica& f : TablaMonofasica) {
        if (!trifasico && f.potencia.nombre == nombre) {
            celda = Celda(ColumnasMonofasicas, f.corrientes, p.columna);
        }
    }
    if (celda.empty()) {
        return SinPlenaCarga{FaltaMotor::Potencia,
                             "La " + tabla + " no da la corriente de un motor " +
                                 (m.tipo == TipoMotor::Sincrono ? "síncrono " : "") + "de " +
                                 Hp(m) + " en su columna de " + std::to_string(p.columna) + " V."};
    }
    p.corriente = *Decimal::Leer(celda);
    return p;
}

CircuitoMotor Circuito(const Motor& m, const PlenaCarga& p) {
    CircuitoMotor c;
    const Decimal& i = p.corriente;
    c.plenaCarga = p;
    c.conductores = i * Decimal::Partes(125, 2);
    c.porciento = TiposMotor[static_cast<std::size_t>(m.tipo)].interruptor;
    c.maxima = i * Decimal(c.porciento) * Decimal::Partes(1, 2);
    c.siguiente = SiguienteEstandar(c.maxima).value_or(c.maxima);
    c.porcientoArranque = i > Decimal(LimiteArranque) ? ArranqueSobre100 : ArranqueHasta100;
    c.arranque = i * Decimal(c.porcientoArranque) * Decimal::Partes(1, 2);
    if (m.corrientePlaca) {
        // 430.32(A)(1): 125 % with a service factor of 1.15 or more or a rise of 40 °C or
        // less, 115 % for any other motor.
        const bool alto = (m.factorServicio && *m.factorServicio >= Decimal::Partes(115, 2)) ||
                          (m.elevacion && *m.elevacion <= Decimal(40));
        c.porcientoSobrecarga = alto ? 125 : 115;
        c.sobrecarga = *m.corrientePlaca * Decimal(c.porcientoSobrecarga) * Decimal::Partes(1, 2);
    }
    c.desconectador = i * Decimal::Partes(115, 2);
    return c;
}

std::optional<std::size_t> PotenciaDe(std::string_view texto) {
    std::string t;
    for (const char c : texto) {
        t += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    // The vulgar fractions, after a whole number or alone.
    for (const auto& [signo, fraccion] :
         {std::pair{"½", "1/2"}, {"¼", "1/4"}, {"¾", "3/4"}, {"⅓", "1/3"}, {"⅙", "1/6"}}) {
        if (const std::size_t i = t.find(signo); i != std::string::npos) {
            const bool solo = i == 0 || t[i - 1] == ' ' || t[i - 1] == '-';
            t.replace(i, std::string_view(signo).size(), std::string(solo ? "" : " ") + fraccion);
        }
    }
    std::replace(t.begin(), t.end(), ',', '.');
    const auto recortar = [&t] {
        while (!t.empty() && std::isspace(static_cast<unsigned char>(t.back()))) {
            t.pop_back();
        }
        while (!t.empty() && std::isspace(static_cast<unsigned char>(t.front()))) {
            t.erase(0, 1);
        }
    };
    recortar();
    for (const std::string_view unidad : {"h.p.", "c.p.", "hp", "cp"}) {
        if (t.ends_with(unidad)) {
            t.erase(t.size() - unidad.size());
            recortar();
            break;
        }
    }
    const auto valor = Valor(t);
    if (!valor) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < PotenciasMotor.size(); ++i) {
        const PotenciaMotor& p = PotenciasMotor[i];
        if (*valor == Racional(static_cast<std::uint64_t>(p.numerador),
                               static_cast<std::uint64_t>(p.denominador))) {
            return i;
        }
    }
    return std::nullopt;
}

} // namespace engine
