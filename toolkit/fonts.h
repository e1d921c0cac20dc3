// The windows' typeface: "MS Sans Serif" where installed, else a sans-serif of the same size.
#pragma once

#include <QFont>

namespace toolkit {

// The windows' ordinary text size, in points.
inline constexpr double PuntosNormales = 8.25;

QFont Letra(double puntos, bool negrita = false, bool cursiva = false);

} // namespace toolkit
