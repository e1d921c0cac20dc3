#include "tests/schedule_window/schedule_window_fixture.h"

#include "schedule_window/long_work.h"

using prueba::Control;
using prueba::Ejemplo;
using schedule::Columna;

class LongWorkTest : public QObject, protected prueba::AlimentadoresDePrueba {
    Q_OBJECT

private slots:
    void init() { Preparar(); }
    void cleanup() { Terminar(); }

    // The work's own answer is what the caller hears: a cancel the work saw stops it, one
    // that came once it had finished does not undo it. Before, a save whose file was
    // already in place was told to the window as cancelled and the schedule stayed unsaved.
    void the_work_says_whether_it_was_done() {
        Progreso progreso;
        QVERIFY(
            EnSegundoPlano(ventana.get(), QStringLiteral("Trabajo"), PasosGuardar, progreso, [&] {
                progreso.cancelar = true; // the user, too late
                return true;
            }));
        Progreso otro;
        CancelarLoQueSigue();
        QVERIFY(!EnSegundoPlano(ventana.get(), QStringLiteral("Trabajo"), PasosGuardar, otro,
                                [&] { return otro.Seguir(1); }));
        QVERIFY(otro.cancelar);
    }

    // Long work cancelled leaves everything as it was, without a box: an export leaves
    // no file, a save the old file whole and the schedule unsaved, an open the schedule
    // shown; no temporary file stays behind.
    void cancelled_work_leaves_everything_as_it_was() {
        QVERIFY(ventana->Abrir(Largo(1500)));
        QCOMPARE(modelo().rowCount(), 1500);
        QVERIFY(ventana->GuardarEn(Ruta("a.alim")));
        const std::string guardado = Bytes(Ruta("a.alim"));
        modelo().setData(modelo().index(0, 0), QStringLiteral("cambiado"), Qt::EditRole);
        prueba::Avisos avisos;

        CancelarLoQueSigue();
        QVERIFY(!ventana->GuardarEn(Ruta("a.alim")));
        QCOMPARE(Bytes(Ruta("a.alim")), guardado);
        QVERIFY(ventana->modificado());
        CancelarLoQueSigue();
        QVERIFY(!ventana->GuardarEn(Ruta("b.csv")));
        CancelarLoQueSigue();
        QVERIFY(!ventana->ExportarPdf(Ruta("memoria.pdf")));
        CancelarLoQueSigue();
        QVERIFY(!ventana->ExportarXlsx(Ruta("libro.xlsx")));
        QCOMPARE(Archivos(), (std::vector<std::string>{"a.alim", "largo.csv"}));

        CancelarLoQueSigue();
        QVERIFY(!ventana->Abrir(Ejemplo));
        QCOMPARE(modelo().rowCount(), 1500);
        QCOMPARE(Celda(0, 0), QStringLiteral("cambiado"));
        QCOMPARE(ventana->archivo(), Ruta("a.alim"));
        QCOMPARE(avisos.textos, QStringList());
        modelo().pila().setClean();
    }

