// Ends the application right after a window's first paint.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

class SalirTrasPrimerPintado : public QObject {
public:
    explicit SalirTrasPrimerPintado(QWidget& ventana) { ventana.installEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* evento) override {
        if (evento->type() == QEvent::Paint && !pintado_) {
            pintado_ = true;
            // After the paint event has been handled and flushed to the screen.
            QTimer::singleShot(0, [] { QCoreApplication::quit(); });
        }
        return false;
    }

private:
    bool pintado_ = false;
};
