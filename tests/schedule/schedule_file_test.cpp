#include "schedule/schedule_file.h"

#include "schedule/csv_file.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace schedule;

namespace {

Cuadro Leer(const std::string& texto) {
    std::istringstream entrada(texto);
    auto leido = LeerCuadro(entrada);
    EXPECT_TRUE(std::holds_alternative<Cuadro>(leido))
        << (std::holds_alternative<std::string>(leido) ? std::get<std::string>(leido) : "");
    return std::holds_alternative<Cuadro>(leido) ? std::get<Cuadro>(leido) : Cuadro{};
}

std::string Escribir(const Cuadro& cuadro) {
    std::ostringstream salida;
    EscribirCuadro(cuadro, salida);
    return salida.str();
}

std::string Texto(const Cuadro& c, std::size_t fila, Columna col) {
    return c.filas.at(fila).entradas[static_cast<std::size_t>(col)];
}

const std::string Cabecera = "circuito;sistema;conductor;ducto;corriente;voltaje;fp;longitud";

} // namespace

// The schedule keeps numbers as plain decimals whatever the file's mark, and a cell that
// cannot be read as written, with its reason; blank rows are no feeders.
TEST(LeerCuadro, KeepsNumbersAsPlainDecimalsAndRefusedCellsWithTheirReason) {
    const Cuadro c = Leer(Cabecera + ";Notas\n"
                                     "A;3;cu;pvc;1.200;480;0,9;42,5;x\n"
                                     ";;;;;;;;\n"
                                     "B;3;cu;pvc;30;480;0.9;10;y\n");
    EXPECT_EQ(c.formato.marca.marca, Marca::Coma);
    ASSERT_EQ(c.filas.size(), 2u);
    EXPECT_EQ(Texto(c, 0, Columna::Corriente), "1200");
    EXPECT_EQ(Texto(c, 0, Columna::Fp), "0.9");
    EXPECT_EQ(Texto(c, 1, Columna::Fp), "0.9");
    EXPECT_FALSE(c.filas[1].errores[static_cast<std::size_t>(Columna::Fp)].empty());
    EXPECT_EQ(c.otras, std::vector<std::string>{"Notas"});
    // "0.9" reads under "." decimals, but the file's reason stands.
    const auto leida = LeerFilaDelCuadro(c.filas[1]);
    ASSERT_TRUE(std::holds_alternative<std::vector<ErrorCelda>>(leida));
    EXPECT_NE(std::get<std::vector<ErrorCelda>>(leida)[0].mensaje.find("se mezclan"),
              std::string::npos);
    EXPECT_TRUE(std::holds_alternative<engine::Alimentador>(LeerFilaDelCuadro(c.filas[0])));
}

// Written with its delimiter and mark and read back: the same rows. A mark that is not the
// delimiter's is written so that the cells show it.
TEST(EscribirCuadro, ReadsBackTheSameRows) {
    for (const std::string& archivo :
         {Cabecera + "\nA;3;cu;pvc;1,5;480;0,85;1.200,5\n",
          std::string("circuito,sistema,conductor,ducto,corriente,voltaje,fp,longitud\n"
                      "A,3,cu,pvc,1.5,480,0.85,\"1,200.5\"\n"),
          Cabecera + "\nA;3;cu;pvc;1.5;480;0.85;1.500\n"}) {
        const Cuadro c = Leer(archivo);
        const Cuadro otra = Leer(Escribir(c));
        EXPECT_EQ(otra.formato.marca.marca, c.formato.marca.marca) << archivo;
        for (std::size_t col = 0; col < Columnas.size(); ++col) {
            const std::string& a = c.filas[0].entradas[col];
            const std::string& b = otra.filas[0].entradas[col];
            if (Columnas[col].numerica() && !a.empty()) {
                EXPECT_EQ(engine::Decimal::Leer(a), engine::Decimal::Leer(b)) << a << " / " << b;
            } else {
                EXPECT_EQ(a, b);
            }
            EXPECT_EQ(otra.filas[0].errores[col], "");
        }
    }
    // A cell the file did not write: "1.500" written so as to show its point.
    Cuadro punto = Leer(Cabecera + "\nA;3;cu;pvc;1.5;480;0.85;1.500\n");
    EXPECT_EQ(punto.formato.marca.marca, Marca::Punto);
    punto.filas[0].original.clear();
    EXPECT_NE(Escribir(punto).find(";1.5000"), std::string::npos);
}

