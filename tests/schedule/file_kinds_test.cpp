#include "schedule/file_kinds.h"

#include "tests/schedule/volcado.h"

#include <gtest/gtest.h>

using namespace schedule;

// A file's kind is its extension in any case; anything else is a CSV, as spreadsheets save
// text with any name.
TEST(TipoDe, IsTheExtensionInAnyCase) {
    EXPECT_EQ(TipoDe("obra.alim"), TipoArchivo::Proyecto);
    EXPECT_EQ(TipoDe("Resultados.XLSX"), TipoArchivo::Libro);
    EXPECT_EQ(TipoDe("/ruta/con.puntos/obra.Alim"), TipoArchivo::Proyecto);
    EXPECT_EQ(TipoDe("obra.csv"), TipoArchivo::Csv);
    EXPECT_EQ(TipoDe("obra.txt"), TipoArchivo::Csv);
    EXPECT_EQ(TipoDe("obra"), TipoArchivo::Csv);
    EXPECT_EQ(TipoDe("obra.xlsx.csv"), TipoArchivo::Csv);
    EXPECT_EQ(Extension("Resultados.XLSX"), ".xlsx");
}

// Each kind goes to its reader, and a file that cannot be opened is said to be so.
TEST(AbrirCuadro, ReadsEachKindWithItsReader) {
    const auto csv = AbrirCuadro(FIXTURES "/excel_es.csv");
    ASSERT_TRUE(std::holds_alternative<Cuadro>(csv));
    EXPECT_EQ(std::get<Cuadro>(csv).origen, Origen::Csv);
    EXPECT_EQ(std::get<Cuadro>(csv).filas.size(), 4u);
    const auto libro = AbrirCuadro(FIXTURES "/openpyxl.xlsx");
    ASSERT_TRUE(std::holds_alternative<Cuadro>(libro));
    EXPECT_EQ(std::get<Cuadro>(libro).origen, Origen::Libro);
    const auto proyecto = AbrirCuadro(FIXTURES "/proyecto_v2.alim");
    ASSERT_TRUE(std::holds_alternative<Cuadro>(proyecto));
    EXPECT_EQ(std::get<Cuadro>(proyecto).origen, Origen::Proyecto);
    EXPECT_EQ(AbrirCuadro(FIXTURES), (std::variant<Cuadro, std::string>("no se puede abrir")));
    EXPECT_EQ(AbrirCuadro(FIXTURES "/no-existe.csv"),
              (std::variant<Cuadro, std::string>("no se puede abrir")));
    // A CSV named as a workbook is refused by the workbook's reader, not read as text.
    const prueba::CarpetaTemporal carpeta("tipos-de-archivo");
    std::filesystem::copy_file(FIXTURES "/excel_es.csv", carpeta.ruta() / "libro.xlsx");
    EXPECT_TRUE(std::holds_alternative<std::string>(AbrirCuadro(carpeta.ruta() / "libro.xlsx")));
}
