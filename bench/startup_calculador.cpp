// Starts the calculator as the program does and exits once its window has been painted:
// the launcher times the whole process, from start to that first paint.
#include "main_window/drawings.h"
#include "main_window/form1.h"
#include "toolkit/fonts.h"
#include "toolkit/toolkit.h"
#include "first_paint.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication aplicacion(argc, argv);
    toolkit::LetraDeLaAplicacion();
    QApplication::setWindowIcon(IconoPrograma());
    Form1 ventana(toolkit::CarpetaPrograma());
    SalirTrasPrimerPintado salida(ventana);
    return toolkit::MostrarVentanaPrincipal(ventana);
}
