#include "main_window/form1_layout.h"

namespace form1_layout {

QRect EnPixeles(QStringView control) {
    return toolkit::EnPixeles(Posiciones, control);
}

} // namespace form1_layout
