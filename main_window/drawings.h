// The window's own drawings: the decorative picture and the program icon.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QWidget>

class QPainter;

// An electrician in a yellow hard hat and green shirt working with pliers at an open
// distribution panel, conduits entering from above and black, red and white conductors.
class Picture1Dibujo : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY(Picture1Dibujo)

public:
    explicit Picture1Dibujo(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* evento) override;
};

// The program icon on a 32 x 32 grid: a lightning bolt over a conductor.
void DibujarIcono(QPainter& p);

// The program icon as an image `lado` pixels square.
QPixmap ImagenIcono(int lado);

// The program icon at 32 x 32 and 16 x 16 pixels.
QIcon IconoPrograma();
