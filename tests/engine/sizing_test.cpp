#include "engine/sizing.h"
#include "tests/engine/tablas_de_prueba.h"

#include "engine/ampacity.h"
#include "engine/calcular.h"
#include "engine/report.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace engine;

namespace {

// A three-phase copper feeder in PVC at 480 V and power factor 0.9, THW in a wet location
// with 75 °C terminals, its load not continuous: sized on its current alone.
Alimentador Trifasico(double corriente, double metros) {
    Alimentador a;
    a.corriente = *Decimal::DeReal(corriente);
    a.continua = Decimal(0);
    a.longitud = metros;
    a.voltaje = 480;
    a.factorPotencia = 0.9;
    return a;
}

} // namespace

// A published hand calculation: 2/0 copper in steel conduit, 65 A over 1000 ft at 480 V,
// power factor 0.85, gives 12.778 V there because it rounds the sine to three digits; with
// the sine to 15 digits the drop is 12.772 V and the regulation 2.66 %.
TEST(Dimensionar, APublishedThreePhaseDrop) {
    Alimentador a = Trifasico(65, 304.8);
    a.ducto = 2;
    a.factorPotencia = 0.85;
    a.calibre = IndiceCalibre("2/0");
    const Dimensionado d = Dimensionar(a, Tablas());
    ASSERT_TRUE(d.calculado);
    EXPECT_EQ(FormatearConPatron(d.valores->caida, "0.000", {}), "12.772");
    EXPECT_EQ(FormatearConPatron(d.valores->regulacion, "0.00", {}), "2.66");
    EXPECT_EQ(FormatearConPatron(d.valores->voltajeFinal, "0.00", {}), "467.23");
    EXPECT_EQ(d.valores->ampacidad, 175);
    // 2/0 where 6 carries the load raises the grounding conductor with it.
    ASSERT_EQ(d.observaciones.size(), 1u);
    EXPECT_NE(d.observaciones[0].find("250.122(B)"), std::string::npos);
    EXPECT_EQ(Calibres[d.conjunto->tierra].nombre, "1/0");
}

// Hand-checked with the table's ohms: 50 A over 150 m needs size 4 for 3 % (2.66 %; size 6
// gives 4.11 %) while size 8 carries it; 100 A over 10 m meets 3 % with size 12 (2.16 %)
// but needs size 3 to carry it; 85 A over 80 m needs size 4 by both (6 gives 3.73 %).
TEST(Dimensionar, TheLargerMinimumGovernsAndIsNamed) {
    const struct {
        double corriente, metros;
        const char *porCaida, *porAmpacidad, *elegido, *rige, *caida;
    } casos[] = {
        {50, 150, "4", "8", "4", "caída", "12.783"},
        {100, 10, "12", "3", "3", "ampacidad", "1.395"},
        {85, 80, "4", "4", "4", "ambos", "11.589"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.corriente);
        const Dimensionado d = Dimensionar(Trifasico(c.corriente, c.metros), Tablas());
        ASSERT_TRUE(d.calculado);
        EXPECT_EQ(Nombre(d.porCaida), c.porCaida);
        EXPECT_EQ(Nombre(d.porAmpacidad), c.porAmpacidad);
        EXPECT_EQ(Nombre(d.elegido), c.elegido);
        EXPECT_EQ(TextoRige(*d.rige), c.rige);
        EXPECT_EQ(FormatearConPatron(d.valores->caida, "0.000", {}), c.caida);
    }
}

