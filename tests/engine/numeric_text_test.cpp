#include "engine/numeric_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using engine::TextoNumerico;
using engine::TextoQuinceCifras;
using engine::ValorNumerico;

TEST(ValorNumerico, ReadsTheLeadingNumberAndIgnoresTheRest) {
    const struct {
        const char* texto;
        double valor;
    } casos[] = {
        {"", 0},          {".", 0},       {"abc", 0},       {"E5", 0},        {"-", 0},
        {"240", 240},     {"0.85", 0.85}, {".85", 0.85},    {"5.", 5},        {"007", 7},
        {"12.5.3", 12.5}, {"1.2.3", 1.2}, {"7abc", 7},      {"30A", 30},      {"-30", -30},
        {"+4", 4},        {" 12 5", 125}, {"1\t2\n3", 123}, {"- 5", -5},      {"2.5 A", 2.5},
        {"1E3", 1000},    {"1e3", 1000},  {"1D2", 100},     {"2.5E-1", 0.25}, {"1E", 1},
        {"1E+", 1},       {"3E+x", 3},    {"1,5", 1},       {"&H1F", 31},     {"&hff", 255},
        {"&O17", 15},     {"&O8", 0},     {"&X1", 0},       {"&", 0},         {"0.000", 0},
        {"1E400", 0},     {"1E-400", 0},  {"inf", 0},       {"nan", 0},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(ValorNumerico(c.texto), c.valor) << '"' << c.texto << '"';
    }
}

TEST(ValorNumerico, ANumberBeyondTheDoubleRangeReadsAsZero) {
    EXPECT_EQ(ValorNumerico(std::string(400, '9')), 0);
    EXPECT_EQ(ValorNumerico("1" + std::string(308, '0')), 1e308);
    EXPECT_EQ(ValorNumerico("&H" + std::string(300, 'F')), 0);
}

TEST(TextoNumerico, RewritesAFieldIntoItsFifteenDigitNumberText) {
    const struct {
        const char* texto;
        const char* resultado;
    } casos[] = {
        {"", "0"},
        {".", "0"},
        {"0.000", "0"},
        {"007", "7"},
        {"5.", "5"},
        {".85", "0.85"},
        {"0.850", "0.85"},
        {"1.2.3", "1.2"},
        {"240", "240"},
        {"-30", "30"},
        {" 12 5", "125"},
        {"2.5 A", "2.5"},
        {"letras", "0"},
        {"0.1234567890123456789", "0.123456789012346"},
        {"12345678901234567", "1.23456789012346E+16"},
        {"1234567890123456", "1.23456789012346E+15"},
        {"999999999999999", "999999999999999"},
        {"123456789012345", "123456789012345"},
        {"1000000000000000", "1E+15"},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(TextoNumerico(ValorNumerico(c.texto)), c.resultado) << '"' << c.texto << '"';
    }
}

TEST(TextoQuinceCifras, ReadsBackAsTheValueRoundedToFifteenDigits) {
    for (double v : {0.526782687642637, 1e-5, 0.000123456789012345678, 1e-300, 4.9e-324,
                     1.7976931348623e308, 2.0 / 3.0, 123.456, 1e15, 0.1}) {
        const std::string texto = TextoQuinceCifras(v);
        EXPECT_EQ(TextoQuinceCifras(ValorNumerico(texto)), texto);
        EXPECT_EQ(texto.find('e'), std::string::npos) << texto;
    }
    EXPECT_EQ(TextoQuinceCifras(2.0 / 3.0), "0.666666666666667");
    EXPECT_EQ(TextoQuinceCifras(1e-5), "1E-05");
}

// Rounded up to 15 digits, the largest doubles would leave the range and read back as 0:
// they are rounded down instead, and read back within one unit of the 15th digit.
TEST(TextoQuinceCifras, TheTopOfTheRangeRoundsDownToAValueThatReads) {
    const double maximo = std::numeric_limits<double>::max();
    for (double v : {maximo, 1.797693134862315e308, 1.7976931348623155e308}) {
        EXPECT_EQ(TextoQuinceCifras(v), "1.79769313486231E+308") << v;
        EXPECT_EQ(TextoQuinceCifras(-v), "-1.79769313486231E+308") << v;
        EXPECT_EQ(TextoNumerico(ValorNumerico(TextoNumerico(v))), "1.79769313486231E+308");
    }
    EXPECT_EQ(ValorNumerico("1.79769313486231E+308"), 1.79769313486231e308);
    // Just below, the ordinary rounding still holds.
    EXPECT_EQ(TextoQuinceCifras(1.797693134862314e308), "1.79769313486231E+308");
    EXPECT_EQ(TextoQuinceCifras(1.79769313486229e308), "1.79769313486229E+308");
}
