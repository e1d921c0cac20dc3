#include "schedule/text.h"

#include <gtest/gtest.h>

using namespace schedule;

// A file is checked a block at a time: a sequence split between two blocks is still one
// character, and an unfinished one at the end is no UTF-8.
TEST(ValidadorUtf8, FollowsSequencesAcrossBlocks) {
    ValidadorUtf8 partido;
    EXPECT_TRUE(partido.Agregar("Regulaci\xC3"));
    EXPECT_FALSE(partido.Terminar());
    EXPECT_TRUE(partido.Agregar("\xB3n"));
    EXPECT_TRUE(partido.Terminar());
    for (const char* malo : {"\xF3", "\xC0\xAF", "\xED\xA0\x80", "a\xE2\x82", "\xF5\x80\x80\x80"}) {
        ValidadorUtf8 v;
        v.Agregar(malo);
        EXPECT_FALSE(v.Terminar()) << malo;
    }
}

TEST(DesdeWindows1252, DecodesTheCodePageBytes) {
    EXPECT_EQ(DesdeWindows1252("Trif\xE1sico \x80 \x93x\x94 \xF1"), "Trifásico € “x” ñ");
    EXPECT_EQ(DesdeWindows1252("\x81\x8D"), "\xC2\x81\xC2\x8D"); // unassigned: their C1 codes
}

TEST(Normalizar, IgnoresCaseAccentsSpacesAndUnderscores) {
    EXPECT_EQ(Normalizar("Regulación Máx"), "regulacionmax");
    EXPECT_EQ(Normalizar("REGULACION_MAX"), "regulacionmax");
    EXPECT_EQ(Normalizar("MONOFÁSICO"), "monofasico");
    EXPECT_EQ(Normalizar("Temperatura  Ambiente"), "temperaturaambiente");
    EXPECT_EQ(Normalizar("Año ÜÑ"), "anoun");
    EXPECT_EQ(Normalizar("1/0"), "1/0");
    EXPECT_EQ(Normalizar("Ω×÷"), "Ω×÷");
}

// Headers as people write them: what stands in brackets, dots, joining words and words cut
// short do not make another name; other words do.
TEST(MismoNombre, ReadsHeadersAsPeopleWriteThem) {
    const struct {
        const char* encabezado;
        const char* nombre;
        bool mismo;
    } casos[] = {
        {"Corriente (A)", "corriente", true},
        {"Tensión [V]", "tensión", true},
        {"F.P.", "fp", true},
        {"F. de P.", "factor de potencia", true},
        {"Long. (m)", "longitud", true},
        {"Regulación máx. (%)", "regulacion_max", true},
        {"Temp. amb. (°C)", "temperatura_ambiente", true},
        {"Cond. en ducto", "conductores_ducto", true},
        {"REGULACION_MAX", "regulacion_max", true},
        {"Corriente de diseño", "corriente", false},
        {"Long", "longitud", false},
        {"Conductor", "conductores", false},
        {"(A)", "corriente", false},
        {"", "circuito", false},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(MismoNombre(c.encabezado, c.nombre), c.mismo) << c.encabezado;
    }
}

TEST(SinBlancos, TrimsBlanksAndTabsOnly) {
    EXPECT_EQ(SinBlancos(" \t 1,5 \t"), "1,5");
    EXPECT_EQ(SinBlancos("\t"), "");
    EXPECT_EQ(SinBlancos("a b"), "a b");
    EXPECT_EQ(SinBlancos("\n1\n"), "\n1\n");
}
