#include "schedule/csv_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

using namespace schedule;

namespace {

std::string Bytes(const std::string& archivo) {
    std::ifstream f(archivo, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

Cuadro Leer(const std::string& bytes) {
    std::istringstream entrada(bytes);
    auto leido = LeerCuadro(entrada);
    EXPECT_TRUE(std::holds_alternative<Cuadro>(leido));
    return std::holds_alternative<Cuadro>(leido) ? std::get<Cuadro>(leido) : Cuadro{};
}

std::string Escribir(const Cuadro& cuadro) {
    std::ostringstream salida;
    EXPECT_EQ(EscribirCuadro(cuadro, salida), std::nullopt);
    return salida.str();
}

// The lines of a text, to tell which one differs.
std::vector<std::string> Lineas(const std::string& texto) {
    std::vector<std::string> lineas;
    std::istringstream entrada(texto);
    for (std::string linea; std::getline(entrada, linea);) {
        lineas.push_back(linea);
    }
    return lineas;
}

const std::string Excel = Bytes(FIXTURES "/excel_es.csv");

} // namespace

// A file as a Spanish Excel saves it (";", decimal comma, Windows-1252, CRLF, a quoted
// cell, blank rows, an extra column between the inputs), opened and saved untouched, is
// the same file byte for byte: before, it came back in UTF-8 with a byte-order mark, the
// inputs renamed and reordered and three columns added to every row.
TEST(EscribirCuadro, AnExcelFileSavedUntouchedIsTheSameFile) {
    const Cuadro c = Leer(Excel);
    EXPECT_TRUE(c.formato.windows1252);
    EXPECT_EQ(c.formato.delimitador, ';');
    EXPECT_EQ(c.formato.finDeLinea, "\r\n");
    EXPECT_EQ(c.filas.size(), 4u);
    EXPECT_EQ(c.otras, (std::vector<std::string>{"Descripción", "Nota del cliente"}));
    EXPECT_EQ(Escribir(c), Excel);
}

// One cell edited: only its line changes, and in it only that cell, in the file's format.
TEST(EscribirCuadro, AnEditedCellIsTheOnlyChange) {
    Cuadro c = Leer(Excel);
    PonerCelda(c.filas[2], Columna::Corriente, "30.75", {Marca::Punto, false});
    const std::vector<std::string> antes = Lineas(Excel);
    const std::vector<std::string> despues = Lineas(Escribir(c));
    ASSERT_EQ(antes.size(), despues.size());
    for (std::size_t i = 0; i < antes.size(); ++i) {
        if (i == 4) {
            EXPECT_EQ(despues[i],
                      "AL-3;Bomba de cisterna \x80;Monof\xE1sico;Aluminio;PVC;30,75;220;"
                      "0,95;\xF1"
                      "and\xFA;1.250;3\r");
        } else {
            EXPECT_EQ(despues[i], antes[i]) << i;
        }
    }
}

// A new row takes the file's formats; a character Windows-1252 lacks saves the file in
// UTF-8, and says so.
TEST(EscribirCuadro, NewRowsTakeTheFilesFormats) {
    Cuadro c = Leer(Excel);
    Cuadro::Fila nueva = FilaNueva(c);
    PonerCelda(nueva, Columna::Longitud, "12.5", {Marca::Punto, false});
    c.filas.push_back(nueva);
    const std::vector<std::string> lineas = Lineas(Escribir(c));
    EXPECT_EQ(lineas.size(), 8u);
    EXPECT_EQ(lineas[6], "C-5;;Trif\xE1sico;Cobre;PVC;30;240;0,85;;12,5;3;1;30;autom\xE1tico\r");
    c.filas.back().otras[0] = "Ω";
    std::ostringstream salida;
    EXPECT_NE(EscribirCuadro(c, salida), std::nullopt);
    EXPECT_TRUE(salida.str().starts_with("\xEF\xBB\xBF"
                                         "Circuito;Descripción;"));
}

// What else a file may be: UTF-8 without a byte-order mark, LF line ends, no line end
// after the last row, a "," delimiter with decimal points: each comes back as it was.
TEST(EscribirCuadro, KeepsEachFilesShape) {
    for (const std::string& archivo :
         {std::string("circuito,sistema,conductor,ducto,corriente,voltaje,fp,longitud\n"
                      "A,3,cu,pvc,\"1,200.5\",480,0.9,10\n"),
          std::string("\xEF\xBB\xBF"
                      "circuito;sistema;conductor;ducto;corriente;voltaje;fp;"
                      "longitud\r\nA;3;cu;pvc;30;480;0,9;10"),
          std::string("circuito\tsistema\tconductor\tducto\tcorriente\tvoltaje\tfp\tlongitud\n"
                      "A\tmonof\xC3\xA1sico\tcu\tpvc\t30\t480\t0,9\t10\n")}) {
        EXPECT_EQ(Escribir(Leer(archivo)), archivo);
    }
}
