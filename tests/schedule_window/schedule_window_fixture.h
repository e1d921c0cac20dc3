// What the schedule window's tests share: a window on a new schedule in a folder of its
// own, and the ways a user reaches its cells, actions and files.
#pragma once

#include "schedule_window/calculation_record.h"
#include "schedule_window/feeder_model.h"
#include "schedule_window/schedule_window.h"
#include "schedule/csv_file.h"
#include "schedule/project_file.h"
#include "tests/engine/table_files.h"
#include "tests/support/window_test_support.h"

#include <QClipboard>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QScreen>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenuBar>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QtTest>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>

namespace prueba {

inline const QString Ejemplo = QStringLiteral(EJEMPLOS "/alimentadores.csv");

class AlimentadoresDePrueba {
protected:
    std::unique_ptr<VentanaAlimentadores> ventana;
    std::unique_ptr<prueba::CarpetaTemporal> carpeta;
    QTableView* tabla = nullptr;

    ModeloAlimentadores& modelo() { return ventana->modelo(); }
    // The view column of an input.
    int Col(schedule::Columna c) {
        return modelo().ColumnaDe(
            {ModeloAlimentadores::Tipo::Entrada, static_cast<std::size_t>(c)});
    }
    QString Celda(int fila, int columna) {
        return modelo().data(modelo().index(fila, columna), Qt::DisplayRole).toString();
    }
    // A result column by its name in the command's output.
    QString Resultado(int fila, std::string_view nombre) {
        const auto& r = schedule::ColumnasResultado;
        const auto i = static_cast<std::size_t>(
            std::find_if(r.begin(), r.end(), [&](const auto& d) { return d.nombre == nombre; }) -
            r.begin());
        return Celda(fila, modelo().ColumnaDe({ModeloAlimentadores::Tipo::Resultado, i}));
    }
    QStringList Resultados(int fila) {
        QStringList textos;
        for (const schedule::DescripcionResultado& r : schedule::ColumnasResultado) {
            textos << Resultado(fila, r.nombre);
        }
        return textos;
    }
    QAction* Accion(const QString& texto) {
        for (QAction* a : ventana->findChildren<QAction*>()) {
            if (a->text() == texto) {
                return a;
            }
        }
        qFatal("no action %s", qPrintable(texto));
    }
    static std::string Bytes(const QString& archivo) {
        std::ifstream f(archivo.toStdString(), std::ios::binary);
        return {std::istreambuf_iterator<char>(f), {}};
    }
    QString Ruta(const char* nombre) {
        return QString::fromStdString((carpeta->ruta() / nombre).string());
    }
    // A schedule long enough that its work goes on a worker with a progress dialog.
    QString Largo(int filas) {
        std::ofstream f(carpeta->ruta() / "largo.csv", std::ios::binary);
        f << "circuito;sistema;conductor;ducto;corriente;voltaje;fp;longitud\r\n";
        for (int i = 1; i <= filas; ++i) {
            f << "AL-" << i << ";Trifásico;Cobre;PVC;" << 10 + i % 300 << ";480;0,9;" << 5 + i % 150
              << "\r\n";
        }
        return Ruta("largo.csv");
    }
    // Once the next piece of long work starts, the user presses its dialog's "Cancelar".
    void CancelarLoQueSigue() {
        QTimer::singleShot(0, ventana.get(), [this] {
            auto* dialogo = ventana->findChild<QProgressDialog*>();
            QVERIFY(dialogo != nullptr);
            dialogo->findChild<QPushButton*>()->click();
        });
    }
    std::vector<std::string> Archivos() {
        std::vector<std::string> nombres;
        for (const auto& entrada : std::filesystem::directory_iterator(carpeta->ruta())) {
            nombres.push_back(entrada.path().filename().string());
        }
        std::sort(nombres.begin(), nombres.end());
        return nombres;
    }
    // Types into the cell as a user does: select it, type, Enter.
    void Escribir(int fila, int columna, const QString& texto) {
        tabla->setCurrentIndex(modelo().index(fila, columna));
        QTest::keyClick(tabla, texto.at(0).toLatin1());
        QTest::keyClicks(QApplication::focusWidget(), texto.mid(1));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCoreApplication::processEvents(); // the editor's text is handed over queued
    }

    void Preparar() {
        carpeta = std::make_unique<prueba::CarpetaTemporal>("alimentadores");
        ventana = std::make_unique<VentanaAlimentadores>(QStringLiteral(CARPETA_TABLAS));
        ventana->show();
        QVERIFY(QTest::qWaitForWindowActive(ventana.get()));
        tabla = Control<QTableView>(ventana.get(), "tabla");
    }
    void Terminar() {
        QVERIFY2(QApplication::activeModalWidget() == nullptr, "a test left a modal box open");
        ventana.reset();
        carpeta.reset();
    }
};

} // namespace prueba
