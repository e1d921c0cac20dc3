#include "engine/number_pattern.h"

#include <gtest/gtest.h>

using engine::FormatearConPatron;
using engine::Separadores;

namespace {
const Separadores Punto{".", ","};
} // namespace

TEST(FormatearConPatron, RendersEachPatternOfTheReport) {
    const struct {
        double valor;
        const char* patron;
        const char* texto;
    } casos[] = {
        {2, "0.###", "2."},
        {0, "0.###", "0."},
        {0.0004, "0.###", "0."},
        {0.0656, "0.###", "0.066"},
        {0.5, "0.###", "0.5"},
        {1234.5, "0.###", "1234.5"},
        {1234.5, "#,##0.00#", "1,234.50"},
        {1234.5678, "#,##0.00#", "1,234.568"},
        {708.6614173200002, "#,##0.00#", "708.661"},
        {2160, "#,##0.00#", "2,160.00"},
        {4.56789, "#,##0.000 ", "4.568 "},
        {12.041488859440744, "#,##0.000 ", "12.041 "},
        {1234567.5, "#,##0.00", "1,234,567.50"},
        {-1234.567, "#,##0.00", "-1,234.57"},
        {227.95851114055927, "#,##0.00", "227.96"},
        {1234.5, "##0.00", "1234.50"},
        {5.017287024766972, "##0.00", "5.02"},
        {2, "#,##0.0##", "2.0"},
        {1440, "#,##0.0##", "1,440.0"},
        {0.9995, "#,##0.00", "1.00"},
        {999.9996, "#,##0.000 ", "1,000.000 "},
        {1e20, "#,##0.00", "100,000,000,000,000,000,000.00"},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(FormatearConPatron(c.valor, c.patron, Punto), c.texto)
            << c.valor << " " << c.patron;
    }
}

TEST(FormatearConPatron, HalfWayIsJudgedOnFifteenDigitsAndGoesAwayFromZero) {
    // 1.005 is stored a little below 1.005, but its 15-digit form is exactly half-way.
    EXPECT_EQ(FormatearConPatron(1.005, "#,##0.00", Punto), "1.01");
    EXPECT_EQ(FormatearConPatron(-1.005, "#,##0.00", Punto), "-1.01");
    EXPECT_EQ(FormatearConPatron(0.0005, "0.###", Punto), "0.001");
    EXPECT_EQ(FormatearConPatron(2.675, "##0.00", Punto), "2.68");
    EXPECT_EQ(FormatearConPatron(0.00049999999999999, "0.###", Punto), "0.");
    // A value that rounds to zero carries no minus sign.
    EXPECT_EQ(FormatearConPatron(-0.001, "#,##0.00", Punto), "0.00");
}

TEST(FormatearConPatron, UsesTheGivenSeparatorsOnly) {
    EXPECT_EQ(FormatearConPatron(1234567.891, "#,##0.00#", {",", "."}), "1.234.567,891");
    EXPECT_EQ(FormatearConPatron(2160, "#,##0.00#", {"?", "~"}), "2~160?00");
    EXPECT_EQ(FormatearConPatron(1234.5, "#,##0.0##", {",", "\u202f"}), "1\u202f234,5");
    EXPECT_EQ(FormatearConPatron(1234.5, "#,##0.00", {",", ""}), "1234,50");
    EXPECT_EQ(FormatearConPatron(1234.5, "##0.00", {"?", "~"}), "1234?50");
    EXPECT_EQ(FormatearConPatron(2, "0.###", {",", "."}), "2,");
}
