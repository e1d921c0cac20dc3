// A single motor's branch circuit as Article 430 sizes it: the full-load current from the
// code's tables (430.6(A)(1)), not the nameplate, carries the conductors at 125 % (430.22),
// sets the largest inverse-time breaker (430.52) and the disconnecting means (430.110(A));
// the nameplate current sets the overload relay (430.32(A)(1)).
#pragma once

#include "engine/code_editions.h"
#include "engine/conductors.h"
#include "engine/decimal.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace engine {

// A motor rating, hp, as the tables write it: "7 1/2" is 15/2.
struct PotenciaMotor {
    std::string_view nombre;
    int numerador;
    int denominador;
};

// A row of Table 430.250: the induction columns at 115, 200, 208, 230, 460 and 575 V, and the
// synchronous ones at 230, 460 and 575 V; empty where the table has no current.
struct FilaTrifasica {
    PotenciaMotor potencia;
    std::array<std::string_view, 6> induccion;
    std::array<std::string_view, 3> sincrono;
};
inline constexpr std::array<int, 6> ColumnasTrifasicas{115, 200, 208, 230, 460, 575};
inline constexpr std::array<int, 3> ColumnasSincronas{230, 460, 575};
inline constexpr std::array TablaTrifasica{
#define PLENA_CARGA_TRIFASICA(hp, num, den, v115, v200, v208, v230, v460, v575, s230, s460, s575)  \
    FilaTrifasica{{hp, num, den}, {v115, v200, v208, v230, v460, v575}, {s230, s460, s575}},
#include "data/motores_trifasicos.def"
#undef PLENA_CARGA_TRIFASICA
};

// A row of Table 430.248, at 115, 200, 208 and 230 V.
struct FilaMonofasica {
    PotenciaMotor potencia;
    std::array<std::string_view, 4> corrientes;
};
inline constexpr std::array<int, 4> ColumnasMonofasicas{115, 200, 208, 230};
inline constexpr std::array TablaMonofasica{
#define PLENA_CARGA_MONOFASICA(hp, num, den, v115, v200, v208, v230)                               \
    FilaMonofasica{{hp, num, den}, {v115, v200, v208, v230}},
#include "data/motores_monofasicos.def"
#undef PLENA_CARGA_MONOFASICA
};

namespace detalle {

constexpr bool Menor(const PotenciaMotor& a, const PotenciaMotor& b) {
    return a.numerador * b.denominador < b.numerador * a.denominador;
}

// Every rating of either table once, smallest first, into `salida` when given; how many.
constexpr std::size_t UnirPotencias(PotenciaMotor* salida) {
    std::size_t n = 0;
    std::size_t t = 0;
    std::size_t m = 0;
    while (t < TablaTrifasica.size() || m < TablaMonofasica.size()) {
        const PotenciaMotor* siguiente = nullptr;
        if (m == TablaMonofasica.size() ||
            (t < TablaTrifasica.size() &&
             !Menor(TablaMonofasica[m].potencia, TablaTrifasica[t].potencia))) {
            siguiente = &TablaTrifasica[t].potencia;
            // The same rating in both tables is taken once.
            if (m < TablaMonofasica.size() &&
                !Menor(TablaTrifasica[t].potencia, TablaMonofasica[m].potencia)) {
                ++m;
            }
            ++t;
        } else {
            siguiente = &TablaMonofasica[m++].potencia;
        }
        if (salida != nullptr) {
            salida[n] = *siguiente;
        }
        ++n;
    }
    return n;
}

} // namespace detalle

// Every rating of either table, smallest first: a motor's `potencia` is a place here.
inline constexpr auto PotenciasMotor = [] {
    std::array<PotenciaMotor, detalle::UnirPotencias(nullptr)> potencias{};
    detalle::UnirPotencias(potencias.data());
    return potencias;
}();
static_assert(PotenciasMotor.front().nombre == "1/6" && PotenciasMotor.back().nombre == "500");

enum class TipoMotor {
#define TIPO_MOTOR(clave, nombre, interruptor) clave,
#include "data/protecciones_motor.def"
#undef TIPO_MOTOR
};
struct DescripcionTipoMotor {
    std::string_view nombre;
    int interruptor; // the inverse-time breaker's largest rating, % of the full-load current
};
inline constexpr std::array TiposMotor{
#define TIPO_MOTOR(clave, nombre, interruptor) DescripcionTipoMotor{nombre, interruptor},
#include "data/protecciones_motor.def"
#undef TIPO_MOTOR
};

// Exception No. 2(c): a breaker that cannot carry the starting current may go up to 400 % of
// a full-load current of 100 A or less, 300 % above it.
inline constexpr int ArranqueHasta100 = 400;
inline constexpr int ArranqueSobre100 = 300;
inline constexpr int LimiteArranque = 100;

// One motor, as its row gives it.
struct Motor {
    std::size_t potencia = 0; // position in PotenciasMotor
    TipoMotor tipo = TipoMotor::JaulaDeArdilla;
    std::optional<Decimal> corrientePlaca; // A, from the nameplate
    std::optional<Decimal> factorServicio;
    std::optional<Decimal> elevacion; // °C, the nameplate's temperature rise

    bool operator==(const Motor&) const = default;
};

// The full-load current the code's tables give, and where it was read.
struct PlenaCarga {
    Decimal corriente;         // A
    int columna = 0;           // V: the table's column
    bool trifasica = true;     // Table 430.250; false: Table 430.248
    bool fueraDeRango = false; // a 127 V system read in the 115 V column
};

// Why a motor has no current in the tables: its voltage, its type or its rating.
enum class FaltaMotor { Voltaje, Tipo, Potencia };
struct SinPlenaCarga {
    FaltaMotor falta;
    std::string mensaje;
};

// The table's current of `motor` on a system of `voltaje` (V), or why there is none: a
// voltage outside the tables' ranges, a rating or a type the table has not.
std::variant<PlenaCarga, SinPlenaCarga> CorrientePlenaCarga(const Motor& motor, Sistema sistema,
                                                            double voltaje, Norma norma);

// The figures of a motor's branch circuit from its full-load current.
struct CircuitoMotor {
    PlenaCarga plenaCarga;
    Decimal conductores;               // 125 % of the full-load current, A (430.22)
    int porciento = 0;                 // the breaker's percentage, Table 430.52
    Decimal maxima;                    // that percentage of the full-load current, A
    Decimal siguiente;                 // the standard rating at or above it (Exception No. 1), A
    int porcientoArranque = 0;         // Exception No. 2's percentage
    Decimal arranque;                  // its largest breaker, A
    std::optional<Decimal> sobrecarga; // the overload relay's largest setting, A (430.32(A)(1))
    int porcientoSobrecarga = 0;       // 125 or 115
    Decimal desconectador;             // the disconnecting means' least rating, A (430.110(A))
};

CircuitoMotor Circuito(const Motor& motor, const PlenaCarga& plenaCarga);

// A rating as people write it ("1/2", "0.5", "1 1/2", "7½", "10 hp"), after its decimal
// mark is made a point: its place in PotenciasMotor, or none for a rating no table has.
std::optional<std::size_t> PotenciaDe(std::string_view texto);

} // namespace engine
