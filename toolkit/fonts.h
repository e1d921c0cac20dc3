// The windows' typeface: "MS Sans Serif" where installed, else a sans-serif of the same size.
#pragma once

#include <QFont>

namespace toolkit {

// The windows' ordinary text size, in points.
inline constexpr double PuntosNormales = 8.25;

QFont Letra(double puntos, bool negrita = false, bool cursiva = false);

// The windows' ordinary text as the application's font, set before the first window: Qt's
// boxes take it too, and Qt loads no face of the desktop's font that nothing shows.
void LetraDeLaAplicacion();

} // namespace toolkit
