// The floor: a Qt Widgets program that shows one empty window of the calculator's size and
// exits once it has been painted.
#include "first_paint.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication aplicacion(argc, argv);
    QWidget ventana;
    ventana.setFixedSize(632, 455);
    SalirTrasPrimerPintado salida(ventana);
    ventana.show();
    return QApplication::exec();
}
