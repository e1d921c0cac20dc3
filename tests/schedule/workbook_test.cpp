#include "schedule/workbook.h"

#include "schedule/csv_file.h"
#include "tests/engine/tablas_de_prueba.h"
#include "tests/schedule/volcado.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

using namespace schedule;

namespace {

Cuadro DelExcel() {
    std::ifstream archivo(FIXTURES "/excel_es.csv", std::ios::binary);
    return std::get<Cuadro>(LeerCuadro(archivo));
}

bool Tiene(const std::vector<std::string>& lineas, const std::string& linea) {
    return std::find(lineas.begin(), lineas.end(), linea) != lineas.end();
}

} // namespace

// The workbook's header: each input by its title with its unit, whatever the file called
// it; the file's other columns as it wrote them; then every result's title.
TEST(TitulosDelLibro, NameTheInputsForPeopleAndKeepTheOthers) {
    const auto e = std::get<Encabezado>(
        LeerEncabezado({"circuito", "Descripción", "sistema", "conductor", "ducto", "corriente",
                        "tensión", "F.P.", "Long. (m)"}));
    const std::vector<std::string> titulos = TitulosDelLibro(e);
    ASSERT_EQ(titulos.size(), 9 + ColumnasResultado.size());
    EXPECT_EQ(std::vector<std::string>(titulos.begin(), titulos.begin() + 9),
              (std::vector<std::string>{"Circuito", "Descripción", "Sistema", "Conductor", "Ducto",
                                        "Corriente (A)", "Voltaje (V)", "Factor de potencia",
                                        "Longitud (m)"}));
    EXPECT_EQ(titulos[9], "Calibre por caída (AWG/kcmil)");
    EXPECT_EQ(titulos.back(), "Desconectador mínimo del motor (A)");
}

// A Spanish Excel's CSV as its workbook, checked by hand. AL-2 (copper THW in PVC, 95 A
// over 42 m at 480 V, pf 0.9, all of it continuous): size 1 for 118.75 A, 3.516 V, 0.73 %.
// AL-3 and AL-4 find no size within 3 % and are shaded. The metres of copper size 1 are
// AL-2's three phases and its neutral, 4 × 42 = 168; those of 750 kcmil AL-1's, 4 × 35 =
// 140. The notes end with the columns the sizing did not read.
TEST(ExportarLibro, WritesTheSchedulesWorkbook) {
    const prueba::CarpetaTemporal carpeta("exportar-libro");
    ASSERT_EQ(ExportarLibro(DelExcel(), Tablas(), std::nullopt, carpeta.ruta() / "obra.xlsx"),
              std::nullopt);
    const std::vector<std::string> v = prueba::Volcado(carpeta.ruta() / "obra.xlsx");
    EXPECT_TRUE(
        Tiene(v, "Alimentadores!L1\t'Calibre por caída (AWG/kcmil)'\tGeneral\t-\tnegrita\t-"));
    EXPECT_TRUE(Tiene(v, "Alimentadores!A3\t'AL-2'\tGeneral\t-\t-\t-"));
    EXPECT_TRUE(Tiene(v, "Alimentadores!N3\t'1'\tGeneral\t-\t-\t-"));
    EXPECT_TRUE(Tiene(v, "Alimentadores!Q3\t3.515547338312497\t0.000\t-\t-\t-"));
    EXPECT_TRUE(Tiene(v, "Alimentadores!A4\t'AL-3'\tGeneral\tFFFFE0E0\t-\t-"));
    EXPECT_TRUE(Tiene(v, "Alimentadores!A5\t'AL-4'\tGeneral\tFFFFE0E0\t-\t-"));
    // AL-4 leaves its maximum drop empty: the 3 % the sizing took shows in grey.
    EXPECT_TRUE(Tiene(v, "Alimentadores!K5\t3\tGeneral\tFFFFE0E0\t-\tFF787878"));
    EXPECT_TRUE(Tiene(v, "Alimentadores!K3\t3\tGeneral\t-\t-\t-"));
    EXPECT_TRUE(Tiene(v, "Alimentadores filtro A1:AI5"));
    // The settings as they rule the schedule: the default edition and limit.
    EXPECT_TRUE(Tiene(v, "Proyecto!B7\t'NEC 2023'\tGeneral\t-\t-\t-"));
    EXPECT_TRUE(Tiene(v, "Proyecto!A8\t'Regulación total máxima (%)'\tGeneral\t-\tnegrita\t-"));
    EXPECT_TRUE(Tiene(v, "Proyecto!B8\t5\tGeneral\t-\t-\t-"));
    // The mark its texts write numbers with, the CSV's, for the workbook read back.
    EXPECT_TRUE(Tiene(v, "Proyecto!A9\t'Marca decimal'\tGeneral\t-\tnegrita\t-"));
    EXPECT_TRUE(Tiene(v, "Proyecto!B9\t','\tGeneral\t-\t-\t-"));
    EXPECT_TRUE(Tiene(v, "Proyecto!B11\t4\t0\t-\t-\t-"));
    EXPECT_TRUE(Tiene(v, "Proyecto!B12\t'2: AL-3, AL-4'\tGeneral\t-\t-\t-"));
    EXPECT_TRUE(Tiene(v, "Proyecto!B13\t'0,73 % (AL-2)'\tGeneral\t-\t-\t-"));
    EXPECT_TRUE(Tiene(v, "Proyecto!A17\t'Conductor de cobre 1 (m)'\tGeneral\t-\tnegrita\t-"));
    EXPECT_TRUE(Tiene(v, "Proyecto!B17\t168\t0.0\t-\t-\t-"));
    EXPECT_TRUE(Tiene(v, "Proyecto!B18\t140\t0.0\t-\t-\t-"));
    EXPECT_EQ(v.back().substr(0, 11), "Notas ancho");
    const std::string ultima = v[v.size() - 2];
    EXPECT_EQ(ultima.substr(ultima.find('\t')),
              "\t'Columnas que no se usan: «Descripción», «Nota del cliente».'\tGeneral\t-\t-\t-");
}

// Stopped while it sizes, the workbook says so and leaves no file: not even one without its
// summary, where the user asked for a whole one.
TEST(ExportarLibro, StoppedLeavesNoWorkbook) {
    const prueba::CarpetaTemporal carpeta("exportar-libro-cancelado");
    EXPECT_EQ(ExportarLibro(DelExcel(), Tablas(), std::nullopt, carpeta.ruta() / "obra.xlsx",
                            [](std::size_t filas) { return filas < 2; }),
              std::optional<std::string>("cancelado"));
    EXPECT_FALSE(std::filesystem::exists(carpeta.ruta() / "obra.xlsx"));
}
