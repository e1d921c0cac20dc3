#include "schedule/fault_current.h"

#include "schedule/project_file.h"
#include "schedule/record.h"
#include "schedule/schedule_file.h"
#include "tests/engine/tablas_de_prueba.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;
using namespace schedule;

namespace {

Cuadro DelArchivo(const char* nombre) {
    auto leido = LeerProyecto(fs::path(FIXTURES) / nombre);
    EXPECT_TRUE(std::holds_alternative<Cuadro>(leido));
    return std::holds_alternative<Cuadro>(leido) ? std::get<Cuadro>(leido) : Cuadro{};
}

std::string& Entrada(Cuadro& c, std::size_t fila, Columna col) {
    return c.filas[fila].entradas[static_cast<std::size_t>(col)];
}

// Every row of the schedule sized and placed in its tree.
struct Calculado {
    std::vector<FilaDimensionada> filas;
    std::vector<EnArbol> arbol;
};

Calculado Calcular(const Cuadro& c) {
    Calculado r{*DimensionarCuadro(c, Tablas(), std::nullopt, {}), {}};
    r.arbol = ArbolDelCuadro(c, r.filas, {});
    return r;
}

std::string Ka(const std::optional<engine::Racional>& amperes) {
    return amperes ? TextoKa(*amperes) : "ninguno";
}

// The booklet's second example as a project of the third schema: 300 kVA, 208 V, 2 %Z with
// the tolerance, 46,263.40 A at the service; TG is 20 ft (6.096 m) of two sets of 500 kcmil
// copper in steel: 39,418.56 A at its end. The motors' 50 A add 200 A on the service's side:
// 46.46 kA and 39.62 kA. A1, single-phase at 208 V off TG, starts at 0.866 · 39,418.56 =
// 34,136.47 A; 30 m = 98.425 ft of 2 AWG in steel (C = 5,907): f = 2 · 98.425 · 34,136.47 /
// (5,907 · 208) = 5.4692, 5,276.76 A; with the motors 34.34 kA and 5.48 kA.
Cuadro ConFuente() {
    Cuadro c = DelArchivo("proyecto_v3.alim");
    c.proyecto.kvaFuente = "300";
    c.proyecto.zFuente = "2";
    c.proyecto.fasesFuente = "3";
    c.proyecto.voltajeFuente = "208";
    c.proyecto.corrienteMotores = "50";
    return c;
}

} // namespace

// A project of the third schema opens with no source and no ratings; given a source, its
// tree gets its figures from the service down, the single-phase feeder off a three-phase
// board at 0.866, and the ratings proposed.
TEST(CortoEnElArbol, UnProyectoDeLaTerceraVersionYSusFiguras) {
    Cuadro c = DelArchivo("proyecto_v3.alim");
    ASSERT_EQ(c.filas.size(), 2u);
    EXPECT_EQ(c.proyecto.kvaFuente, "");
    EXPECT_EQ(Entrada(c, 0, Columna::CapacidadInterruptiva), "");
    EXPECT_EQ(Calcular(c).arbol[0].corto, CortoDeFila{});

    const Calculado r = Calcular(ConFuente());
    EXPECT_EQ(Ka(r.arbol[0].corto.inicio), "46.46");
    EXPECT_EQ(Ka(r.arbol[0].corto.fin), "39.62");
    EXPECT_EQ(r.arbol[0].corto.capacidad, engine::Racional(50));
    EXPECT_EQ(Ka(r.arbol[1].corto.inicio), "34.34");
    EXPECT_EQ(Ka(r.arbol[1].corto.fin), "5.48");
    EXPECT_EQ(r.arbol[1].corto.capacidad, engine::Racional(35));
    EXPECT_FALSE(r.arbol[1].corto.insuficiente);
    EXPECT_FALSE(Falla(r.filas[1].leida, r.filas[1].dimensionado, r.arbol[1], 5));
}

// Through a transformer: T2, fed from TG's end (39,418.56 A at 208 V), is a 150 kVA,
// 4 %Z (3.6 % with the tolerance) transformer to 480 V: f = 39,418.56 · 208 · 1.732 · 3.6 /
// (100,000 · 150) = 3.4082, M = 0.22685, I = (208 / 480) · 0.22685 · 39,418.56 = 3,874.92 A;
// then 20 ft of two sets of 500 kcmil in steel: f = 1.732 · 20 · 3,874.92 / (22,185 · 2 ·
// 480) = 0.0063, 3,850.65 A. Past the transformer the motors of the service add nothing:
// 3.87 kA and 3.85 kA.
TEST(CortoEnElArbol, ATravesDeUnTransformadorSinLosMotores) {
    Cuadro c = ConFuente();
    Cuadro::Fila t2 = c.filas[0];
    t2.entradas[static_cast<std::size_t>(Columna::Circuito)] = "T2";
    t2.entradas[static_cast<std::size_t>(Columna::AlimentadoDesde)] = "TG";
    t2.entradas[static_cast<std::size_t>(Columna::Transformador)] = "sí";
    t2.entradas[static_cast<std::size_t>(Columna::KvaTransformador)] = "150";
    t2.entradas[static_cast<std::size_t>(Columna::ZTransformador)] = "4";
    t2.entradas[static_cast<std::size_t>(Columna::Voltaje)] = "480";
    t2.entradas[static_cast<std::size_t>(Columna::Corriente)] = "100";
    c.filas.push_back(t2);
    const Calculado r = Calcular(c);
    EXPECT_EQ(Ka(r.arbol[2].corto.inicio), "3.87");
    EXPECT_EQ(Ka(r.arbol[2].corto.fin), "3.85");
    EXPECT_EQ(r.arbol[2].corto.capacidad, engine::Racional(10));
    EXPECT_FALSE(r.arbol[2].corto.final.ladoAcometida);
}

