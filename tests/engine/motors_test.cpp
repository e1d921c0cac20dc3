#include "engine/motors.h"
#include "tests/engine/tablas_de_prueba.h"

#include "engine/sizing.h"

#include <gtest/gtest.h>

using namespace engine;

namespace {

std::size_t Hp(std::string_view texto) {
    const auto p = PotenciaDe(texto);
    EXPECT_TRUE(p) << texto;
    return p.value_or(0);
}

Motor De(std::string_view hp, TipoMotor tipo = TipoMotor::JaulaDeArdilla) {
    Motor m;
    m.potencia = Hp(hp);
    m.tipo = tipo;
    return m;
}

// A motor's branch circuit in copper, PVC, THW in a wet location, 20 m at power factor
// 0.85, three-phase unless told.
Alimentador RamalMotor(std::string_view hp, double voltaje, Sistema sistema = Sistema::Trifasico) {
    Alimentador a;
    a.sistema = sistema;
    a.motor = De(hp);
    a.voltaje = voltaje;
    a.factorPotencia = 0.85;
    a.longitud = 20;
    return a;
}

bool Dice(const Dimensionado& d, std::string_view texto) {
    for (const std::string& o : d.observaciones) {
        if (o.find(texto) != std::string::npos) {
            return true;
        }
    }
    return false;
}

} // namespace

// Ratings as people write them, each the table's own.
TEST(Motores, RatingsAreReadAsWritten) {
    const std::pair<const char*, std::string_view> casos[] = {
        {"1/2", "1/2"},     {"0.5", "1/2"},     {"0,5", "1/2"},    {"½", "1/2"},
        {"1 1/2", "1 1/2"}, {"1-1/2", "1 1/2"}, {"1.5", "1 1/2"},  {"7½", "7 1/2"},
        {"7.5", "7 1/2"},   {"10 HP", "10"},    {" 25 hp ", "25"}, {"1/3", "1/3"},
    };
    for (const auto& [escrita, nombre] : casos) {
        EXPECT_EQ(PotenciasMotor[Hp(escrita)].nombre, nombre) << escrita;
    }
    // A third is not 0.33, nor is 11 hp a rating of the tables.
    EXPECT_FALSE(PotenciaDe("0.33"));
    EXPECT_FALSE(PotenciaDe("11"));
    EXPECT_FALSE(PotenciaDe("diez"));
    EXPECT_FALSE(PotenciaDe(""));
    EXPECT_FALSE(PotenciaDe("1/0"));
}

// Table 430.250 and Table 430.248 by hand: 10 hp at 460 V, 14 A; 10 hp at 230 V, 28 A; 50 hp
// at 460 V, 65 A (and 52 A synchronous); 100 hp at 460 V, 124 A; 7½ hp at 208 V, 24.2 A;
// 5 hp single-phase at 230 V, 28 A; 2 hp single-phase at 230 V, 12 A. The ranges of the
// tables' notes: 480 V reads the 460 V column, 220 V the 230 V one, 127 V single-phase the
// 115 V one with its remark.
TEST(Motores, TheFullLoadCurrentIsTheTables) {
    const struct {
        const char* hp;
        TipoMotor tipo;
        Sistema sistema;
        double voltaje;
        const char* corriente;
        int columna;
    } casos[] = {
        {"10", TipoMotor::JaulaDeArdilla, Sistema::Trifasico, 460, "14", 460},
        {"10", TipoMotor::JaulaDeArdilla, Sistema::Trifasico, 480, "14", 460},
        {"10", TipoMotor::RotorDevanado, Sistema::Trifasico, 230, "28", 230},
        {"50", TipoMotor::JaulaDeArdilla, Sistema::Trifasico, 440, "65", 460},
        {"50", TipoMotor::Sincrono, Sistema::Trifasico, 460, "52", 460},
        {"100", TipoMotor::JaulaDeArdilla, Sistema::Trifasico, 460, "124", 460},
        {"7 1/2", TipoMotor::JaulaDeArdilla, Sistema::Trifasico, 208, "24.2", 208},
        {"500", TipoMotor::JaulaDeArdilla, Sistema::Trifasico, 600, "472", 575},
        {"5", TipoMotor::JaulaDeArdilla, Sistema::Monofasico, 230, "28", 230},
        {"2", TipoMotor::JaulaDeArdilla, Sistema::Monofasico, 220, "12", 230},
        {"1/2", TipoMotor::JaulaDeArdilla, Sistema::Monofasico, 127, "9.8", 115},
        {"1/6", TipoMotor::JaulaDeArdilla, Sistema::Monofasico, 120, "4.4", 115},
    };
    for (const auto& caso : casos) {
        const Motor m = De(caso.hp, caso.tipo);
        const auto p = CorrientePlenaCarga(m, caso.sistema, caso.voltaje, Norma::Nec2023);
        ASSERT_TRUE(std::holds_alternative<PlenaCarga>(p)) << caso.hp << " " << caso.voltaje;
        EXPECT_EQ(std::get<PlenaCarga>(p).corriente.Texto(), caso.corriente) << caso.hp;
        EXPECT_EQ(std::get<PlenaCarga>(p).columna, caso.columna) << caso.hp;
        EXPECT_EQ(std::get<PlenaCarga>(p).fueraDeRango, caso.voltaje == 127) << caso.hp;
    }
}

