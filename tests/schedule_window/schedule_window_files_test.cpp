#include "tests/schedule_window/schedule_window_fixture.h"

using prueba::Control;
using prueba::Ejemplo;
using schedule::Columna;

class ScheduleWindowFilesTest : public QObject, protected prueba::AlimentadoresDePrueba {
    Q_OBJECT

private slots:
    void init() { Preparar(); }
    void cleanup() { Terminar(); }

    // The shipped example, saved as a project and opened again: the same table, cell for
    // cell, with the project's data, and a file the command reads.
    void saved_as_a_project_and_reopened_gives_the_same_table() {
        QVERIFY(ventana->Abrir(Ejemplo));
        QCOMPARE(modelo().rowCount(), 10);
        QVERIFY(
            ventana->windowTitle().startsWith(QStringLiteral("Alimentadores — alimentadores.csv")));
        QCOMPARE(ventana->statusBar()->currentMessage(),
                 QStringLiteral("Columnas que no se usan: «Descripción»."));
        Control<QLineEdit>(ventana.get(), "proyecto")->setText(QStringLiteral("Edificio Ñandú"));
        Control<QLineEdit>(ventana.get(), "cedula")->setText(QStringLiteral("1234567"));
        emit Control<QLineEdit>(ventana.get(), "proyecto")->editingFinished();
        QVERIFY(ventana->modificado());
        const QString guardado = Ruta("guardado.alim");
        QVERIFY(ventana->GuardarEn(guardado));
        QVERIFY(!ventana->modificado());
        QVERIFY(!ventana->isWindowModified());
        QVERIFY(ventana->windowTitle().startsWith(QStringLiteral("Alimentadores — guardado.alim")));

        VentanaAlimentadores otra(QStringLiteral(CARPETA_TABLAS));
        QVERIFY(otra.Abrir(guardado));
        QCOMPARE(otra.modelo().cuadro().otras, modelo().cuadro().otras);
        QCOMPARE(otra.modelo().cuadro().proyecto.nombre, std::string("Edificio Ñandú"));
        QCOMPARE(otra.modelo().cuadro().proyecto.cedula, std::string("1234567"));
        QCOMPARE(otra.modelo().columnCount(), modelo().columnCount());
        for (int f = 0; f < modelo().rowCount(); ++f) {
            for (int c = 0; c < modelo().columnCount(); ++c) {
                QCOMPARE(otra.modelo().data(otra.modelo().index(f, c), Qt::DisplayRole),
                         modelo().data(modelo().index(f, c), Qt::DisplayRole));
            }
        }
        QCOMPARE(Resultado(1, "caida_v"), QStringLiteral("3.516"));

        QProcess lote;
        lote.start(QStringLiteral(CARPETA_TABLAS "/calculador-caidas-lote"), {guardado});
        QVERIFY(lote.waitForFinished());
        QCOMPARE(lote.exitCode(), 0);
        QVERIFY(QString::fromUtf8(lote.readAllStandardOutput()).contains(QStringLiteral("AL-10")));
        QCOMPARE(std::distance(std::filesystem::directory_iterator(carpeta->ruta()),
                               std::filesystem::directory_iterator()),
                 1);
    }

