// The schedule window as a module: the calculator starts without it and its libraries,
// "Salir" without it ends at once, and the first "Agregar a alimentadores" or
// "Alimentadores…" loads it. With it loaded, "Salir" asks for unsaved changes and the
// row goes to the window there is. The functions run in this order, in one process: the
// module, once loaded, stays.
#include "main_window/form1.h"
#include "tests/support/window_test_support.h"
#include "toolkit/schedule_module.h"

#include <QFile>
#include <QMainWindow>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using prueba::Control;

namespace {

// The libraries this process has mapped whose names hold `parte`.
bool Cargada(const char* parte) {
    QFile mapas(QStringLiteral("/proc/self/maps"));
    if (!mapas.open(QIODevice::ReadOnly)) {
        qFatal("no /proc/self/maps");
    }
    return mapas.readAll().contains(parte);
}

// What only the schedule window needs: the module, printing, workbooks, CSV.
constexpr const char* DelModulo[] = {"libcalculador-alimentadores",
                                     "libQt6PrintSupport",
                                     "libxlsxwriter",
                                     "libcsv",
                                     "libzip",
                                     "libpugixml"};

} // namespace

class ScheduleModuleTest : public QObject, prueba::VentanaAbierta {
    Q_OBJECT

    // Runs the event loop for "&Salir" as the program does: the status it ends with, or 7 if
    // the program still runs after a second.
    int Salir() {
        QTimer reloj;
        reloj.setSingleShot(true);
        connect(&reloj, &QTimer::timeout, [] { QCoreApplication::exit(7); });
        reloj.start(1000);
        QTimer::singleShot(0, form->findChild<QAction*>(QStringLiteral("salir")),
                           &QAction::trigger);
        return QApplication::exec();
    }
    // The report's "Agregar a alimentadores" after a calculation.
    void Agregar() {
        clicEn("Command1");
        List2->actions()[1]->trigger();
    }

private slots:
    void init() { abrir(); }
    void cleanup() { cerrar(); }

    // A folder without the module: no window, and the reason names the file.
    void a_missing_module_is_told() {
        QTemporaryDir vacia;
        QString error;
        QCOMPARE(toolkit::ModuloAlimentadores(vacia.path(), error), nullptr);
        QVERIFY2(error.contains(QStringLiteral("libcalculador-alimentadores.so")),
                 qPrintable(error));
    }

    void the_calculator_starts_without_the_module() {
        Control<QPushButton>(form.get(), "Command1")->click();
        QCOMPARE(List2->count(), prueba::LineasCaida);
        for (const char* biblioteca : DelModulo) {
            QVERIFY2(!Cargada(biblioteca), biblioteca);
        }
        QCOMPARE(form->ventanaAlimentadores(), nullptr);
    }

    void salir_without_the_module_ends_at_once() {
        QCOMPARE(Salir(), 0);
        QVERIFY(!Cargada("libcalculador-alimentadores"));
    }

    void agregar_a_alimentadores_loads_the_module() {
        Agregar();
        QVERIFY(Cargada("libcalculador-alimentadores"));
        QVERIFY(form->ventanaAlimentadores() != nullptr);
        QMainWindow& ventana = form->ventanaAlimentadores()->Ventana();
        QVERIFY(ventana.isVisible());
        const prueba::TablaDeAlimentadores tabla(ventana);
        QCOMPARE(tabla.filas(), 1);
        QCOMPARE(tabla(0, QStringLiteral("Longitud\n(m)")), QStringLiteral("100"));
        // The first row's numbers are shown whole, not cut to the empty table's captions.
        auto* vista = Control<QTableView>(&ventana, "tabla");
        for (int c = 0; c < vista->model()->columnCount(); ++c) {
            const QString titulo = vista->model()->headerData(c, Qt::Horizontal).toString();
            if (titulo == QStringLiteral("Caída\n(V)") || titulo == QStringLiteral("Rige")) {
                const QString texto = vista->model()->index(0, c).data().toString();
                QVERIFY2(vista->columnWidth(c) > vista->fontMetrics().horizontalAdvance(texto),
                         qPrintable(texto));
            }
        }
    }

    // With the module loaded: "Cancelar" keeps the program running, closing the main
    // window asks the same, "Descartar" ends it; without changes it ends at once. The
    // row goes to the same window each time, and the menu item brings it back.
    void with_the_module_loaded_salir_asks_first() {
        Agregar();
        Alimentadores* alimentadores = form->ventanaAlimentadores();
        Agregar();
        QCOMPARE(form->ventanaAlimentadores(), alimentadores);
        QCOMPARE(prueba::TablaDeAlimentadores(alimentadores->Ventana()).filas(), 2);
        prueba::Avisos avisos;
        avisos.Responder(QStringLiteral("Cancelar"));
        QCOMPARE(Salir(), 7);
        QCOMPARE(avisos.textos.size(), 1);
        QVERIFY(avisos.textos[0].contains(QStringLiteral("cambios sin guardar")));
        QVERIFY(!form->close());
        QVERIFY(form->isVisible());
        QCOMPARE(avisos.textos.size(), 2);
        avisos.Responder(QStringLiteral("Descartar"));
        QCOMPARE(Salir(), 0);
        QCOMPARE(avisos.textos.size(), 3);
        form->findChild<QAction*>(QStringLiteral("Alimentadores"))->trigger();
        QCOMPARE(form->ventanaAlimentadores(), alimentadores);
        QVERIFY(alimentadores->Ventana().isVisible());
    }

    void with_the_module_loaded_and_no_changes_salir_ends_at_once() {
        form->findChild<QAction*>(QStringLiteral("Alimentadores"))->trigger();
        QVERIFY(form->ventanaAlimentadores() != nullptr);
        QCOMPARE(Salir(), 0);
    }
};

QTEST_MAIN(ScheduleModuleTest)
#include "schedule_module_test.moc"
