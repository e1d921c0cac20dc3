#include "main_window/form1_layout.h"

#include "main_window/toolkit.h"

namespace form1_layout {

QRect EnPixeles(QStringView control) {
    for (const Posicion& p : Posiciones) {
        if (control == QStringView(p.control)) {
            constexpr int t = toolkit::TwipsPorPixel;
            return {p.izquierda / t, p.arriba / t, p.ancho / t, p.alto / t};
        }
    }
    return {};
}

} // namespace form1_layout
