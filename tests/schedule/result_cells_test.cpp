#include "schedule/result_cells.h"

#include "tests/engine/tablas_de_prueba.h"
#include "tests/schedule/filas_de_prueba.h"

#include <gtest/gtest.h>

using namespace schedule;
using prueba::Coma;
using prueba::De;
using prueba::Nombres;
using prueba::Punto;

// The remarks of a row are apart by " | "; a remark that quotes a cell with that
// separator cannot break them, and none ends in doubled punctuation.
TEST(CeldasDeResultado, JoinsTheRemarksWithABar) {
    const FilaLeida fila =
        LeerFila({"A", "x | y", "cu", "pvc", "abc", "", "0.9", "10"}, De(Nombres), Punto);
    const std::string observaciones =
        CeldasDeResultado(fila, std::nullopt, {})[Indice(ColumnaResultado::Observaciones)].texto;
    EXPECT_EQ(observaciones,
              "La columna «sistema» no tiene un valor válido: «x / y». | La columna «corriente» "
              "no tiene un número: «abc». | La columna «voltaje» está vacía.");
    EXPECT_EQ(observaciones.find(".;"), std::string::npos);
    EXPECT_EQ(Observaciones({"uno.", "dos | tres."}), "uno. | dos / tres.");
}

// The current used and the device close the result columns: a typed current to its last
// digit, a computed one with its 2 decimals, the device as exact as it was chosen.
TEST(CeldasDeResultado, TheCurrentUsedAndTheDeviceComeAfterTheRemarks) {
    const Encabezado e = De({"circuito", "sistema", "conductor", "ducto", "corriente", "kW",
                             "voltaje", "fp", "longitud", "continua", "proteccion"});
    const auto resultado = [&](std::vector<std::string> celdas) {
        const FilaLeida f = LeerFila(celdas, e, Coma);
        const auto d = engine::Dimensionar(std::get<engine::Alimentador>(f), Tablas(), {",", ""});
        return CeldasDeResultado(f, d, {",", ""});
    };
    auto c = resultado({"A", "3", "cu", "pvc", "52,0833", "", "480", "0,9", "10", "0", ""});
    EXPECT_EQ(c[10].texto, "52,0833");
    EXPECT_EQ(c[11].texto, "60");
    EXPECT_EQ(c[11].numero, 60);
    // 100 kW at 480 V and 0.9: 133.646 A, to 133.65 A; 0 % continuous; a 150 A device.
    c = resultado({"A", "3", "cu", "pvc", "", "100", "480", "0,9", "10", "0", ""});
    EXPECT_EQ(c[10].texto, "133,65");
    EXPECT_EQ(c[10].formato, "0.00");
    EXPECT_EQ(c[11].texto, "150");
    c = resultado({"A", "3", "cu", "pvc", "", "100", "480", "0,9", "10", "0", "137,5"});
    EXPECT_EQ(c[11].texto, "137,5");
    EXPECT_NE(c[Indice(ColumnaResultado::Observaciones)].texto.find("no es un valor estándar"),
              std::string::npos);
    // Size 1/0 carries 150 A: a whole number shows no separator after it.
    EXPECT_EQ(c[8].texto, "150");
}