// The small conductors take no larger device than 240.4(D) allows: copper 14 carries 20 A
// but takes a 15 A device, aluminium 12 20 A but a 15 A device. The limit is on the
// device: the ampacity stays the table's.
TEST(Dimensionar, SmallConductorsStopAtTheirProtectionLimit) {
    const struct {
        Material material;
        double corriente;
        const char* calibre;
    } casos[] = {
        {Material::Cobre, 15, "14"},     {Material::Cobre, 15.5, "12"},
        {Material::Cobre, 20.5, "10"},   {Material::Cobre, 30.5, "8"},
        {Material::Aluminio, 15, "12"},  {Material::Aluminio, 15.5, "10"},
        {Material::Aluminio, 25.5, "8"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.corriente);
        Alimentador a = Trifasico(c.corriente, 5);
        a.material = c.material;
        EXPECT_EQ(Nombre(Dimensionar(a, Tablas()).porAmpacidad), c.calibre);
    }
    Alimentador a = Trifasico(12, 5);
    a.calibre = IndiceCalibre("14");
    Dimensionado d = Dimensionar(a, Tablas());
    EXPECT_EQ(d.valores->ampacidad, 20);
    EXPECT_FALSE(d.excedeAmpacidad);
    a.proteccion = Decimal(20);
    d = Dimensionar(a, Tablas());
    EXPECT_TRUE(d.excedeAmpacidad);
    EXPECT_EQ(d.observaciones,
              std::vector<std::string>{"El calibre 14: la protección de 20 A no lo protege con su "
                                       "ampacidad de 20 A (NEC 2023 240.4(D))."});
}

// 60 A needs size 6 (65 A) at 30 °C with three conductors; at 40 °C (0.88) with six
// conductors (0.80) size 6 carries 45.76 A and size 4 59.84 A, so size 3 (70.4 A) it is.
TEST(Dimensionar, AmbientAndConductorCountChangeTheSize) {
    Alimentador a = Trifasico(60, 5);
    EXPECT_EQ(Nombre(Dimensionar(a, Tablas()).porAmpacidad), "6");
    a.temperaturaAmbiente = 40;
    a.conductoresDucto = 6;
    const Dimensionado d = Dimensionar(a, Tablas());
    EXPECT_EQ(Nombre(d.porAmpacidad), "3");
    EXPECT_EQ(d.valores->ampacidad, *Decimal::Leer("70.4"));
}

// Factors in hundredths, as the NEC tables print them, in the column of the conductor's
// rating; none beyond the highest ambient of the column.
TEST(Factores, FollowTheNecRows) {
    const struct {
        double grados;
        int columna, factor;
    } ambiente[] = {
        {-20, 75, 120}, {10, 75, 120}, {10.2, 75, 115}, {30, 75, 100}, {30.5, 75, 94}, {31, 75, 94},
        {35, 75, 94},   {36, 75, 88},  {70, 75, 33},    {10, 60, 129}, {40, 60, 82},   {55, 60, 41},
        {10, 90, 115},  {40, 90, 91},  {52, 90, 76},    {85, 90, 29},
    };
    for (const auto& c : ambiente) {
        EXPECT_EQ(FactorTemperatura(c.grados, c.columna), Decimal::Partes(c.factor, 2))
            << c.grados << " °C, " << c.columna;
    }
    EXPECT_FALSE(FactorTemperatura(70.1, 75));
    EXPECT_FALSE(FactorTemperatura(56, 60));
    EXPECT_FALSE(FactorTemperatura(85.5, 90));
    EXPECT_EQ(AmbienteMaximo(60), 55);
    EXPECT_EQ(AmbienteMaximo(75), 70);
    EXPECT_EQ(AmbienteMaximo(90), 85);
    const std::pair<int, int> agrupamiento[] = {
        {1, 100}, {3, 100}, {4, 80},  {6, 80},  {7, 70},  {9, 70},  {10, 50},
        {20, 50}, {21, 45}, {30, 45}, {31, 40}, {40, 40}, {41, 35}, {400, 35},
    };
    for (const auto& [conductores, factor] : agrupamiento) {
        EXPECT_EQ(FactorAgrupamiento(conductores), Decimal::Partes(factor, 2)) << conductores;
    }
}

// At the boundary the table's whole amperes times the factors are exact: copper 4 with nine
// conductors in the raceway carries 85 A x 0.70 = 59.5 A, which binary arithmetic makes
// 59.4999...; three sets of 1/0 at 45 °C with ten conductors a raceway carry
// 150 A x 0.82 x 0.50 x 3 = 184.5 A. Each current is carried exactly, and the ampacity
// shown rounds half up from the exact value.
TEST(Dimensionar, TheAmpacityBoundaryIsExact) {
    const struct {
        const char* corriente;
        double juegos, temperatura, conductores;
        const char *calibre, *ampacidad;
    } casos[] = {
        {"59.5", 1, 30, 9, "4", "60"},
        {"59.51", 1, 30, 9, "3", "70"},
        {"184.5", 3, 45, 10, "1/0", "185"},
        {"184.50000000001", 3, 45, 10, "2/0", "215"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.corriente);
        Alimentador a = Trifasico(1, 1);
        a.corriente = *Decimal::Leer(c.corriente);
        a.juegos = c.juegos;
        a.temperaturaAmbiente = c.temperatura;
        a.conductoresDucto = c.conductores;
        const Dimensionado d = Dimensionar(a, Tablas());
        EXPECT_EQ(Nombre(d.porAmpacidad), c.calibre);
        EXPECT_EQ(d.valores->ampacidad.Redondeado(0).Texto(), c.ampacidad);
    }
}

