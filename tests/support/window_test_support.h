// What the window tests share: finding controls, answering modal boxes, reading lists.
#pragma once

#include "engine/calcular.h"
#include "engine/report.h"
#include "main_window/form1.h"

#include <QAbstractItemModel>
#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QListWidget>
#include <QMessageBox>
#include <QStringList>
#include <QTableView>
#include <QTimer>
#include <QWidget>
#include <QtTest>

#include <functional>
#include <memory>

namespace prueba {

// A whole report's length in the list: a voltage drop, a distance.
inline constexpr int LineasCaida = static_cast<int>(engine::LineasCaida);
inline constexpr int LineasDistancia = static_cast<int>(engine::LineasDistancia);

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

// The schedule window's rows as the user reads them: each cell by its row and the caption
// of its column.
class TablaDeAlimentadores {
public:
    explicit TablaDeAlimentadores(QWidget& ventana)
        : modelo_(*Control<QTableView>(&ventana, "tabla")->model()) {}
    int filas() const { return modelo_.rowCount(); }
    QString operator()(int fila, const QString& titulo) const {
        for (int c = 0; c < modelo_.columnCount(); ++c) {
            if (modelo_.headerData(c, Qt::Horizontal).toString() == titulo) {
                return modelo_.index(fila, c).data().toString();
            }
        }
        qFatal("no column %s", qPrintable(titulo));
    }

private:
    const QAbstractItemModel& modelo_;
};

// Answers every modal box that opens while it lives, so that no test waits on one: a
// message box is accepted, keeping its text, its title and its icon; any other box is
// handed to `otraCaja`, then closed if the step left it open.
class Avisos : public QObject {
public:
    explicit Avisos(std::function<void(QDialog*)> otraCaja = {}) : otraCaja_(std::move(otraCaja)) {
        ++Activos();
        connect(&reloj_, &QTimer::timeout, this, [this] { atender(); });
        reloj_.start(5);
    }
    ~Avisos() override { --Activos(); }
    Avisos(const Avisos&) = delete;
    Avisos& operator=(const Avisos&) = delete;

    // How many are answering boxes now: with none, a modal box is unexpected.
    static int& Activos() {
        static int activos = 0;
        return activos;
    }

    // From now on, a message box is answered with the button of this text.
    void Responder(const QString& boton) { respuesta_ = boton; }

    QStringList textos;
    QStringList titulos;
    QList<QMessageBox::Icon> iconos;
    int otras = 0;

private:
    void atender() {
        auto* caja = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (caja == nullptr || !caja->isVisible()) {
            return;
        }
        if (auto* mensaje = qobject_cast<QMessageBox*>(caja)) {
            textos << mensaje->text();
            titulos << mensaje->windowTitle();
            iconos << mensaje->icon();
            for (QAbstractButton* boton : mensaje->buttons()) {
                if (!respuesta_.isEmpty() && boton->text() == respuesta_) {
                    boton->click();
                    return;
                }
            }
            mensaje->accept();
            return;
        }
        ++otras;
        if (otraCaja_) {
            otraCaja_(caja);
        }
        if (caja->isVisible()) {
            caja->reject();
        }
    }

    std::function<void(QDialog*)> otraCaja_;
    QString respuesta_;
    QTimer reloj_;
};

// Counts the times the report list is emptied: each run of the calculation, and each
// "&Nuevo".
class VaciadosDelReporte {
public:
    explicit VaciadosDelReporte(QListWidget* List2)
        : espia_(List2->model(), &QAbstractItemModel::modelReset) {}
    qsizetype veces() const { return espia_.count(); }
    void olvidar() { espia_.clear(); }

private:
    QSignalSpy espia_;
};

// The main window of one test: opened on the built tables and active before the test,
// closed after it. A modal box that opens while no Avisos answers it fails the test at
// once, and is closed so that the test goes on instead of waiting.
class VentanaAbierta {
protected:
    void abrir() {
        vigia_ = std::make_unique<QTimer>();
        QObject::connect(vigia_.get(), &QTimer::timeout, [] {
            QWidget* caja = QApplication::activeModalWidget();
            if (caja == nullptr || !caja->isVisible() || Avisos::Activos() > 0) {
                return;
            }
            auto* mensaje = qobject_cast<QMessageBox*>(caja);
            const QString texto = mensaje != nullptr ? mensaje->text() : caja->objectName();
            caja->close();
            QTest::qFail(qPrintable(QStringLiteral("an unexpected modal box: ") + texto), __FILE__,
                         __LINE__);
        });
        vigia_->start(10);
        form = std::make_unique<Form1>(QStringLiteral(CARPETA_TABLAS));
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        List2 = Control<QListWidget>(form.get(), "List2");
    }
    void cerrar() {
        QVERIFY2(QApplication::activeModalWidget() == nullptr, "a test left a modal box open");
        form.reset();
        vigia_.reset();
    }
    void clicEn(const char* nombre) {
        QTest::mouseClick(Control(form.get(), nombre), Qt::LeftButton);
    }

    std::unique_ptr<Form1> form;
    QListWidget* List2 = nullptr;

private:
    std::unique_ptr<QTimer> vigia_;
};

} // namespace prueba
