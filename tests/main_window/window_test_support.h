// What the window tests share: finding controls, answering message boxes, reading lists.
#pragma once

#include "engine/calcular.h"
#include "main_window/form1.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QListWidget>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <QtTest>

#include <memory>

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

// The report the engine gives for the inputs the window shows now.
inline QStringList LineasDelMotor(const Form1& form) {
    QStringList lineas;
    for (const std::string& linea : engine::Calcular(form.Entrada()).lineas) {
        lineas << QString::fromStdString(linea);
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

// The main window of one test: opened on the built tables and active before the test,
// closed after it, failing a test that leaves a modal box open.
class VentanaAbierta {
protected:
    void abrir() {
        form = std::make_unique<Form1>(QStringLiteral(CARPETA_TABLAS));
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        List2 = Control<QListWidget>(form.get(), "List2");
    }
    void cerrar() {
        QVERIFY2(QApplication::activeModalWidget() == nullptr, "a test left a modal box open");
        form.reset();
    }
    void clicEn(const char* nombre) {
        QTest::mouseClick(Control(form.get(), nombre), Qt::LeftButton);
    }

    std::unique_ptr<Form1> form;
    QListWidget* List2 = nullptr;
};

} // namespace prueba
