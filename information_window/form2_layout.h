// Where every control of the information box stands, in twips from its top left.
#pragma once

#include "toolkit/toolkit.h"

#include <array>

namespace form2_layout {

inline constexpr int AnchoVentana = 5460;
inline constexpr int AltoVentana = 3420;

inline constexpr std::array<toolkit::Posicion, 3> Posiciones{{
    {u"Label1", 720, 360, 4095, 975},
    {u"Label2", 720, 1440, 4095, 975},
    {u"Command1", 2160, 2880, 1215, 375},
}};

inline QRect EnPixeles(QStringView control) {
    return toolkit::EnPixeles(Posiciones, control);
}

} // namespace form2_layout
