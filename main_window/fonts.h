// The windows' typeface: "MS Sans Serif" where installed, else a sans-serif of the same size.
#pragma once

#include <QFont>

namespace toolkit {

QFont Letra(double puntos, bool negrita = false, bool cursiva = false);

} // namespace toolkit
