#include "schedule/csv_reader.h"

#include <gtest/gtest.h>

#include <sstream>

using schedule::LectorCsv;

namespace {

using Filas = std::vector<std::vector<std::string>>;

struct Leido {
    char delimitador = 0;
    bool windows1252 = false;
    Filas filas;
    std::optional<std::string> error;
};

Leido Leer(const std::string& bytes) {
    std::istringstream entrada(bytes);
    auto apertura = LectorCsv::Abrir(entrada);
    Leido leido;
    auto& lector = *std::get<std::unique_ptr<LectorCsv>>(apertura);
    leido.delimitador = lector.delimitador();
    leido.windows1252 = lector.windows1252();
    std::vector<std::string> celdas;
    while (lector.Siguiente(celdas)) {
        leido.filas.push_back(celdas);
    }
    leido.error = lector.error();
    return leido;
}

} // namespace

// The delimiter is the one the header row uses, outside quotes; a header with none of
// them is one column, as a "," file.
TEST(LectorCsv, RecognisesTheDelimiterOfTheHeaderRow) {
    const std::pair<const char*, char> casos[] = {
        {"a;b;c\n1,5;2;3\n", ';'}, {"a\tb\tc\n1,5\t2\t3\n", '\t'}, {"a,b,c\n1.5,2,3\n", ','},
        {"\"a,b\";c\n1;2\n", ';'}, {"\"x;y;z\",b,c\n", ','},       {"solo\n1\n", ','},
    };
    for (const auto& [texto, delimitador] : casos) {
        EXPECT_EQ(Leer(texto).delimitador, delimitador) << texto;
    }
}

// Quoted cells hold the delimiter, quotes and line ends; CRLF ends a record; blanks are
// kept as written; empty cells stay.
TEST(LectorCsv, ReadsQuotedCellsAndCrlf) {
    const Leido leido = Leer("circuito;nota\r\n\"A;1\";\"dice \"\"hola\"\"\r\notra línea\"\r\n"
                             " B ;\r\n;;\r\n");
    EXPECT_FALSE(leido.error);
    EXPECT_EQ(leido.filas, (Filas{{"circuito", "nota"},
                                  {"A;1", "dice \"hola\"\r\notra línea"},
                                  {" B ", ""},
                                  {"", "", ""}}));
}

// A file that is not UTF-8 is Windows-1252, as a Spanish-language spreadsheet saves it; a
// byte-order mark is not part of the first cell.
TEST(LectorCsv, DecodesWindows1252AndSkipsTheByteOrderMark) {
    Leido leido = Leer("Regulaci\xF3n;Tri\xE1sico;\x80;\x93x\x94\n");
    EXPECT_TRUE(leido.windows1252);
    EXPECT_EQ(leido.filas.at(0),
              (std::vector<std::string>{"Regulación", "Triásico", "€", "\u201Cx\u201D"}));
    leido = Leer("\xEF\xBB\xBF"
                 "circuito,sistema\nA,3\n");
    EXPECT_FALSE(leido.windows1252);
    EXPECT_EQ(leido.filas.at(0).at(0), "circuito");
    leido = Leer("\xEF\xBB\xBF"
                 "circuito;sistema\nA;monof\xC3\xA1sico\n");
    EXPECT_EQ(leido.delimitador, ';');
    EXPECT_EQ(leido.filas.at(1).at(1), "monofásico");
}

// A file much longer than one block, whose only foreign byte comes late, is still read
// as Windows-1252 from its first byte.
TEST(LectorCsv, ALateForeignByteDecidesTheWholeFile) {
    std::string texto = "a;b\n";
    for (int i = 0; i < 20000; ++i) {
        texto += "fila;" + std::to_string(i) + "\n";
    }
    texto += "\xE9;1\n";
    const Leido leido = Leer(texto);
    EXPECT_TRUE(leido.windows1252);
    EXPECT_EQ(leido.filas.size(), 20002u);
    EXPECT_EQ(leido.filas.back().at(0), "é");
}

// A quote left open to the end is told by its row; a quote amid a cell by its line.
TEST(LectorCsv, AMalformedQuoteIsAFaultNamingWhereItIs) {
    Leido leido = Leer("a;b\n1;2\n\"3;4\n");
    ASSERT_TRUE(leido.error);
    EXPECT_NE(leido.error->find("fila 3"), std::string::npos) << *leido.error;
    leido = Leer("a;b\n1;2\n3\"x\";4\n5;6\n");
    ASSERT_TRUE(leido.error);
    EXPECT_NE(leido.error->find("línea 3"), std::string::npos) << *leido.error;
    EXPECT_EQ(leido.filas.size(), 2u);
}
