#include "main_window/drawings.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

// The drawing is made on a 100 x 75 grid and scaled to the picture box.
void DibujarElectricista(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(QRectF(0, 0, 100, 75), QColor(236, 236, 228));

    // Conduits from above into the panel.
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(QColor(170, 170, 175));
    for (qreal x : {54.0, 64.0, 74.0}) {
        p.drawRect(QRectF(x, 0, 6, 14));
    }
    // The open distribution panel and its door.
    p.setBrush(QColor(150, 155, 160));
    p.drawRect(QRectF(50, 14, 36, 48));
    p.setBrush(QColor(60, 62, 66));
    p.drawRect(QRectF(54, 18, 28, 40));
    p.setBrush(QColor(185, 188, 192));
    p.drawPolygon(QPolygonF({QPointF(86, 14), QPointF(97, 18), QPointF(97, 66), QPointF(86, 62)}));
    // Breakers inside.
    p.setBrush(QColor(220, 220, 220));
    for (int fila = 0; fila < 4; ++fila) {
        p.drawRect(QRectF(57, 21 + fila * 6, 9, 4));
        p.drawRect(QRectF(70, 21 + fila * 6, 9, 4));
    }
    // Conductors hanging out of the panel: black, red and white.
    const QColor colores[] = {QColor(20, 20, 20), QColor(205, 30, 30), QColor(250, 250, 250)};
    for (int i = 0; i < 3; ++i) {
        QPainterPath cable(QPointF(60 + i * 6, 50));
        cable.cubicTo(QPointF(58 + i * 6, 62), QPointF(66 + i * 7, 66), QPointF(62 + i * 8, 73));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(40, 40, 40), 3.2, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(cable);
        p.setPen(QPen(colores[i], 2, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(cable);
    }

    // The electrician: green shirt, trousers, face, yellow hard hat.
    p.setPen(QPen(QColor(30, 60, 30), 1));
    p.setBrush(QColor(40, 150, 60));
    p.drawPolygon(QPolygonF({QPointF(14, 36), QPointF(36, 36), QPointF(40, 62), QPointF(10, 62)}));
    p.setBrush(QColor(40, 60, 120));
    p.drawRect(QRectF(12, 62, 27, 13));
    p.setPen(QPen(QColor(120, 80, 50), 1));
    p.setBrush(QColor(235, 190, 150));
    p.drawEllipse(QRectF(17, 17, 16, 19));
    p.setPen(QPen(QColor(150, 120, 0), 1));
    p.setBrush(QColor(250, 210, 20));
    p.drawChord(QRectF(14, 10, 22, 18), 0, 180 * 16);
    p.drawRect(QRectF(12, 18, 26, 3));
    // The arm reaching into the panel, and the pliers.
    p.setPen(QPen(QColor(30, 60, 30), 1));
    p.setBrush(QColor(40, 150, 60));
    p.drawPolygon(QPolygonF({QPointF(32, 39), QPointF(52, 34), QPointF(53, 39), QPointF(34, 46)}));
    p.setBrush(QColor(235, 190, 150));
    p.drawEllipse(QRectF(51, 33, 6, 6));
    p.setPen(QPen(QColor(200, 30, 30), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(55, 36), QPointF(61, 31));
    p.drawLine(QPointF(55, 37), QPointF(62, 34));
}

} // namespace

void DibujarIcono(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 0, 128), 1.5));
    p.setBrush(QColor(255, 255, 255));
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 4, 4);
    p.setPen(QPen(QColor(128, 0, 128), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4, 26), QPointF(28, 26));
    p.setPen(QPen(QColor(128, 0, 0), 1));
    p.setBrush(QColor(255, 255, 0));
    p.drawPolygon(QPolygonF({QPointF(18, 3), QPointF(8, 17), QPointF(15, 17), QPointF(11, 24),
                             QPointF(24, 12), QPointF(17, 12), QPointF(21, 3)}));
}

Picture1Dibujo::Picture1Dibujo(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("Electricista trabajando en un tablero"));
}

void Picture1Dibujo::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(QPen(palette().color(QPalette::Dark)));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.translate(1, 1);
    p.scale((width() - 2) / 100.0, (height() - 2) / 75.0);
    DibujarElectricista(p);
}

QPixmap ImagenIcono(int lado) {
    QPixmap imagen(lado, lado);
    imagen.fill(Qt::transparent);
    QPainter p(&imagen);
    p.scale(lado / 32.0, lado / 32.0);
    DibujarIcono(p);
    return imagen;
}

QIcon IconoPrograma() {
    QIcon icono;
    icono.addPixmap(ImagenIcono(32));
    icono.addPixmap(ImagenIcono(16));
    return icono;
}
