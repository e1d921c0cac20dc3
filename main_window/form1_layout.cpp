#include "main_window/form1_layout.h"

#include "main_window/toolkit.h"

namespace form1_layout {

QRect EnPixeles(QStringView control) {
    for (const Posicion& p : Posiciones) {
        if (control == QStringView(p.control)) {
            return toolkit::EnPixeles(p.izquierda, p.arriba, p.ancho, p.alto);
        }
    }
    return {};
}

} // namespace form1_layout