// Typed or pasted text under a mark: a number becomes a plain decimal, anything else stays
// as written with its reason; an empty cell is no error.
TEST(PonerCelda, ReadsTextUnderTheMarkGiven) {
    Cuadro::Fila f;
    PonerCelda(f, Columna::Corriente, "1.200", {Marca::Coma, false});
    EXPECT_EQ(f.entradas[4], "1200");
    EXPECT_TRUE(f.errores[4].empty());
    PonerCelda(f, Columna::Corriente, "32.5", {Marca::Coma, false});
    EXPECT_EQ(f.entradas[4], "32.5");
    EXPECT_FALSE(f.errores[4].empty());
    PonerCelda(f, Columna::Corriente, " ", {Marca::Coma, false});
    EXPECT_TRUE(f.errores[4].empty());
    PonerCelda(f, Columna::Circuito, "1,5", {Marca::Punto, false});
    EXPECT_EQ(f.entradas[0], "1,5");
}

// A new row numbers itself after the last and takes the defaults; the columns are the
// file's, in its order, then an input the file lacked once a row fills it.
TEST(Disposicion, IsTheFilesColumnsThenTheInputsFilled) {
    Cuadro c = Leer("Notas;" + Cabecera + ";Proyecto\nx;A;3;cu;pvc;30;480;0,9;42;Torre\n");
    EXPECT_EQ(c.proyecto.nombre, "Torre");
    std::vector<std::string> titulos;
    for (const auto& col : Disposicion(c)) {
        titulos.push_back(col.titulo);
    }
    EXPECT_EQ(titulos,
              (std::vector<std::string>{"Notas", "circuito", "sistema", "conductor", "ducto",
                                        "corriente", "voltaje", "fp", "longitud", "Proyecto"}));
    Cuadro::Fila nueva = FilaNueva(c);
    EXPECT_EQ(nueva.entradas[0], "C-2");
    EXPECT_EQ(nueva.entradas[static_cast<std::size_t>(Columna::Calibre)], "automático");
    EXPECT_EQ(nueva.otras.size(), 1u);
    c.filas.push_back(nueva);
    titulos.clear();
    for (const auto& col : Disposicion(c)) {
        titulos.push_back(col.titulo);
    }
    EXPECT_EQ(std::vector<std::string>(titulos.begin() + 10, titulos.end()),
              (std::vector<std::string>{"regulacion_max", "paralelo", "temperatura_ambiente",
                                        "calibre"}));
    EXPECT_EQ(CeldasDelArchivo(c, Disposicion(c), c.filas[0]),
              (std::vector<std::string>{"x", "A", "3", "cu", "pvc", "30", "480", "0,9", "42",
                                        "Torre", "", "", "", ""}));
}

// Saving in CSV loses each project field with a value that no column of the file keeps, and
// the warning names them all: before, it named "Proyecto, Elaboró ni Fecha" whatever was
// lost, and said nothing for a file with the old project columns that lost the licence.
TEST(CamposQueUnCsvPierde, NamesEachFieldWithAValueTheFileDoesNotKeep) {
    Cuadro c = Leer(Cabecera + "\nA;3;cu;pvc;12;480;0,9;42\n");
    c.proyecto.fecha = "2026-12-08";
    EXPECT_TRUE(CamposQueUnCsvPierde(c).empty()) << "the window fills the date in by itself";
    c.proyecto.nombre = "Torre Sur";
    c.proyecto.cedula = "1234567";
    c.proyecto.reviso = "Ing. R. Pérez";
    c.proyecto.revision = "B";
    c.proyecto.norma = "NOM-001-SEDE-2012";
    EXPECT_EQ(CamposQueUnCsvPierde(c),
              (std::vector<std::string_view>{"Proyecto", "Cédula profesional", "Revisó", "Revisión",
                                             "Fecha", "Norma"}));

    Cuadro viejo = Leer(Cabecera + ";proyecto;elaboro;fecha\n"
                                   "A;3;cu;pvc;12;480;0,9;42;Torre Sur;J. López;2024-03-01\n");
    EXPECT_TRUE(CamposQueUnCsvPierde(viejo).empty());
    viejo.proyecto.cedula = "1234567";
    EXPECT_EQ(CamposQueUnCsvPierde(viejo), (std::vector<std::string_view>{"Cédula profesional"}));
}
