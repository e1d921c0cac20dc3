// Writes the program icon for the desktop's icon theme: 16 x 16 and 32 x 32 PNG images and
// a scalable SVG, all drawn by the same code as the window icon.
#include "main_window/drawings.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSvgGenerator>

int main(int argc, char* argv[]) {
    QGuiApplication aplicacion(argc, argv);
    if (argc != 4) {
        return 2;
    }
    if (!ImagenIcono(16).save(QString::fromLocal8Bit(argv[1]), "PNG") ||
        !ImagenIcono(32).save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        return 1;
    }
    QSvgGenerator svg;
    svg.setFileName(QString::fromLocal8Bit(argv[3]));
    svg.setSize(QSize(32, 32));
    svg.setViewBox(QRect(0, 0, 32, 32));
    svg.setTitle(QStringLiteral("Calculador Caídas de Voltaje"));
    QPainter p(&svg);
    DibujarIcono(p);
    return 0;
}
