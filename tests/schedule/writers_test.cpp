#include "schedule/writers.h"

#include <gtest/gtest.h>

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