// What the tables do not give is refused, naming why: 400 V, a 460 V single-phase motor,
// a 3 hp motor at 115 V three-phase, a 10 hp synchronous motor (the columns start at 25
// hp), one at 208 V, a single-phase wound-rotor motor and a 15 hp single-phase one.
TEST(Motores, WhatTheTablesDoNotGiveIsRefused) {
    const struct {
        const char* hp;
        TipoMotor tipo;
        Sistema sistema;
        double voltaje;
        FaltaMotor falta;
        const char* dice;
    } casos[] = {
        {"10", TipoMotor::JaulaDeArdilla, Sistema::Trifasico, 400, FaltaMotor::Voltaje, "400 V"},
        {"1", TipoMotor::JaulaDeArdilla, Sistema::Monofasico, 460, FaltaMotor::Voltaje,
         "Tabla 430.248"},
        {"3", TipoMotor::JaulaDeArdilla, Sistema::Trifasico, 115, FaltaMotor::Potencia, "3 hp"},
        {"10", TipoMotor::Sincrono, Sistema::Trifasico, 460, FaltaMotor::Potencia, "síncrono"},
        {"50", TipoMotor::Sincrono, Sistema::Trifasico, 208, FaltaMotor::Potencia, "208 V"},
        {"1", TipoMotor::RotorDevanado, Sistema::Monofasico, 230, FaltaMotor::Tipo, "trifásico"},
        {"15", TipoMotor::JaulaDeArdilla, Sistema::Monofasico, 230, FaltaMotor::Potencia, "15 hp"},
    };
    for (const auto& caso : casos) {
        const auto p =
            CorrientePlenaCarga(De(caso.hp, caso.tipo), caso.sistema, caso.voltaje, Norma::Nec2023);
        ASSERT_TRUE(std::holds_alternative<SinPlenaCarga>(p)) << caso.hp << " " << caso.voltaje;
        EXPECT_EQ(std::get<SinPlenaCarga>(p).falta, caso.falta) << caso.hp;
        EXPECT_NE(std::get<SinPlenaCarga>(p).mensaje.find(caso.dice), std::string::npos)
            << std::get<SinPlenaCarga>(p).mensaje;
    }
    // The NOM numbers its tables with a hyphen.
    const auto nom = CorrientePlenaCarga(De("10"), Sistema::Trifasico, 380, Norma::Nom2012);
    EXPECT_NE(std::get<SinPlenaCarga>(nom).mensaje.find("Tabla 430-250"), std::string::npos);
}

// 10 hp at 460 V, 14 A: conductors for 125 % = 17.5 A, which 14 AWG carries in the 75 °C
// column (20 A) and 12 AWG in the 60 °C one (14 AWG has 15 A); the breaker at 250 % = 35 A,
// a standard rating, and 14 AWG with it, since the overload protects the conductors (240.4(G),
// not the 15 A of 240.4(D)); the disconnect 115 % = 16.1 A.
TEST(Motores, TenHorsepowerAt460Volts) {
    Alimentador a = RamalMotor("10", 460);
    Dimensionado d = Dimensionar(a, Tablas());
    ASSERT_TRUE(d.calculado) << d.observaciones.front();
    EXPECT_EQ(d.ampacidad->corriente.Texto(), "14");
    EXPECT_EQ(d.ampacidad->requerida.Texto(), "17.5");
    EXPECT_EQ(d.ampacidad->proteccion.Texto(), "35");
    EXPECT_EQ(Calibres[*d.elegido].nombre, "14");
    EXPECT_EQ(d.motor->desconectador.Texto(), "16.1");
    // Three phases and the grounding conductor: a motor has no neutral unless given one.
    EXPECT_FALSE(d.conjunto->neutro);
    EXPECT_EQ(d.conjunto->conductoresPorTubo, 4);
    EXPECT_FALSE(d.motor->sobrecarga);
    EXPECT_TRUE(Dice(d, "240.4(G)"));
    EXPECT_TRUE(Dice(d, "corriente de placa"));
    a.terminales = 60;
    d = Dimensionar(a, Tablas());
    ASSERT_TRUE(d.calculado);
    EXPECT_EQ(Calibres[*d.elegido].nombre, "12");
    // A given 14 AWG at 60 °C falls short of the 125 %, by 430.22.
    a.calibre = IndiceCalibre("14");
    d = Dimensionar(a, Tablas());
    EXPECT_TRUE(d.excedeAmpacidad);
    EXPECT_TRUE(Dice(d, "125 % de la corriente del motor"));
    EXPECT_TRUE(Dice(d, "430.22"));
}