// Sets in parallel run in raceways of their own: the count is of one raceway. A count
// below one set's conductors is taken as one set, with a remark.
TEST(Dimensionar, ConductorsAreCountedInOneRaceway) {
    Alimentador a = Trifasico(60, 5);
    a.juegos = 2;
    a.calibre = IndiceCalibre("1/0");
    EXPECT_EQ(Dimensionar(a, Tablas()).valores->ampacidad, 300); // 3 a raceway: no adjustment
    a.conductoresDucto = 6;
    EXPECT_EQ(Dimensionar(a, Tablas()).valores->ampacidad, 240); // 150 x 0.80 x 2
    a.conductoresDucto = 2;
    Dimensionado d = Dimensionar(a, Tablas());
    EXPECT_EQ(d.valores->ampacidad, 300);
    EXPECT_EQ(d.observaciones,
              std::vector<std::string>{"Los conductores en el ducto (2) son menos que los de un "
                                       "conjunto; se toman 3."});
    a.sistema = Sistema::Monofasico;
    EXPECT_TRUE(Dimensionar(a, Tablas()).observaciones.empty());
}

// Parallel sets share the current: 300 A in two sets is 150 A a set, size 1/0; and no set
// is smaller than 1/0, however small the current. The drop is that of one set with its
// share of the current.
TEST(Dimensionar, ParallelSetsStartAtOneAught) {
    Alimentador a = Trifasico(300, 5);
    a.juegos = 2;
    Dimensionado d = Dimensionar(a, Tablas());
    EXPECT_EQ(Nombre(d.porAmpacidad), "1/0");
    EXPECT_EQ(d.valores->ampacidad, 300);
    a.corriente = 40;
    d = Dimensionar(a, Tablas());
    EXPECT_EQ(Nombre(d.porCaida), "1/0");
    EXPECT_EQ(Nombre(d.porAmpacidad), "1/0");

    Alimentador uno = Trifasico(150, 5);
    uno.calibre = IndiceCalibre("1/0");
    a.corriente = 300;
    a.calibre = uno.calibre;
    EXPECT_EQ(Dimensionar(a, Tablas()).valores->caida, Dimensionar(uno, Tablas()).valores->caida);

    a.calibre = IndiceCalibre("2");
    d = Dimensionar(a, Tablas());
    EXPECT_FALSE(d.calculado);
    ASSERT_EQ(d.observaciones.size(), 1u);
    EXPECT_NE(d.observaciones[0].find("1/0 y mayores"), std::string::npos);
}

TEST(Dimensionar, NoSizeMeetsTheLimitAndMoreSetsAreSuggested) {
    Alimentador a = Trifasico(400, 2000);
    a.regulacionMaxima = 1;
    const Dimensionado d = Dimensionar(a, Tablas());
    EXPECT_FALSE(d.calculado);
    EXPECT_FALSE(d.porCaida);
    EXPECT_EQ(Nombre(d.porAmpacidad), "600");
    ASSERT_EQ(d.observaciones.size(), 1u);
    EXPECT_EQ(d.observaciones[0], "Ningún calibre de cobre cumple la regulación máxima de 1 %; "
                                  "considere más conjuntos en paralelo.");
    a.corriente = 600;
    a.regulacionMaxima = 50;
    EXPECT_EQ(Dimensionar(a, Tablas()).observaciones.at(0),
              "Ningún calibre de cobre lleva la corriente de 600 A con su protección de 600 A; "
              "considere más conjuntos en paralelo.");
}

