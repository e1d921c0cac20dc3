#include "tests/schedule_window/schedule_window_fixture.h"

using prueba::Control;
using prueba::Ejemplo;
using schedule::Columna;

class ScheduleWindowTest : public QObject, protected prueba::AlimentadoresDePrueba {
    Q_OBJECT

private slots:
    void init() { Preparar(); }
    void cleanup() { Terminar(); }

    // A project field being typed counts as a change: closing asks, before it is left.
    void a_project_field_being_typed_is_a_change() {
        QVERIFY(!ventana->modificado());
        auto* revision = Control<QLineEdit>(ventana.get(), "revision");
        revision->setFocus();
        QTest::keyClicks(revision, QStringLiteral("C"));
        prueba::Avisos avisos;
        avisos.Responder(QStringLiteral("Cancelar"));
        QTest::keyClick(revision, Qt::Key_W, Qt::ControlModifier);
        QCOMPARE(avisos.textos.size(), 1);
        QVERIFY(ventana->isVisible());
        QCOMPARE(modelo().cuadro().proyecto.revision, std::string("C"));
        modelo().pila().setClean();
    }

    // The code edition is the project's: the remarks cite its numbering, the change is
    // undone like any other, and a project keeps it.
    void the_code_edition_is_a_project_setting() {
        QVERIFY(ventana->Abrir(Ejemplo));
        auto* norma = Control<QComboBox>(ventana.get(), "norma");
        QCOMPARE(norma->currentText(), QStringLiteral("NEC 2023"));
        QVERIFY(Resultado(1, "observaciones").contains(QStringLiteral("(NEC 2023 215.2(A)(1))")));
        norma->setCurrentText(QStringLiteral("NOM-001-SEDE-2012"));
        QCOMPARE(modelo().cuadro().proyecto.norma, std::string("NOM-001-SEDE-2012"));
        QVERIFY(Resultado(1, "observaciones")
                    .contains(QStringLiteral("(NOM-001-SEDE-2012 215-2(a)(1))")));
        QVERIFY(ventana->modificado());
        modelo().pila().undo();
        QCOMPARE(norma->currentText(), QStringLiteral("NEC 2023"));
        QVERIFY(Resultado(1, "observaciones").contains(QStringLiteral("NEC 2023")));
        modelo().pila().redo();
        const QString guardado = Ruta("nom.alim");
        QVERIFY(ventana->GuardarEn(guardado));
        VentanaAlimentadores otra(QStringLiteral(CARPETA_TABLAS));
        QVERIFY(otra.Abrir(guardado));
        QCOMPARE(Control<QComboBox>(&otra, "norma")->currentText(),
                 QStringLiteral("NOM-001-SEDE-2012"));
    }

    // The inputs of the load's parts and its device take room only where a row uses them:
    // the shipped example leaves them out, so that its results come into sight; Ver → Todas
    // las entradas shows them, and a pasted value in one shows its column.
    void the_unused_load_inputs_give_way_to_the_results() {
        QVERIFY(ventana->Abrir(Ejemplo));
        QVERIFY(tabla->isColumnHidden(Col(Columna::PotenciaKw)));
        QVERIFY(tabla->isColumnHidden(Col(Columna::Proteccion)));
        QVERIFY(!tabla->isColumnHidden(Col(Columna::Calibre)));
        tabla->setFocus();
        QTest::keyClick(tabla, Qt::Key_T, Qt::ControlModifier);
        QVERIFY(!tabla->isColumnHidden(Col(Columna::PotenciaKw)));
        QTest::keyClick(tabla, Qt::Key_T, Qt::ControlModifier);
        QVERIFY(tabla->isColumnHidden(Col(Columna::PotenciaKw)));
        QApplication::clipboard()->setText(
            QStringLiteral("circuito\tsistema\tconductor\tducto\tkW\tvoltaje\tfp\tlongitud\n"
                           "K-1\t3\tcu\tpvc\t100\t480\t0.9\t10\n"));
        QTest::keyClick(tabla, Qt::Key_V, Qt::ControlModifier);
        QVERIFY(!tabla->isColumnHidden(Col(Columna::PotenciaKw)));
        QVERIFY(tabla->isColumnHidden(Col(Columna::PotenciaKva)));
        modelo().pila().undo();
        QVERIFY(tabla->isColumnHidden(Col(Columna::PotenciaKw)));
    }

    // The window opens inside the screen's free area, and a new schedule is "Sin título".
    void the_window_fits_the_screen() {
        const QRect libre = ventana->screen()->availableGeometry();
        QVERIFY2(libre.contains(ventana->frameGeometry()),
                 qPrintable(QStringLiteral("%1,%2 %3x%4 en %5x%6")
                                .arg(ventana->frameGeometry().x())
                                .arg(ventana->frameGeometry().y())
                                .arg(ventana->frameGeometry().width())
                                .arg(ventana->frameGeometry().height())
                                .arg(libre.width())
                                .arg(libre.height())));
        QVERIFY(ventana->windowTitle().startsWith(QStringLiteral("Alimentadores — Sin título")));
        QVERIFY(ventana->Abrir(Ejemplo));
        const int observaciones =
            modelo().ColumnaDe({ModeloAlimentadores::Tipo::Resultado,
                                schedule::Indice(schedule::ColumnaResultado::Observaciones)});
        QCOMPARE(observaciones, modelo().columnCount() - 1);
        QVERIFY(tabla->columnWidth(observaciones) <= 41 * tabla->fontMetrics().averageCharWidth());
    }

    // Every control is announced by a Spanish name, and the whole window works from the
    // keyboard: the menus by their Alt letters, the table by Tab, F2, Enter and Escape.
    void controls_have_spanish_names_and_keys() {
        QCOMPARE(ventana->accessibleName(), QStringLiteral("Alimentadores — Sin título"));
        for (const char* nombre : {"proyecto", "elaboro", "fecha", "norma", "tabla"}) {
            QVERIFY2(!Control(ventana.get(), nombre)->accessibleName().isEmpty(), nombre);
        }
        QCOMPARE(Control(ventana.get(), "tabla")->accessibleName(),
                 QStringLiteral("Tabla de alimentadores"));
        QStringList menus;
        for (QAction* a : ventana->menuBar()->actions()) {
            menus << a->text();
        }
        QCOMPARE(menus, (QStringList{"&Archivo", "&Editar", "&Ver"}));
        QCOMPARE(Accion(QStringLiteral("&Guardar"))->shortcut(), QKeySequence(QKeySequence::Save));
        QCOMPARE(Accion(QStringLiteral("&Agregar fila"))->shortcut(), QKeySequence(Qt::Key_Insert));

        modelo().AgregarFila(0, modelo().FilaNueva(), QStringLiteral("Agregar fila"));
        tabla->setFocus();
        tabla->setCurrentIndex(modelo().index(0, 0));
        QTest::keyClick(tabla, Qt::Key_Tab);
        QCOMPARE(tabla->currentIndex().column(), 1);
        tabla->setCurrentIndex(modelo().index(0, Col(Columna::Voltaje)));
        QTest::keyClick(tabla, Qt::Key_F2);
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor != nullptr);
        editor->setText(QStringLiteral("999"));
        QTest::keyClick(editor, Qt::Key_Escape);
        QCOMPARE(Celda(0, Col(Columna::Voltaje)), QStringLiteral("240"));
    }
};

QTEST_MAIN(ScheduleWindowTest)
#include "schedule_window_test.moc"