// 7½ hp at 208 V, 24.2 A: 250 % = 60.5 A, not a standard rating: the next, 70 A. A wound-rotor
// motor of 10 hp at 460 V: 150 % of 14 A = 21 A → 25 A.
TEST(Motores, TheBreakerIsTheTablesPercentOrTheNextStandard) {
    Dimensionado d = Dimensionar(RamalMotor("7½", 208), Tablas());
    ASSERT_TRUE(d.calculado);
    EXPECT_EQ(d.motor->maxima.Texto(), "60.5");
    EXPECT_EQ(d.ampacidad->proteccion.Texto(), "70");
    Alimentador devanado = RamalMotor("10", 460);
    devanado.motor->tipo = TipoMotor::RotorDevanado;
    d = Dimensionar(devanado, Tablas());
    ASSERT_TRUE(d.calculado);
    EXPECT_EQ(d.motor->maxima.Texto(), "21");
    EXPECT_EQ(d.ampacidad->proteccion.Texto(), "25");
}

// 10 hp at 460 V: a given 50 A passes the 35 A but not 400 % = 56 A: kept, citing Exception
// No. 2; 60 A passes both and is refused naming them. 100 hp at 460 V, 124 A: above 100 A the
// limit is 300 % = 372 A.
TEST(Motores, AGivenBreakerUpToTheStartingLimitIsKept) {
    Alimentador a = RamalMotor("10", 460);
    a.proteccion = Decimal(50);
    Dimensionado d = Dimensionar(a, Tablas());
    ASSERT_TRUE(d.calculado);
    EXPECT_EQ(d.ampacidad->proteccion.Texto(), "50");
    EXPECT_TRUE(Dice(d, "430.52(C)(1)(b)"));
    a.proteccion = Decimal(60);
    d = Dimensionar(a, Tablas());
    EXPECT_FALSE(d.calculado);
    EXPECT_EQ(d.invalido, Dato::Proteccion);
    EXPECT_TRUE(Dice(d, "35 A")) << d.observaciones.front();
    EXPECT_TRUE(Dice(d, "56 A")) << d.observaciones.front();
    a.proteccion = Decimal(35);
    d = Dimensionar(a, Tablas());
    ASSERT_TRUE(d.calculado);
    EXPECT_FALSE(Dice(d, "430.52(C)(1)(b)"));
    Alimentador grande = RamalMotor("100", 460);
    grande.proteccion = Decimal(400);
    d = Dimensionar(grande, Tablas());
    EXPECT_EQ(d.invalido, Dato::Proteccion);
    EXPECT_TRUE(Dice(d, "372 A")) << d.observaciones.front();
    grande.proteccion = Decimal(350);
    d = Dimensionar(grande, Tablas());
    EXPECT_TRUE(d.calculado);
}

// 430.32(A)(1) from a nameplate of 13 A: 125 % = 16.25 A with a service factor of 1.15 or a
// rise of 40 °C; 115 % = 14.95 A with a factor of 1.0 and a rise of 50 °C.
TEST(Motores, TheOverloadFollowsTheNameplate) {
    Alimentador a = RamalMotor("10", 460);
    a.motor->corrientePlaca = Decimal(13);
    a.motor->factorServicio = Decimal::Partes(115, 2);
    Dimensionado d = Dimensionar(a, Tablas());
    EXPECT_EQ(d.motor->sobrecarga->Texto(), "16.25");
    a.motor->factorServicio = Decimal(1);
    a.motor->elevacion = Decimal(50);
    d = Dimensionar(a, Tablas());
    EXPECT_EQ(d.motor->sobrecarga->Texto(), "14.95");
    a.motor->elevacion = Decimal(40);
    d = Dimensionar(a, Tablas());
    EXPECT_EQ(d.motor->sobrecarga->Texto(), "16.25");
    EXPECT_TRUE(Dice(d, "16.25 A, el 125 % de la corriente de placa"));
}

// A motor's load is the table's: a current given beside it is refused; the 127 V row says
// where its current came from; a 400 V row marks the voltage.
TEST(Motores, RowsRefusedOrRemarked) {
    Alimentador a = RamalMotor("10", 460);
    a.corriente = Decimal(14);
    Dimensionado d = Dimensionar(a, Tablas());
    EXPECT_EQ(d.invalido, Dato::Corriente);
    d = Dimensionar(RamalMotor("1/2", 127, Sistema::Monofasico), Tablas());
    ASSERT_TRUE(d.calculado);
    EXPECT_EQ(d.ampacidad->corriente.Texto(), "9.8");
    EXPECT_TRUE(Dice(d, "columna de 115 V"));
    d = Dimensionar(RamalMotor("10", 400), Tablas());
    EXPECT_EQ(d.invalido, Dato::Voltaje);
    d = Dimensionar(RamalMotor("2", 230, Sistema::Monofasico), Tablas());
    EXPECT_EQ(d.ampacidad->corriente.Texto(), "12");
    EXPECT_EQ(d.ampacidad->proteccion.Texto(), "30");
}