TEST(Dimensionar, AluminiumHasNoSizeFourteen) {
    Alimentador a = Trifasico(10, 5);
    a.material = Material::Aluminio;
    const Dimensionado d = Dimensionar(a, Tablas());
    EXPECT_EQ(Nombre(d.porCaida), "12");
    EXPECT_EQ(Nombre(d.porAmpacidad), "12");
    a.calibre = 0;
    const Dimensionado dado = Dimensionar(a, Tablas());
    EXPECT_FALSE(dado.calculado);
    EXPECT_EQ(dado.observaciones, std::vector<std::string>{"El calibre 14 no existe en aluminio."});
}

// A regulation exactly at the limit meets it.
TEST(Dimensionar, ARegulationEqualToTheLimitIsAccepted) {
    Alimentador a = Trifasico(50, 150);
    a.calibre = IndiceCalibre("4");
    const double regulacion = Dimensionar(a, Tablas()).valores->regulacion;
    a.calibre.reset();
    a.regulacionMaxima = regulacion;
    EXPECT_EQ(Nombre(Dimensionar(a, Tablas()).porCaida), "4");
    a.regulacionMaxima = std::nextafter(regulacion, 0.0);
    EXPECT_EQ(Nombre(Dimensionar(a, Tablas()).porCaida), "3");
}

// A given size is checked, not replaced: failing the limit or any rule of ampacity is
// told, each with its clause.
TEST(Dimensionar, AGivenSizeIsCheckedAgainstEveryRule) {
    Alimentador a = Trifasico(60, 150);
    a.calibre = IndiceCalibre("8");
    const Dimensionado d = Dimensionar(a, Tablas());
    EXPECT_TRUE(d.calculado);
    EXPECT_EQ(Nombre(d.elegido), "8");
    EXPECT_FALSE(d.rige);
    EXPECT_TRUE(d.excedeRegulacion);
    EXPECT_TRUE(d.excedeAmpacidad);
    EXPECT_EQ(d.observaciones,
              (std::vector<std::string>{
                  "El calibre 8 no cumple la regulación máxima de 3 %.",
                  "El calibre 8: no lleva 60 A en la columna de 75 °C (NEC 2023 215.2(A)(1)).",
                  "El calibre 8: su ampacidad de 50 A no lleva la corriente de 60 A (NEC 2023 "
                  "215.2(A)(2)).",
                  "El calibre 8: la protección de 60 A no lo protege con su ampacidad de 50 A "
                  "(NEC 2023 240.4(B))."}));
}

