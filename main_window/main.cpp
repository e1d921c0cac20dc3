// The program starts here: the main window is shown, and the program ends when it closes.
#include "main_window/drawings.h"
#include "main_window/form1.h"
#include "toolkit/toolkit.h"

#include <QApplication>

namespace {

int Main() {
    QApplication::setWindowIcon(IconoPrograma());
    Form1 ventana(toolkit::CarpetaPrograma());
    return toolkit::MostrarVentanaPrincipal(ventana);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication aplicacion(argc, argv);
    return Main();
}
