#include "schedule/writers.h"

#include <gtest/gtest.h>

#include "tests/schedule/volcado.h"

#include <sstream>

using schedule::Celda;
using schedule::EscritorCsv;

namespace {

Celda T(std::string texto) {
    return {std::move(texto), std::nullopt, {}};
}

} // namespace

// UTF-8 with a byte-order mark for the spreadsheet, CRLF, and quotes only around a cell
// that holds the delimiter, a quote or a line end.
TEST(EscritorCsv, QuotesOnlyWhatMustBeQuoted) {
    std::ostringstream salida;
    EscritorCsv csv(salida, ';');
    csv.Fila({T("Descripción"), T("a;b"), T("dice \"sí\""), T("dos\nlíneas"), T("a,b"), T("")});
    csv.Fila({T("1,5")});
    EXPECT_EQ(salida.str(), "\xEF\xBB\xBF"
                            "Descripción;\"a;b\";\"dice \"\"sí\"\"\";\"dos\nlíneas\";a,b;\r\n"
                            "1,5\r\n");
    std::ostringstream coma;
    EscritorCsv conComa(coma, ',');
    conComa.Fila({T("1,5"), T("a;b")});
    EXPECT_EQ(coma.str(), "\xEF\xBB\xBF\"1,5\",a;b\r\n");
}

// The workbook for people, read back cell by cell: a bold, frozen, filtered header; numbers
// as numbers in the CSV's decimals and texts as texts; a failing row shaded across all its
// cells, its empty ones too; the page landscape, one page wide, the header row on every
// page, the project's name above (its "&" doubled, which Excel shows as one instead of
// reading a code) and "Página N de M" below; the sheet "Proyecto" and the sheet "Notas" one
// paragraph a row.
TEST(EscritorXlsx, WritesTheWorkbookForPeople) {
    const prueba::CarpetaTemporal carpeta("escritor-xlsx");
    auto libro = schedule::EscritorXlsx::Abrir(carpeta.ruta() / "libro.xlsx");
    ASSERT_TRUE(libro);
    libro->Encabezado({"Circuito", "Caída (V)", "Nota"});
    libro->Fila({T("AL-1"), {"3,516", 3.516, "0.000"}, T("")});
    libro->Fila({T("AL-2"), {"12", 12.0, "0"}, T("")}, true);
    EXPECT_EQ(
        libro->Terminar("Torre Sur & Cía",
                        {{"Proyecto", T("Torre Sur & Cía")}, {"Alimentadores", {"2", 2.0, "0"}}},
                        {"Una nota.", "Otra."}),
        std::nullopt);
    const std::vector<std::string> esperado{
        "hojas Alimentadores | Proyecto | Notas",
        "Alimentadores fija A2",
        "Alimentadores filtro A1:C3",
        "Alimentadores orientación landscape",
        "Alimentadores ancho en páginas None alto 0",
        "Alimentadores títulos $1:$1",
        "Alimentadores encabezado Torre Sur && Cía | Alimentadores",
        "Alimentadores pie Página &P de &N",
        "Alimentadores!A1\t'Circuito'\tGeneral\t-\tnegrita\t-",
        "Alimentadores!B1\t'Caída (V)'\tGeneral\t-\tnegrita\t-",
        "Alimentadores!C1\t'Nota'\tGeneral\t-\tnegrita\t-",
        "Alimentadores!A2\t'AL-1'\tGeneral\t-\t-\t-",
        "Alimentadores!B2\t3.516\t0.000\t-\t-\t-",
        "Alimentadores!A3\t'AL-2'\tGeneral\tFFFFE0E0\t-\t-",
        "Alimentadores!B3\t12\t0\tFFFFE0E0\t-\t-",
        "Alimentadores!C3\tNone\tGeneral\tFFFFE0E0\t-\t-",
        // Each column as wide as its longest text and two characters, six at least.
        "Alimentadores ancho A 10.7109375",
        "Alimentadores ancho B 11.7109375",
        "Alimentadores ancho C 6.7109375",
        "Proyecto fija None",
        "Proyecto filtro None",
        "Proyecto orientación None",
        "Proyecto ancho en páginas None alto None",
        "Proyecto títulos None",
        "Proyecto encabezado None | None",
        "Proyecto pie None",
        "Proyecto!A1\t'Proyecto'\tGeneral\t-\tnegrita\t-",
        "Proyecto!B1\t'Torre Sur & Cía'\tGeneral\t-\t-\t-",
        "Proyecto!A2\t'Alimentadores'\tGeneral\t-\tnegrita\t-",
        "Proyecto!B2\t2\t0\t-\t-\t-",
        "Proyecto ancho A 34.7109375",
        "Proyecto ancho B 60.7109375",
        "Notas fija None",
        "Notas filtro None",
        "Notas orientación None",
        "Notas ancho en páginas None alto None",
        "Notas títulos None",
        "Notas encabezado None | None",
        "Notas pie None",
        "Notas!A1\t'Método y supuestos'\tGeneral\t-\tnegrita\t-",
        "Notas!A3\t'Una nota.'\tGeneral\t-\t-\t-",
        "Notas!A4\t'Otra.'\tGeneral\t-\t-\t-",
        "Notas ancho A 120.7109375",
    };
    EXPECT_EQ(prueba::Volcado(carpeta.ruta() / "libro.xlsx"), esperado);
}

// A workbook whose folder does not exist is not written, and Terminar says why.
TEST(EscritorXlsx, CannotOpenAFileInAFolderThatIsNot) {
    EXPECT_EQ(schedule::EscritorXlsx::Abrir("/no/existe/libro.xlsx")->Terminar("", {}, {}),
              std::optional<std::string>("Error creating output xlsx file. Usually a "
                                         "permissions error."));
}
