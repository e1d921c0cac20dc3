#include "engine/decimal.h"

#include <gtest/gtest.h>

using engine::Decimal;

namespace {

Decimal D(const char* texto) {
    const auto d = Decimal::Leer(texto);
    EXPECT_TRUE(d) << texto;
    return d.value_or(Decimal());
}

} // namespace

// The products where binary arithmetic misses: 85 x 0.70 is 59.5, not 59.4999...;
// 150 x 0.82 x 0.50 x 3 is 184.5.
TEST(Decimal, ProductsOfTableValuesAreExact) {
    EXPECT_EQ(Decimal(85) * Decimal::Partes(70, 2), D("59.5"));
    EXPECT_LT(85 * 0.70, 59.5); // what a double makes of it
    EXPECT_EQ(Decimal(150) * Decimal::Partes(82, 2) * Decimal::Partes(50, 2) * Decimal(3),
              D("184.5"));
    EXPECT_EQ(D("1.25") * D("119") + D("75"), D("223.75"));
    EXPECT_EQ(D("0.1") + D("0.2"), D("0.3"));
    EXPECT_EQ(D("5") - D("7.25"), D("-2.25"));
}

TEST(Decimal, ComparesExactlyAsWritten) {
    EXPECT_LT(D("59.4999999999999"), D("59.5"));
    EXPECT_GT(D("59.5000000000001"), D("59.5"));
    EXPECT_EQ(D("59.50"), D("59.5"));
    EXPECT_EQ(D("007"), D("7"));
    EXPECT_LT(D("-1"), D("0"));
    EXPECT_EQ(D(".5"), D("0.5"));
}

TEST(Decimal, ReadsOnlyPlainDecimalsOfFifteenDigits) {
    for (const char* malo : {"", "-", ".", "1.2.3", "1e3", "+1", " 1", "1,5", "0x10",
                             "1234567890123456", "0.0000000000000000000001"}) {
        EXPECT_FALSE(Decimal::Leer(malo)) << malo;
    }
    EXPECT_TRUE(Decimal::Leer("123456789012345"));
    EXPECT_FALSE(Decimal::Leer("123456789012345678"));
    EXPECT_TRUE(Decimal::Leer("0.1234567890123450000"));
}

// Rounded half away from zero from the exact value, and written without trailing zeros.
TEST(Decimal, RoundsHalfUpAndWritesTheShortestText) {
    EXPECT_EQ(D("59.5").Redondeado(0).Texto(), "60");
    EXPECT_EQ(D("184.49").Redondeado(0).Texto(), "184");
    EXPECT_EQ(D("-2.5").Redondeado(0).Texto(), "-3");
    EXPECT_EQ(D("1.005").Redondeado(2).Texto(), "1.01");
    EXPECT_EQ(D("0.25").Redondeado(4).Texto(), "0.25");
    EXPECT_EQ(D("1200.00").Texto(), "1200");
    EXPECT_EQ(D("0.05").Texto(), "0.05");
    EXPECT_EQ(D("-0.5").Texto(), "-0.5");
    // A product beyond 64 bits keeps every digit.
    EXPECT_EQ((D("-123456789012345") * D("987654321098.765")).Texto(),
              "-121932631137021071359549253.925");
}

// A double as its 15-digit text says it, and back to the nearest double.
TEST(Decimal, FromAndToDoubles) {
    EXPECT_EQ(Decimal::DeReal(0.1)->Texto(), "0.1");
    EXPECT_EQ(Decimal::DeReal(85 * 0.70)->Texto(), "59.5");
    EXPECT_EQ(Decimal::DeReal(1.5e14)->Texto(), "150000000000000");
    EXPECT_EQ(Decimal::DeReal(1e-5)->Texto(), "0.00001");
    EXPECT_FALSE(Decimal::DeReal(1e15));
    EXPECT_EQ(D("59.5").Real(), 59.5);
    EXPECT_EQ(D("0.1").Real(), 0.1);
    EXPECT_EQ(D("123456789012.345").Real(), 123456789012.345);
}
