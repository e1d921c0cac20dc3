// What the window tests share: finding controls, answering message boxes, reading lists.
#pragma once

#include <QAbstractItemModel>
#include <QApplication>
#include <QListWidget>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <QtTest>

namespace prueba {

template <typename T = QWidget> T* Control(QWidget* ventana, const char* nombre) {
    T* control = ventana->findChild<T*>(QString::fromLatin1(nombre));
    if (control == nullptr) {
        qFatal("no control named %s", nombre);
    }
    return control;
}

inline QStringList Lineas(QListWidget* lista) {
    QStringList lineas;
    for (int i = 0; i < lista->count(); ++i) {
        lineas << lista->item(i)->text();
    }
    return lineas;
}

// Answers every message box that opens, keeping its text, its title and its icon, so that
// no test waits on a modal box.
class Avisos : public QObject {
public:
    Avisos() {
        connect(&reloj_, &QTimer::timeout, this, [this] {
            if (auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                textos << caja->text();
                titulos << caja->windowTitle();
                iconos << caja->icon();
                caja->accept();
            }
        });
        reloj_.start(5);
    }
    QStringList textos;
    QStringList titulos;
    QList<QMessageBox::Icon> iconos;

private:
    QTimer reloj_;
};

// Counts the runs of the calculation by the times the report list is emptied.
class Calculos {
public:
    explicit Calculos(QListWidget* List2)
        : espia_(List2->model(), &QAbstractItemModel::modelReset) {}
    qsizetype veces() const { return espia_.count(); }
    void olvidar() { espia_.clear(); }

private:
    QSignalSpy espia_;
};

} // namespace prueba