    // State: a long schedule, a circuit's new name being typed in its cell.  Action: the
    // record is exported, long enough that its progress dialog shows and takes the focus.
    // Expected: the record is of the schedule with the typed name, the only state the
    // worker ever sees, and the name is one undoable edit.
    void the_record_is_of_the_schedule_as_typed() {
        QVERIFY(ventana->Abrir(Largo(800)));
        // The opening's progress dialog may have shown: the window takes the keys back.
        ventana->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(ventana.get()));
        tabla->setFocus();
        tabla->setCurrentIndex(modelo().index(0, 0));
        QTest::keyClick(tabla, 'T');
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor != nullptr);
        QTest::keyClicks(editor, QStringLiteral("GN-1"));
        QVERIFY(ventana->ExportarPdf(Ruta("memoria.pdf")));
        QCOMPARE(Celda(0, 0), QStringLiteral("TGN-1"));
        QCOMPARE(modelo().pila().count(), 1);
        QProcess texto;
        texto.start(QStringLiteral("pdftotext"), {QStringLiteral("-l"), QStringLiteral("3"),
                                                  Ruta("memoria.pdf"), QStringLiteral("-")});
        QVERIFY(texto.waitForFinished());
        const QString contenido = QString::fromUtf8(texto.readAllStandardOutput());
        QVERIFY(contenido.contains(QStringLiteral("TGN-1")));
        QVERIFY(!contenido.contains(QStringLiteral("AL-1\n")));
        modelo().pila().setClean();
    }

    // While a worker reads the schedule, the user's keys, shortcuts and closing wait:
    // nothing changes what it reads, and the work ends whole.
    void the_schedule_stays_still_under_long_work() {
        QVERIFY(ventana->Abrir(Ejemplo));
        tabla->setFocus();
        tabla->setCurrentIndex(modelo().index(0, 0));
        QTimer::singleShot(0, ventana.get(), [this] {
            QTest::keyClick(tabla, Qt::Key_Insert);
            QTest::keyClick(tabla, Qt::Key_Delete);
            QTest::keyClicks(tabla, QStringLiteral("7"));
            ventana->close();
        });
        QVERIFY(ventana->ExportarPdf(Ruta("memoria.pdf")));
        QVERIFY(ventana->isVisible());
        QCOMPARE(modelo().rowCount(), 10);
        QCOMPARE(Celda(0, 0), QStringLiteral("AL-1"));
        QVERIFY(!ventana->modificado());
        QTest::keyClick(tabla, Qt::Key_Insert); // and the keys work again after it
        QCOMPARE(modelo().rowCount(), 11);
        modelo().pila().setClean();
    }

    // State: a schedule saved as a project, a length being typed in its cell.  Action:
    // Ctrl+S with the editor still open.  Expected: the file holds the typed length, and
    // the window says it is saved.
    void an_open_editor_is_saved_with_the_schedule() {
        QVERIFY(ventana->Abrir(Ejemplo));
        QVERIFY(ventana->GuardarEn(Ruta("obra.alim")));
        tabla->setFocus();
        tabla->setCurrentIndex(modelo().index(0, Col(Columna::Longitud)));
        QTest::keyClick(tabla, Qt::Key_7);
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor != nullptr);
        QTest::keyClicks(editor, QStringLiteral("5"));
        QTest::keyClick(editor, Qt::Key_S, Qt::ControlModifier);
        const auto leido = schedule::LeerProyecto(Ruta("obra.alim").toStdString());
        QVERIFY(std::holds_alternative<schedule::Cuadro>(leido));
        QCOMPARE(std::get<schedule::Cuadro>(leido)
                     .filas[0]
                     .entradas[static_cast<std::size_t>(Columna::Longitud)],
                 std::string("75"));
        QCOMPARE(Celda(0, Col(Columna::Longitud)), QStringLiteral("75"));
        QVERIFY(!ventana->modificado());
        QVERIFY(!ventana->isWindowModified());
    }

    // A save that fails or is cancelled changes neither the file the schedule belongs to
    // nor the shape it is written in: a project saved as a CSV into a folder that does not
    // exist, or cancelled, stays the project it was.
    void a_save_that_does_not_happen_leaves_the_file_as_it_was() {
        QVERIFY(ventana->Abrir(Largo(1500)));
        QVERIFY(ventana->GuardarEn(Ruta("obra.alim")));
        QVERIFY(ventana->Abrir(Ruta("obra.alim")));
        modelo().setData(modelo().index(0, 0), QStringLiteral("cambiado"), Qt::EditRole);
        const schedule::FormatoCsv formato = modelo().cuadro().formato;
        // A user whose spreadsheet writes decimal commas: a CSV would take that shape.
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Colombia));
        const auto local =
            qScopeGuard([] { QLocale::setDefault(QLocale(QStringLiteral("en_US"))); });
        QCOMPARE(formato.marca.marca, schedule::Marca::Punto);
        prueba::Avisos avisos;
        QVERIFY(!ventana->GuardarEn(Ruta("no/existe.csv")));
        QCOMPARE(avisos.textos.size(), 1);
        CancelarLoQueSigue();
        QVERIFY(!ventana->GuardarEn(Ruta("b.csv")));
        QCOMPARE(avisos.textos.size(), 1);
        QVERIFY(modelo().cuadro().formato == formato);
        QVERIFY(modelo().cuadro().origen == schedule::Origen::Proyecto);
        QCOMPARE(ventana->archivo(), Ruta("obra.alim"));
        QVERIFY(ventana->modificado());
        modelo().pila().setClean();
    }
};

QTEST_MAIN(LongWorkTest)
#include "long_work_test.moc"
