// A second floor: the minimal window with one line of text, which makes Qt load the font
// database as every window with text must.
#include "first_paint.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[]) {
    QApplication aplicacion(argc, argv);
    QLabel ventana(QStringLiteral("Calculador Caídas de Voltaje"));
    ventana.setFixedSize(632, 455);
    SalirTrasPrimerPintado salida(ventana);
    ventana.show();
    return QApplication::exec();
}
