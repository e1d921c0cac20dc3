#include "schedule/calculator_row.h"

#include <gtest/gtest.h>

using namespace schedule;

namespace {

std::string Texto(const Cuadro::Fila& f, Columna c) {
    return f.entradas[static_cast<std::size_t>(c)];
}

// The main window's defaults but single-phase aluminium 2/0 in steel.
engine::Entrada Calculadora() {
    engine::Entrada e;
    e.sistema = engine::Sistema::Monofasico;
    e.material = engine::Material::Aluminio;
    e.indiceDucto = 2;
    e.indiceCalibre = 10;
    e.Text1 = "28.5";
    e.Text2 = "24.50";
    e.Text3 = "127";
    e.Text5 = ".95";
    e.Text6 = "3";
    e.carpetaTablas = CARPETA_TABLAS;
    return e;
}

} // namespace

// The choices and numbers as the main window reads them, the size given.
TEST(FilaDeLaCalculadora, CarriesTheVoltageDropInputs) {
    const Cuadro::Fila f = FilaDeLaCalculadora(Calculadora(), FilaNueva(Cuadro{}));
    EXPECT_EQ(Texto(f, Columna::Circuito), "C-1");
    EXPECT_EQ(Texto(f, Columna::Sistema), "Monofásico");
    EXPECT_EQ(Texto(f, Columna::Conductor), "Aluminio");
    EXPECT_EQ(Texto(f, Columna::Ducto), "Acero");
    EXPECT_EQ(Texto(f, Columna::Calibre), "2/0");
    EXPECT_EQ(Texto(f, Columna::Corriente), "24.5");
    EXPECT_EQ(Texto(f, Columna::Voltaje), "127");
    EXPECT_EQ(Texto(f, Columna::Fp), "0.95");
    EXPECT_EQ(Texto(f, Columna::Longitud), "28.5");
    EXPECT_EQ(Texto(f, Columna::RegulacionMax), "3");
}

// In the distance mode, the circuit of the report: aluminium 2/0 in steel, 24.5 A at 127 V
// and pf 0.95 single-phase, may run 110.51 m for 3 V (the report's "Distancia"), which is
// 3 / 127 = 2.36 %.
TEST(FilaDeLaCalculadora, TheDistanceModeCarriesTheDistanceAndTheDrop) {
    engine::Entrada e = Calculadora();
    e.modo = engine::Modo::Distancia;
    const engine::Reporte reporte = engine::Calcular(e);
    const Cuadro::Fila f = FilaDeLaCalculadora(e, FilaNueva(Cuadro{}));
    EXPECT_EQ(Texto(f, Columna::Longitud), "110.51");
    EXPECT_EQ(reporte.lineas.back(), "     Distancia= 110.51 Metros");
    EXPECT_EQ(Texto(f, Columna::RegulacionMax), "2.36");
    // A refused calculation leaves no length to take.
    e.material = engine::Material::Aluminio;
    e.indiceCalibre = 0;
    EXPECT_EQ(Texto(FilaDeLaCalculadora(e, FilaNueva(Cuadro{})), Columna::Longitud), "");
}