    // A CSV from a Spanish Excel, saved with Ctrl+S: the same bytes; a cell changed: only it
    // differs. The extra columns stand beside the circuit.
    void a_csv_is_saved_back_as_it_was_written() {
        const QString csv = Ruta("excel.csv");
        std::filesystem::copy_file(FIXTURES "/excel_es.csv", csv.toStdString());
        const std::string antes = Bytes(csv);
        QVERIFY(ventana->Abrir(csv));
        QCOMPARE(modelo().headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("Descripción"));
        QCOMPARE(modelo().headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("Nota del cliente"));
        modelo().setData(modelo().index(1, Col(Columna::Longitud)), QStringLiteral("43"),
                         Qt::EditRole);
        modelo().setData(modelo().index(1, Col(Columna::Longitud)), QStringLiteral("42"),
                         Qt::EditRole);
        QTest::keyClick(tabla, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(Bytes(csv), antes);
        modelo().setData(modelo().index(1, Col(Columna::Longitud)), QStringLiteral("43.5"),
                         Qt::EditRole);
        QTest::keyClick(tabla, Qt::Key_S, Qt::ControlModifier);
        std::string esperado = antes;
        const std::string fila = "PVC;95;480;0,9;;42;3";
        esperado.replace(esperado.find(fila), fila.size(), "PVC;95;480;0,9;;43,5;3");
        QCOMPARE(Bytes(csv), esperado);
        QVERIFY(!ventana->modificado());
    }

    // A CSV keeps no project data: the first save with some says so once and offers a
    // project file; the answer "Guardar en CSV" saves the CSV, and is not asked again.
    void a_csv_save_with_project_data_offers_a_project_once() {
        const QString csv = Ruta("excel.csv");
        std::filesystem::copy_file(FIXTURES "/excel_es.csv", csv.toStdString());
        QVERIFY(ventana->Abrir(csv));
        Control<QLineEdit>(ventana.get(), "proyecto")->setText(QStringLiteral("Torre Sur"));
        Control<QLineEdit>(ventana.get(), "reviso")->setText(QStringLiteral("R. Pérez"));
        prueba::Avisos avisos;
        avisos.Responder(QStringLiteral("Guardar en CSV"));
        Accion(QStringLiteral("&Guardar"))->trigger();
        QCOMPARE(avisos.textos.size(), 1);
        QCOMPARE(avisos.textos[0], QStringLiteral("Un archivo CSV no guarda Proyecto, Revisó ni "
                                                  "Fecha: al cerrarlo se pierden. Guárdelos en "
                                                  "un proyecto de alimentadores (.alim)."));
        QVERIFY(!ventana->modificado());
        modelo().setData(modelo().index(0, 0), QStringLiteral("AL-1b"), Qt::EditRole);
        Accion(QStringLiteral("&Guardar"))->trigger();
        QCOMPARE(avisos.textos.size(), 1);
        QVERIFY(!ventana->modificado());
    }

    // A workbook is read, never written over: "Guardar" asks for a project file.
    void a_workbook_is_saved_as_a_project() {
        const QString libro = Ruta("libro.xlsx");
        std::filesystem::copy_file(FIXTURES "/openpyxl.xlsx", libro.toStdString());
        const std::string antes = Bytes(libro);
        QVERIFY(ventana->Abrir(libro));
        QCOMPARE(modelo().rowCount(), 3);
        QVERIFY(ventana->windowTitle().startsWith(QStringLiteral("Alimentadores — libro.xlsx")));
        QCOMPARE(ventana->accessibleName(), QStringLiteral("Alimentadores — libro.xlsx"));
        modelo().setData(modelo().index(0, 0), QStringLiteral("AL-1b"), Qt::EditRole);
        prueba::Avisos avisos([&](QDialog* caja) {
            auto* dialogo = qobject_cast<QFileDialog*>(caja);
            QVERIFY(dialogo != nullptr);
            QVERIFY(dialogo->selectedNameFilter().contains(QStringLiteral("*.alim")));
            dialogo->selectFile(Ruta("libro"));
            QMetaObject::invokeMethod(dialogo, "accept");
        });
        Accion(QStringLiteral("&Guardar"))->trigger();
        QCOMPARE(avisos.textos.size(), 1);
        QVERIFY(avisos.textos[0].contains(QStringLiteral("no escribe sobre el libro")));
        QCOMPARE(avisos.otras, 1);
        QCOMPARE(Bytes(libro), antes);
        QVERIFY(std::filesystem::exists(Ruta("libro.alim").toStdString()));
        QCOMPARE(ventana->archivo(), Ruta("libro.alim"));
        QCOMPARE(ventana->accessibleName(), QStringLiteral("Alimentadores — libro.alim"));
        QVERIFY(!ventana->modificado());
    }

    // A file that cannot be read is told, naming it and where, and the open table stays.
    void an_unreadable_file_keeps_the_open_table() {
        QVERIFY(ventana->Abrir(Ejemplo));
        std::ofstream(carpeta->ruta() / "roto.csv") << "circuito;sistema\nA;\"3\n";
        prueba::Avisos avisos;
        QVERIFY(!ventana->Abrir(Ruta("roto.csv")));
        QCOMPARE(avisos.textos.size(), 1);
        QVERIFY(avisos.textos[0].contains(QStringLiteral("roto.csv")));
        QVERIFY(avisos.textos[0].contains(QStringLiteral("faltan columnas")));
        std::ofstream(carpeta->ruta() / "comillas.csv")
            << "circuito;sistema;conductor;ducto;corriente;voltaje;fp;longitud\nA;3;cu;pvc;1;1;1;"
               "1\n"
               "B;\"3;cu\n";
        QVERIFY(!ventana->Abrir(Ruta("comillas.csv")));
        QVERIFY(avisos.textos.value(1).contains(QStringLiteral("fila 3")));
        QCOMPARE(modelo().rowCount(), 10);
        QCOMPARE(ventana->archivo(), Ejemplo);
    }

    // Closing with unsaved changes asks; each answer does what it says.
    void the_unsaved_changes_prompt_from_the_window() {
        QVERIFY(ventana->Abrir(Ejemplo));
        QVERIFY(ventana->GuardarEn(Ruta("a.csv")));
        modelo().setData(modelo().index(0, 0), QStringLiteral("cambiado"), Qt::EditRole);
        prueba::Avisos avisos;
        avisos.Responder(QStringLiteral("Cancelar"));
        ventana->close();
        QVERIFY(ventana->isVisible());
        QCOMPARE(avisos.textos.size(), 1);
        QVERIFY(ventana->modificado());

        avisos.Responder(QStringLiteral("Guardar"));
        ventana->close();
        QVERIFY(!ventana->isVisible());
        std::ifstream guardado(carpeta->ruta() / "a.csv");
        auto leido = schedule::LeerCuadro(guardado);
        QCOMPARE(std::get<schedule::Cuadro>(leido).filas[0].entradas[0], std::string("cambiado"));

        ventana->show();
        modelo().setData(modelo().index(0, 0), QStringLiteral("otra vez"), Qt::EditRole);
        avisos.Responder(QStringLiteral("Descartar"));
        Accion(QStringLiteral("&Nuevo"))->trigger();
        QCOMPARE(modelo().rowCount(), 0);
        QCOMPARE(avisos.textos.size(), 3);
        std::ifstream intacto(carpeta->ruta() / "a.csv");
        QCOMPARE(std::get<schedule::Cuadro>(schedule::LeerCuadro(intacto)).filas[0].entradas[0],
                 std::string("cambiado"));
    }

    // The window's workbook is the command's for the same schedule, read back cell by cell
    // with openpyxl: the example's ten feeders with their results, and nothing else written
    // beside it. Read back, by the command or the window, it is the schedule it came from.
    void the_workbook_export_is_the_commands_workbook() {
        QVERIFY(ventana->Abrir(Ejemplo));
        QVERIFY(ventana->ExportarXlsx(Ruta("ventana.xlsx")));
        QCOMPARE(std::distance(std::filesystem::directory_iterator(carpeta->ruta()),
                               std::filesystem::directory_iterator()),
                 1);
        QProcess lote;
        lote.start(QStringLiteral(CARPETA_TABLAS "/calculador-caidas-lote"),
                   {Ejemplo, QStringLiteral("-o"), Ruta("comando.xlsx")});
        QVERIFY(lote.waitForFinished());
        QCOMPARE(lote.exitCode(), 0);
        QProcess comparar;
        comparar.start(QStringLiteral("/usr/bin/python3"),
                       {QStringLiteral(FUENTES "/tests/support/libros_iguales.py"),
                        Ruta("ventana.xlsx"), Ruta("comando.xlsx")});
        QVERIFY(comparar.waitForFinished());
        const QString salida = QString::fromUtf8(comparar.readAll()).trimmed();
        QVERIFY2(comparar.exitCode() == 0, qPrintable(salida));
        QCOMPARE(salida, QStringLiteral("11")); // the header and ten feeders

        // The window's workbook, given to the command, gives the same workbook back: the
        // same inputs, the same results, the same project and summary, cell by cell.
        lote.start(QStringLiteral(CARPETA_TABLAS "/calculador-caidas-lote"),
                   {Ruta("ventana.xlsx"), QStringLiteral("-o"), Ruta("vuelta.xlsx")});
        QVERIFY(lote.waitForFinished());
        QCOMPARE(lote.exitCode(), 0);
        comparar.start(QStringLiteral("/usr/bin/python3"),
                       {QStringLiteral(FUENTES "/tests/support/libros_iguales.py"),
                        Ruta("ventana.xlsx"), Ruta("vuelta.xlsx")});
        QVERIFY(comparar.waitForFinished());
        const QString vuelta = QString::fromUtf8(comparar.readAll()).trimmed();
        QVERIFY2(comparar.exitCode() == 0, qPrintable(vuelta));
        // And the window opens it as the schedule it came from.
        VentanaAlimentadores otra(QStringLiteral(CARPETA_TABLAS));
        QVERIFY(otra.Abrir(Ruta("ventana.xlsx")));
        QCOMPARE(otra.modelo().cuadro().otras, modelo().cuadro().otras);
        QCOMPARE(otra.modelo().columnCount(), modelo().columnCount());
        for (int f = 0; f < modelo().rowCount(); ++f) {
            for (int c = 0; c < modelo().columnCount(); ++c) {
                QCOMPARE(otra.modelo().data(otra.modelo().index(f, c), Qt::DisplayRole),
                         modelo().data(modelo().index(f, c), Qt::DisplayRole));
            }
        }
    }
};

QTEST_MAIN(ScheduleWindowFilesTest)
#include "schedule_window_files_test.moc"