TEST(Dimensionar, InputsOutsideTheirRulesAreNamedWithTheirValue) {
    const struct {
        void (*cambiar)(Alimentador&);
        const char* mensaje;
    } casos[] = {
        {[](Alimentador& a) { a.corriente = 0; },
         "La corriente debe ser mayor que cero (dado: 0)."},
        {[](Alimentador& a) { a.voltaje = -5; }, "El voltaje debe ser mayor que cero (dado: -5)."},
        {[](Alimentador& a) { a.factorPotencia = 1.2; },
         "El factor de potencia debe ser mayor que 0 y no mayor que 1 (dado: 1.2)."},
        {[](Alimentador& a) { a.longitud = 0; }, "La longitud debe ser mayor que cero (dado: 0)."},
        {[](Alimentador& a) { a.regulacionMaxima = 100; },
         "La regulación máxima debe ser mayor que 0 % y menor que 100 % (dado: 100)."},
        {[](Alimentador& a) { a.juegos = 1.5; },
         "Los conjuntos en paralelo deben ser un número entero de 1 a 10 (dado: 1.5)."},
        {[](Alimentador& a) { a.juegos = 11; },
         "Los conjuntos en paralelo deben ser un número entero de 1 a 10 (dado: 11)."},
        {[](Alimentador& a) { a.temperaturaAmbiente = 71; },
         "Con temperatura ambiente mayor de 70 °C el conductor de 75 °C no puede usarse (dado: "
         "71)."},
        {[](Alimentador& a) { a.conductoresDucto = 0; },
         "Los conductores en el ducto deben ser un número entero, 1 o más (dado: 0)."},
        {[](Alimentador& a) { a.corriente.reset(); },
         "Falta la carga: su corriente o su potencia."},
        {[](Alimentador& a) {
             a.corriente.reset();
             a.potenciaKw = Decimal(-3);
         },
         "La potencia debe ser mayor que cero (dado: -3)."},
        {[](Alimentador& a) { a.continua = Decimal(101); },
         "La parte continua de la carga debe ser de 0 % a 100 % (dado: 101)."},
        {[](Alimentador& a) {
             a.continua.reset();
             a.corrienteContinua = *Decimal::Leer("50.01");
         },
         "La corriente continua no puede pasar de la corriente de la carga (50 A) (dado: "
         "50.01)."},
        {[](Alimentador& a) { a.terminales = 90; },
         "Las terminales deben ser de 60 °C o de 75 °C (dado: 90)."},
        {[](Alimentador& a) { a.aislamiento = IndiceAislamiento("THHN"); },
         "El aislamiento THHN no puede usarse en un lugar mojado."},
        {[](Alimentador& a) {
             a.aislamiento = IndiceAislamiento("THHN");
             a.mojado = false;
             a.temperaturaAmbiente = 86;
         },
         "Con temperatura ambiente mayor de 85 °C el conductor de 90 °C no puede usarse (dado: "
         "86)."},
        {[](Alimentador& a) { a.proteccion = *Decimal::Leer("49.99"); },
         "La protección de 49.99 A es menor que la mínima de 50 A (NEC 2023 215.3)."},
    };
    for (const auto& c : casos) {
        Alimentador a = Trifasico(50, 150);
        c.cambiar(a);
        const Dimensionado d = Dimensionar(a, Tablas());
        EXPECT_FALSE(d.calculado);
        EXPECT_EQ(d.observaciones, std::vector<std::string>{c.mensaje});
    }
    Alimentador coma = Trifasico(50, 150);
    coma.factorPotencia = 1.25;
    EXPECT_EQ(Dimensionar(coma, Tablas(), {",", ""}).observaciones.at(0),
              "El factor de potencia debe ser mayor que 0 y no mayor que 1 (dado: 1,25).");
}

// The cross-sections are the exact areas to 3 significant digits: an AWG gauge n has a
// diameter of 0.127 mm x 92^((36 - n) / 39), and a kcmil is 0.506707 mm².
TEST(Calibres, CrossSectionsFollowTheGaugeFormula) {
    for (std::size_t i = 0; i < Calibres.size(); ++i) {
        const std::string nombre(Calibres[i].nombre);
        double area;
        if (i <= IndiceCalibre("4/0")) {
            const double n =
                nombre.find("/0") != std::string::npos ? 1 - std::stod(nombre) : std::stod(nombre);
            const double d = 0.127 * std::pow(92.0, (36 - n) / 39);
            area = std::numbers::pi / 4 * d * d;
        } else {
            area = std::stod(nombre) * 0.506707;
        }
        const double cifras = std::pow(10.0, 2 - std::floor(std::log10(area)));
        EXPECT_DOUBLE_EQ(Calibres[i].mm2, std::round(area * cifras) / cifras) << nombre;
    }
}

// The same feeder typed into the main window, with the current of one set, shows the same
// drop to the last digit.
TEST(Dimensionar, TheDropIsTheMainWindowsDropForOneSet) {
    Alimentador a = Trifasico(65, 304.8);
    a.ducto = 2;
    a.factorPotencia = 0.85;
    a.juegos = 2;
    a.calibre = IndiceCalibre("2/0");
    Entrada e;
    e.indiceDucto = 2;
    e.indiceCalibre = static_cast<int>(*a.calibre);
    e.Text1 = "304.8";
    e.Text2 = "32.5";
    e.Text3 = "480";
    e.Text5 = "0.85";
    e.carpetaTablas = CARPETA_TABLAS;
    const Reporte reporte = Calcular(e);
    ASSERT_EQ(reporte.lineas.size(), LineasCaida);
    const Dimensionado d = Dimensionar(a, Tablas());
    EXPECT_EQ(reporte.lineas[6],
              "     Caída de Voltaje = " + FormatearConPatron(d.valores->caida, "#,##0.000 ", {}) +
                  " Voltios");
    EXPECT_EQ(reporte.lineas[6], "     Caída de Voltaje = 6.386  Voltios");
}
