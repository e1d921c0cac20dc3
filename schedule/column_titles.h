// What each column is called where people read it: the window's two-line caption, the
// workbook's header with its unit, and the record's short form. The CSV keeps the names of
// Columnas and ColumnasResultado, for programs.
#pragma once

#include "schedule/feeders.h"

#include <array>
#include <string_view>

namespace schedule {

struct Titulo {
    std::string_view ventana; // two lines, to keep the view's columns narrow
    std::string_view libro;   // whole words with the unit, for a workbook
    std::string_view corto;   // for the record's table: short words that never break
};

inline constexpr std::array<Titulo, Columnas.size()> TitulosEntrada{{
    {"Circuito", "Circuito", "Circuito"},
    {"Sistema", "Sistema", "Sistema"},
    {"Conductor", "Conductor", "Mat."},
    {"Ducto", "Ducto", "Ducto"},
    {"Corriente\n(A)", "Corriente (A)", "I (A)"},
    {"Voltaje\n(V)", "Voltaje (V)", "V (V)"},
    {"F. de\npot.", "Factor de potencia", "fp"},
    {"Longitud\n(m)", "Longitud (m)", "L (m)"},
    {"Reg. máx.\n(%)", "Regulación máxima (%)", "Reg. máx. (%)"},
    {"Para-\nlelo", "Conjuntos en paralelo", "Conj."},
    {"Temp. amb.\n(°C)", "Temperatura ambiente (°C)", "T amb. (°C)"},
    {"Cond. en\nducto", "Conductores en el ducto", "Cond. ducto"},
    {"Calibre", "Calibre dado (AWG/kcmil)", "Cal. dado"},
    {"Potencia\n(kW)", "Potencia (kW)", "P (kW)"},
    {"Potencia\n(kVA)", "Potencia (kVA)", "S (kVA)"},
    {"Continua\n(%)", "Carga continua (%)", "Cont. (%)"},
    {"Corriente\ncontinua (A)", "Corriente continua (A)", "I cont. (A)"},
    {"Aisla-\nmiento", "Aislamiento", "Aislamiento"},
    {"Ubicación", "Ubicación", "Ubicación"},
    {"Terminales\n(°C)", "Terminales (°C)", "Term. (°C)"},
    {"Disp. al\n100 %", "Dispositivo al 100 %", "Disp. 100 %"},
    {"Protección\n(A)", "Protección dada (A)", "Prot. dada (A)"},
    {"Neutro", "Neutro", "Neutro"},
    {"Calibre\nneutro", "Calibre del neutro (AWG/kcmil)", "Calibre neutro"},
    {"Neutro\nportador", "Neutro portador", "Neutro portador"},
    {"Tubo", "Tubo", "Tubo"},
    {"Tamaño\ntubo", "Tamaño del tubo", "Tamaño tubo"},
    {"Alimentado\ndesde", "Alimentado desde", "Alimentado desde"},
    {"Transfor-\nmador", "Transformador", "Transformador"},
}};

inline constexpr std::array<Titulo, ColumnasResultado.size()> TitulosResultado{{
    {"Calibre\npor caída", "Calibre por caída (AWG/kcmil)", "Cal. caída"},
    {"Calibre por\nampacidad", "Calibre por ampacidad (AWG/kcmil)", "Cal. amp."},
    {"Calibre\nelegido", "Calibre elegido (AWG/kcmil)", "Calibre"},
    {"mm²", "Sección (mm²)", "mm²"},
    {"Rige", "Rige", "Rige"},
    {"Caída\n(V)", "Caída (V)", "Caída (V)"},
    {"Regulación\n(%)", "Regulación (%)", "Reg. (%)"},
    {"Voltaje\nfinal (V)", "Voltaje final (V)", "V final (V)"},
    {"Ampacidad\n(A)", "Ampacidad (A)", "Amp. (A)"},
    {"Observaciones", "Observaciones", "Observaciones"},
    {"Corriente\ncalc. (A)", "Corriente de cálculo (A)", "I calc. (A)"},
    {"Protección\nelegida (A)", "Protección elegida (A)", "Prot. (A)"},
    {"Neutro\n(AWG/kcmil)", "Neutro (AWG/kcmil)", "Neutro"},
    {"Tierra\n(AWG/kcmil)", "Tierra (AWG/kcmil)", "Tierra"},
    {"Tubos", "Tubos", "Tubos"},
    {"Tubo\nelegido", "Tubo elegido", "Tubo"},
    {"Relleno\n(%)", "Relleno (%)", "Relleno (%)"},
    {"Regulación\ntotal (%)", "Regulación total (%)", "Reg. total (%)"},
    {"Especificación (AWG/kcmil)", "Especificación (AWG/kcmil)", "Especificación"},
}};

constexpr const Titulo& TituloDe(Columna c) {
    return TitulosEntrada[static_cast<std::size_t>(c)];
}

} // namespace schedule
