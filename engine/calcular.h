// One whole calculation: the conductor lookup, the formulas and the report lines.
#pragma once

#include "engine/aviso.h"
#include "engine/conductor_table.h"
#include "engine/formulas.h"
#include "engine/number_pattern.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace engine {

// The size chosen when the window opens and after "&Nuevo": size "8".
inline constexpr int CalibrePorOmision = 3;

// Every choice and field of the main window, as the window shows them at this moment.
struct Entrada {
    Modo modo = Modo::CaidaVoltaje;
    Sistema sistema = Sistema::Trifasico;
    Material material = Material::Cobre;
    int indiceDucto = 0;                   // position in Ductos
    int indiceCalibre = CalibrePorOmision; // position in Calibres
    std::string Text1;                     // length, metres
    std::string Text2;                     // current, amperes
    std::string Text3;                     // sending-end voltage
    std::string Text5;                     // power factor
    std::string Text6;                     // permitted drop, volts
    std::filesystem::path carpetaTablas;
    Separadores separadores;
};

// The lines the report list must hold afterwards, and what to tell the user, if anything.
// A refused or unreadable conductor leaves no line; a calculation fault leaves the heading.
struct Reporte {
    std::vector<std::string> lineas;
    std::optional<Aviso> aviso;
    std::optional<Valores> valores; // the figures behind the lines, when there are any
};

Reporte Calcular(const Entrada& entrada);

} // namespace engine