// 110.9: a given rating short of the start is kept with the row's results, marked, and its
// remark names the clause, the current and the smallest standard rating that is enough.
TEST(CortoEnElArbol, UnaCapacidadDadaQueNoBasta) {
    Cuadro c = ConFuente();
    Entrada(c, 1, Columna::CapacidadInterruptiva) = "22";
    const Calculado r = Calcular(c);
    const CortoDeFila& a1 = r.arbol[1].corto;
    EXPECT_TRUE(a1.insuficiente);
    EXPECT_EQ(a1.capacidad, engine::Racional(22));
    EXPECT_EQ(a1.nota, "110.9: la capacidad interruptiva dada, 22 kA, es menor que los 34.34 kA "
                       "al inicio del alimentador; la menor estándar que basta es de 35 kA.");
    EXPECT_TRUE(r.filas[1].dimensionado && r.filas[1].dimensionado->calculado);
    EXPECT_TRUE(Falla(r.filas[1].leida, r.filas[1].dimensionado, r.arbol[1], 5));
}

// A rating exactly equal to the current at a board is enough: 25 kA given by the utility at
// a 480 V three-phase service, a feeder from it rated 25 kA passes; 24.999 kA does not.
TEST(CortoEnElArbol, UnaCapacidadIgualALaCorrienteBasta) {
    Cuadro c = DelArchivo("proyecto_v3.alim");
    c.proyecto.iccAcometidaKa = "25";
    c.proyecto.fasesFuente = "3";
    c.proyecto.voltajeFuente = "208";
    Entrada(c, 0, Columna::CapacidadInterruptiva) = "25";
    EXPECT_FALSE(Calcular(c).arbol[0].corto.insuficiente);
    EXPECT_EQ(Ka(Calcular(c).arbol[0].corto.inicio), "25.00");
    Entrada(c, 0, Columna::CapacidadInterruptiva) = "24.999";
    EXPECT_TRUE(Calcular(c).arbol[0].corto.insuficiente);
}

// What stops the figures: a transformer row without its nameplate (it and the rows below
// it), a feeder of another voltage than the service's, a size without a C value, and a
// rating given in a project without a source.
TEST(CortoEnElArbol, LoQueDetieneLasFiguras) {
    Cuadro c = ConFuente();
    Entrada(c, 0, Columna::Transformador) = "sí";
    Entrada(c, 0, Columna::Voltaje) = "220";
    Entrada(c, 1, Columna::Voltaje) = "220";
    Calculado r = Calcular(c);
    EXPECT_EQ(r.arbol[0].corto.nota,
              "Sin corriente de cortocircuito: el transformador de «TG» no tiene "
              "«kva_transformador» y «z_transformador».");
    EXPECT_FALSE(r.arbol[1].corto.inicio);
    EXPECT_NE(r.arbol[1].corto.nota.find("«kva_transformador»"), std::string::npos);

    Entrada(c, 0, Columna::Transformador) = "";
    r = Calcular(c);
    ASSERT_TRUE(r.arbol[0].corto.error);
    EXPECT_NE(r.arbol[0].corto.error->find("de 208 V trifásica"), std::string::npos);

    c = ConFuente();
    Entrada(c, 0, Columna::Calibre) = "4/0";
    EXPECT_EQ(Calcular(c).arbol[0].corto.nota,
              "Sin corriente de cortocircuito: no hay valor C para el 4/0 de cobre en ducto de "
              "acero de «TG».");

    c = DelArchivo("proyecto_v3.alim");
    Entrada(c, 1, Columna::CapacidadInterruptiva) = "10";
    EXPECT_EQ(Calcular(c).arbol[1].corto.nota,
              "La capacidad interruptiva dada no se puede verificar (110.9): el proyecto no da "
              "la fuente (" +
                  EntradasDeLaFuente() + ").");
}

// The source's entries: one form or the other, each number sound, the utility's current
// with its voltage.
TEST(Fuente, UnaFormaYSusEntradas) {
    DatosProyecto p;
    EXPECT_TRUE(std::holds_alternative<std::monostate>(FuenteDe(p)));
    p.kvaFuente = "300";
    p.iccAcometidaKa = "25";
    ASSERT_TRUE(std::holds_alternative<std::string>(FuenteDe(p)));
    EXPECT_NE(std::get<std::string>(FuenteDe(p)).find("dé sólo una de las dos"), std::string::npos);
    p.iccAcometidaKa.clear();
    p.fasesFuente = "2";
    p.voltajeFuente = "-208";
    p.iccRedKa = "40";
    EXPECT_EQ(std::get<std::string>(FuenteDe(p)),
              "La fuente de cortocircuito: falta «z_fuente» y «voltaje_primario», «fases_fuente» "
              "debe ser 3 o 1 («2») y «voltaje_fuente» no es un número mayor que cero («-208»).");
    p = {};
    p.kvaFuente = "300";
    p.zFuente = "2";
    p.fasesFuente = "3";
    p.voltajeFuente = "208";
    p.toleranciaZ = "no";
    const auto f = FuenteDe(p);
    ASSERT_TRUE(std::holds_alternative<Fuente>(f));
    EXPECT_FALSE(std::get<Fuente>(f).tolerancia);
    EXPECT_EQ(TableroDeLaFuente(std::get<Fuente>(f)).corriente->Texto(2), "41637.06");
}
