#include "schedule/xlsx_reader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

using namespace schedule;

namespace {

Cuadro Leer(const std::string& archivo) {
    const auto leido = LeerLibro(std::filesystem::path(FIXTURES) / archivo);
    EXPECT_TRUE(std::holds_alternative<Cuadro>(leido))
        << archivo << ": "
        << (std::holds_alternative<std::string>(leido) ? std::get<std::string>(leido) : "");
    return std::holds_alternative<Cuadro>(leido) ? std::get<Cuadro>(leido) : Cuadro{};
}

std::string Texto(const Cuadro& c, std::size_t fila, Columna col) {
    return c.filas.at(fila).entradas[static_cast<std::size_t>(col)];
}

} // namespace

// The same table written by libxlsxwriter (shared strings, the 1900 dates, a formula with
// its cached value) and by openpyxl (inline strings, the 1904 dates): the sheet
// "Alimentadores", second in the book, opens under its title block to the same rows.
TEST(LeerLibro, TwoWritersOpenToTheSameRows) {
    const Cuadro a = Leer("libxlsxwriter.xlsx");
    const Cuadro b = Leer("openpyxl.xlsx");
    ASSERT_EQ(a.filas.size(), 3u);
    ASSERT_EQ(b.filas.size(), 3u);
    for (std::size_t f = 0; f < a.filas.size(); ++f) {
        EXPECT_EQ(a.filas[f].entradas, b.filas[f].entradas) << f;
        EXPECT_EQ(a.filas[f].errores, b.filas[f].errores) << f;
        EXPECT_EQ(a.filas[f].otras, b.filas[f].otras) << f;
    }
    EXPECT_EQ(a.proyecto, b.proyecto);
    EXPECT_EQ(a.proyecto.fecha, "2026-03-15");
    EXPECT_EQ(Texto(a, 0, Columna::Circuito), "AL-1");
    EXPECT_EQ(Texto(a, 0, Columna::Sistema), "Trifásico");
    EXPECT_EQ(Texto(a, 1, Columna::Corriente), "95");
    EXPECT_EQ(Texto(a, 1, Columna::Longitud), "42.5");
    EXPECT_EQ(Texto(a, 0, Columna::Fp), "0.9");
    // A number typed as text, with the decimal comma the text cells show.
    EXPECT_EQ(Texto(a, 2, Columna::Fp), "0.95");
    EXPECT_EQ(a.otras, std::vector<std::string>{"Descripción"});
    EXPECT_EQ(a.filas[2].otras[0], "Bomba");
    EXPECT_TRUE(std::holds_alternative<engine::Alimentador>(LeerFilaDelCuadro(a.filas[0])));
}

// A formula without the value it computes cannot be read: an error of its cell.
TEST(LeerLibro, AFormulaWithoutItsValueIsAnErrorOfItsCell) {
    const Cuadro c = Leer("formula_sin_valor.xlsx");
    ASSERT_EQ(c.filas.size(), 1u);
    EXPECT_EQ(c.filas[0].errores[static_cast<std::size_t>(Columna::Corriente)],
              "La columna «corriente» tiene una fórmula sin valor calculado: «=2*40».");
}

// A truncated workbook, a file that is none, and a sheet without the header row.
TEST(LeerLibro, ADamagedWorkbookOrOneWithoutTheHeaderIsRefused) {
    std::ifstream archivo(FIXTURES "/openpyxl.xlsx", std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(archivo), {}};
    const std::pair<std::string, std::string> casos[] = {
        {bytes.substr(0, bytes.size() / 2), "no es un libro de Excel (.xlsx) o está dañado"},
        {"circuito;corriente\n", "no es un libro de Excel (.xlsx) o está dañado"},
        {"", "no es un libro de Excel (.xlsx) o está dañado"},
    };
    for (const auto& [contenido, mensaje] : casos) {
        EXPECT_EQ(std::get<std::string>(LeerLibro(std::string_view(contenido))), mensaje);
    }
    EXPECT_EQ(std::get<std::string>(LeerLibro(std::filesystem::path(FIXTURES) / "no.xlsx")),
              "no se puede abrir");
}
