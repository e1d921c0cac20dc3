#include "engine/calcular.h"

#include "engine/report.h"
#include "tests/engine/table_files.h"

#include <gtest/gtest.h>

using namespace engine;

namespace {

// Tables whose every row holds the illustrative X 0.05 and R 0.8 ohms per 1000 ft.
class CalcularTest : public ::testing::Test {
protected:
    void SetUp() override {
        prueba::EjecutarSql(carpeta.ruta() / "Cobre.sqlite",
                            prueba::TablaUniforme("cablesCobre", 21, "'x',0.05,0.05,0.8,0.8,0.8"));
        prueba::EjecutarSql(carpeta.ruta() / "Aluminio.sqlite",
                            prueba::TablaUniforme("CableAlumino", 20, "'x',0.05,0.05,0.8,0.8,0.8"));
        entrada.Text1 = "100";
        entrada.Text2 = "30";
        entrada.Text3 = "240";
        entrada.Text5 = "0.85";
        entrada.Text6 = "5";
        entrada.carpetaTablas = carpeta.ruta();
    }

    prueba::CarpetaTemporal carpeta;
    Entrada entrada;
};

} // namespace

TEST_F(CalcularTest, WritesTheHeadingAndTheLinesOfTheChosenBranch) {
    for (Material material : {Material::Cobre, Material::Aluminio}) {
        entrada.material = material;
        entrada.modo = Modo::Distancia;
        entrada.sistema = Sistema::Monofasico;
        const Reporte reporte = Calcular(entrada);
        ASSERT_EQ(reporte.lineas.size(), LineasDistancia);
        EXPECT_EQ(reporte.lineas[0], "                        Resultado de los Cálculos");
        EXPECT_EQ(reporte.lineas[6], "     Distancia= 35.96 Metros");
        EXPECT_FALSE(reporte.aviso);

        entrada.modo = Modo::CaidaVoltaje;
        entrada.sistema = Sistema::Trifasico;
        const Reporte caida = Calcular(entrada);
        ASSERT_EQ(caida.lineas.size(), LineasCaida);
        EXPECT_EQ(caida.lineas[6], "     Caída de Voltaje = 12.041  Voltios");
    }
}

TEST_F(CalcularTest, ReadsTheFieldsAsTheUserTypedThem) {
    entrada.Text2 = "30A";
    entrada.Text5 = " .85";
    entrada.Text1 = "1 00";
    entrada.separadores = {",", "."};
    const Reporte reporte = Calcular(entrada);
    ASSERT_EQ(reporte.lineas.size(), LineasCaida);
    EXPECT_EQ(reporte.lineas[7], "     Voltaje Final= 227,96 Voltios");
    entrada.Text1 = "";
    EXPECT_EQ(Calcular(entrada).lineas[2], "     R= 0, Ohmios/fase");
}

TEST_F(CalcularTest, AluminiumSizeFourteenLeavesNoLine) {
    entrada.material = Material::Aluminio;
    entrada.indiceCalibre = 0;
    const Reporte reporte = Calcular(entrada);
    EXPECT_TRUE(reporte.lineas.empty());
    ASSERT_TRUE(reporte.aviso);
    EXPECT_EQ(reporte.aviso->tipo, Aviso::Tipo::Rechazo);
}

TEST_F(CalcularTest, AnUnreadableTableLeavesNoLine) {
    std::filesystem::remove(carpeta.ruta() / "Cobre.sqlite");
    const Reporte reporte = Calcular(entrada);
    EXPECT_TRUE(reporte.lineas.empty());
    ASSERT_TRUE(reporte.aviso);
    EXPECT_EQ(reporte.aviso->tipo, Aviso::Tipo::ErrorDatos);
}

TEST_F(CalcularTest, AFaultLeavesTheHeadingAloneWithItsMessage) {
    const struct {
        Modo modo;
        const char* campo;
        std::string Entrada::*texto;
        const char* mensaje;
    } casos[] = {
        {Modo::CaidaVoltaje, "85", &Entrada::Text5,
         "El factor de potencia debe ser un número entre 0 y 1."},
        {Modo::Distancia, "1.5", &Entrada::Text5,
         "El factor de potencia debe ser un número entre 0 y 1."},
        {Modo::CaidaVoltaje, "0", &Entrada::Text3, "El voltaje inicial debe ser mayor que cero."},
        {Modo::CaidaVoltaje, "1E200", &Entrada::Text2,
         "Los valores dados son demasiado grandes para calcular."},
    };
    for (const auto& c : casos) {
        Entrada e = entrada;
        e.modo = c.modo;
        e.*c.texto = c.campo;
        const Reporte reporte = Calcular(e);
        EXPECT_EQ(reporte.lineas, std::vector<std::string>{std::string(Encabezado)}) << c.campo;
        ASSERT_TRUE(reporte.aviso);
        EXPECT_EQ(reporte.aviso->tipo, Aviso::Tipo::FallaCalculo);
        EXPECT_EQ(reporte.aviso->texto, c.mensaje);
    }
}

TEST_F(CalcularTest, ZeroImpedanceInTheDistanceModeIsAFault) {
    prueba::EjecutarSql(carpeta.ruta() / "Cobre.sqlite",
                        "UPDATE cablesCobre SET xl_pvc_al = 0, r_pvc = 0");
    entrada.modo = Modo::Distancia;
    const Reporte reporte = Calcular(entrada);
    EXPECT_EQ(reporte.lineas.size(), 1u);
    ASSERT_TRUE(reporte.aviso);
    EXPECT_EQ(reporte.aviso->texto, "La tabla no da resistencia ni reactancia para este "
                                    "conductor: no se puede calcular la distancia.");
}
