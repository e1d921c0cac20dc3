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

using prueba::Control;
using schedule::Columna;

namespace {

const QString Ejemplo = QStringLiteral(EJEMPLOS "/alimentadores.csv");

} // namespace

class ScheduleWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<VentanaAlimentadores> ventana;
    std::unique_ptr<prueba::CarpetaTemporal> carpeta;
    QTableView* tabla = nullptr;

    ModeloAlimentadores& modelo() { return ventana->modelo(); }
    // The view column of an input.
    int Col(Columna c) {
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

private slots:
    void init() {
        carpeta = std::make_unique<prueba::CarpetaTemporal>("alimentadores");
        ventana = std::make_unique<VentanaAlimentadores>(QStringLiteral(CARPETA_TABLAS));
        ventana->show();
        QVERIFY(QTest::qWaitForWindowActive(ventana.get()));
        tabla = Control<QTableView>(ventana.get(), "tabla");
    }
    void cleanup() {
        QVERIFY2(QApplication::activeModalWidget() == nullptr, "a test left a modal box open");
        ventana.reset();
        carpeta.reset();
    }

    // State: a new schedule.  Action: Insert, then type the feeder's numbers into its
    // cells.  Expected: the results of the hand-checked feeder AL-2 (copper THW in PVC,
    // 95 A over 42 m at 480 V, pf 0.9): continuous, as the empty cell shows, 118.75 A needs
    // size 1 and a 125 A device, 3.516 V; typed 0 % continuous, size 3 carries 95 A with
    // a 100 A device, 5.566 V.
    void editing_cells_sizes_the_row() {
        QCOMPARE(modelo().rowCount(), 0);
        tabla->setFocus();
        QTest::keyClick(tabla, Qt::Key_Insert);
        QCOMPARE(modelo().rowCount(), 1);
        Escribir(0, Col(Columna::Corriente), QStringLiteral("95"));
        Escribir(0, Col(Columna::Voltaje), QStringLiteral("480"));
        Escribir(0, Col(Columna::Fp), QStringLiteral("0.9"));
        Escribir(0, Col(Columna::Longitud), QStringLiteral("42"));
        QCOMPARE(Celda(0, Col(Columna::Corriente)), QStringLiteral("95"));
        QCOMPARE(Celda(0, Col(Columna::Continua)), QStringLiteral("100"));
        QCOMPARE(Resultados(0),
                 (QStringList{"6", "1", "1", "42.4", "ampacidad", "3.516", "0.73", "476.48", "130",
                              "Por ampacidad rige la carga continua al 125 % (NEC 2023 "
                              "215.2(A)(1)): 118.75 A en la columna de 75 °C.",
                              "95", "125", "1", "6", "1", "PVC-40 2 (53)", "25.3", "0.73",
                              "3-1 + 1-1 N + 1-6 T, PVC-40 2 (53)"}));
        Escribir(0, Col(Columna::Continua), QStringLiteral("0"));
        QCOMPARE(Resultados(0).mid(0, 12), (QStringList{"6", "3", "3", "26.7", "ampacidad", "5.566",
                                                        "1.16", "474.43", "100", "", "95", "100"}));
        QVERIFY(ventana->modificado());
        QVERIFY(ventana->windowTitle().startsWith(QStringLiteral("Alimentadores — Sin título")));
        QVERIFY(ventana->isWindowModified());
    }

    // A choice column is edited with a list of its choices.
    void a_choice_is_picked_from_a_list() {
        modelo().AgregarFila(0, modelo().FilaNueva(), QStringLiteral("Agregar fila"));
        tabla->setCurrentIndex(modelo().index(0, Col(Columna::Calibre)));
        QTest::keyClick(tabla, Qt::Key_F2);
        auto* lista = qobject_cast<QComboBox*>(QApplication::focusWidget());
        QVERIFY(lista != nullptr);
        QCOMPARE(lista->count(), 22);
        QCOMPARE(lista->currentText(), QStringLiteral("automático"));
        lista->setCurrentIndex(lista->findText(QStringLiteral("2/0")));
        QTest::keyClick(lista, Qt::Key_Return);
        QTRY_COMPARE(Celda(0, Col(Columna::Calibre)), QStringLiteral("2/0"));
        QCOMPARE(Resultado(0, "calibre_elegido"), QStringLiteral("2/0"));
        QCOMPARE(Resultado(0, "rige"), QStringLiteral("calibre dado"));
    }

    // A cell that cannot be read is marked with its message, its row shows no results,
    // and the row recovers once the cell is mended.
    void a_bad_cell_is_marked_and_recovers() {
        modelo().AgregarFila(0, modelo().FilaNueva(), QStringLiteral("Agregar fila"));
        const QModelIndex corriente = modelo().index(0, Col(Columna::Corriente));
        modelo().setData(corriente, QStringLiteral("30 A"), Qt::EditRole);
        QCOMPARE(modelo().data(corriente, Qt::ToolTipRole).toString(),
                 QStringLiteral("La columna «corriente» no tiene un número: «30 A»."));
        QVERIFY(modelo().data(corriente, Qt::BackgroundRole).isValid());
        QCOMPARE(Resultado(0, "calibre_elegido"), QString());
        QCOMPARE(Resultado(0, "caida_v"), QString());
        // A number outside its rule is the engine's refusal, marked on its cell too.
        const QModelIndex fp = modelo().index(0, Col(Columna::Fp));
        modelo().setData(corriente, QStringLiteral("30"), Qt::EditRole);
        modelo().setData(fp, QStringLiteral("1.5"), Qt::EditRole);
        QVERIFY(modelo()
                    .data(fp, Qt::ToolTipRole)
                    .toString()
                    .startsWith(QStringLiteral("El factor de potencia debe ser")));
        QVERIFY(!modelo().data(corriente, Qt::BackgroundRole).isValid());
        modelo().setData(fp, QStringLiteral("0.85"), Qt::EditRole);
        QVERIFY(!modelo().data(fp, Qt::BackgroundRole).isValid());
        QVERIFY(!Resultado(0, "caida_v").isEmpty());
        // A given size that fails the limit is marked in its row.
        const QModelIndex calibre = modelo().index(0, Col(Columna::Calibre));
        modelo().setData(calibre, QStringLiteral("14"), Qt::EditRole);
        QVERIFY(modelo().data(calibre, Qt::BackgroundRole).isValid());
        QVERIFY(Resultado(0, "observaciones").contains(QStringLiteral("no cumple")));
    }

    // Rows copied from a spreadsheet in a decimal-comma locale: tab-separated, commas.
    void pasting_spreadsheet_rows_with_decimal_commas() {
        QApplication::clipboard()->setText(
            QStringLiteral("P-1\tTrifásico\tCobre\tPVC\t95\t480\t0,9\t42\t3\t1\t30\t3\t\n"
                           "P-2\tmonofásico\tal\tacero\t24,5\t127\t0,95\t28,5\t3\t1\t30\t3\t10\n"));
        tabla->setFocus();
        QTest::keyClick(tabla, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(modelo().rowCount(), 2);
        QCOMPARE(modelo().cuadro().filas[0].entradas[static_cast<std::size_t>(Columna::Fp)],
                 std::string("0.9"));
        QCOMPARE(modelo().cuadro().filas[1].entradas[static_cast<std::size_t>(Columna::Longitud)],
                 std::string("28.5"));
        QCOMPARE(Resultado(0, "caida_v"), QStringLiteral("3.516"));
        QCOMPARE(Resultado(1, "calibre_elegido"), QStringLiteral("10"));

        // Ctrl+C gives the rows back as tab-separated text, results included.
        tabla->selectRow(0);
        QTest::keyClick(tabla, Qt::Key_C, Qt::ControlModifier);
        const QStringList copiada = QApplication::clipboard()->text().split(QLatin1Char('\t'));
        QCOMPARE(copiada.value(0), QStringLiteral("P-1"));
        QCOMPARE(copiada.value(6), QStringLiteral("0.9"));
        QVERIFY(copiada.contains(QStringLiteral("3.516")));
        // The empty cells copy as empty, not as the defaults they show.
        QCOMPARE(copiada.value(Col(Columna::Continua)), QString());
    }

    // A typed cell takes the locale's decimal mark, and a pasted block the mark its numbers
    // show (the locale's when none does); the other mark only groups thousands. Before,
    // "1,200" pasted under es_MX was 1.2 A and "1.200" typed under es_CO was 1.2 A.
    void typed_and_pasted_numbers_follow_one_decimal_mark_data() {
        QTest::addColumn<QString>("localidad");
        QTest::addColumn<bool>("pegar");
        QTest::addColumn<QString>("corrienteEscrita");
        QTest::addColumn<QString>("fpEscrito");
        QTest::addColumn<QString>("corriente"); // "!": refused
        QTest::addColumn<QString>("fp");
        QTest::newRow("es_MX pega 1,200") << "es_MX" << true << "1,200"
                                          << "0.9"
                                          << "1200"
                                          << "0.9";
        QTest::newRow("es_MX pega coma decimal") << "es_MX" << true << "1.200"
                                                 << "0,9"
                                                 << "1200"
                                                 << "0.9";
        QTest::newRow("en_US pega 1,200.5") << "en_US" << true << "1,200.5"
                                            << "1"
                                            << "1200.5"
                                            << "1";
        QTest::newRow("es_CO pega sin marca") << "es_CO" << true << "1.200"
                                              << "1"
                                              << "1200"
                                              << "1";
        QTest::newRow("es_CO pega empate") << "es_CO" << true << "2,5"
                                           << "0.9"
                                           << "!"
                                           << "!";
        QTest::newRow("es_CO escribe 1.200") << "es_CO" << false << "1.200"
                                             << ""
                                             << "1200"
                                             << "";
        QTest::newRow("es_CO escribe 32,5") << "es_CO" << false << "32,5"
                                            << ""
                                            << "32.5"
                                            << "";
        QTest::newRow("es_MX escribe 1,200") << "es_MX" << false << "1,200"
                                             << ""
                                             << "1200"
                                             << "";
        QTest::newRow("es_CO escribe 32.5") << "es_CO" << false << "32.5"
                                            << ""
                                            << "!"
                                            << "";
    }
    void typed_and_pasted_numbers_follow_one_decimal_mark() {
        QFETCH(QString, localidad);
        QFETCH(bool, pegar);
        QFETCH(QString, corrienteEscrita);
        QFETCH(QString, fpEscrito);
        QFETCH(QString, corriente);
        QFETCH(QString, fp);
        QLocale::setDefault(QLocale(localidad));
        VentanaAlimentadores v(QStringLiteral(CARPETA_TABLAS));
        QLocale::setDefault(QLocale(QStringLiteral("en_US")));
        ModeloAlimentadores& m = v.modelo();
        const auto fila = [&] { return m.cuadro().filas.at(0); };
        const auto c = [](Columna col) { return static_cast<std::size_t>(col); };
        if (pegar) {
            m.Pegar(0, "P\t3\tcu\tpvc\t" + corrienteEscrita.toStdString() + "\t480\t" +
                           fpEscrito.toStdString() + "\t10\n");
        } else {
            m.AgregarFila(0, m.FilaNueva(), QStringLiteral("Agregar fila"));
            m.setData(m.index(0, Col(Columna::Corriente)), corrienteEscrita, Qt::EditRole);
        }
        if (fp == QLatin1String("!")) {
            QVERIFY(!fila().errores[c(Columna::Fp)].empty());
        } else if (!fp.isEmpty()) {
            QCOMPARE(QString::fromStdString(fila().entradas[c(Columna::Fp)]), fp);
        }
        if (corriente == QLatin1String("!")) {
            QVERIFY(!fila().errores[c(Columna::Corriente)].empty());
            QVERIFY(m.data(m.index(0, Col(Columna::Corriente)), Qt::BackgroundRole).isValid());
            QVERIFY(m.resultado(0).celdas[2].texto.empty());
        } else {
            QCOMPARE(QString::fromStdString(fila().entradas[c(Columna::Corriente)]), corriente);
            QVERIFY(fila().errores[c(Columna::Corriente)].empty());
        }
        m.pila().setClean();
    }

    void undo_and_redo_every_change() {
        modelo().AgregarFila(0, modelo().FilaNueva(), QStringLiteral("Agregar fila"));
        modelo().setData(modelo().index(0, Col(Columna::Corriente)), QStringLiteral("95"),
                         Qt::EditRole);
        const QString conNoventaYCinco = Resultado(0, "calibre_ampacidad");
        tabla->setFocus();
        QTest::keyClick(tabla, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Celda(0, Col(Columna::Corriente)), QStringLiteral("30"));
        QCOMPARE(Resultado(0, "calibre_ampacidad"), QStringLiteral("8"));
        QTest::keyClick(tabla, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(Celda(0, Col(Columna::Corriente)), QStringLiteral("95"));
        QCOMPARE(Resultado(0, "calibre_ampacidad"), conNoventaYCinco);

        // Rows: duplicate, move, delete, each undone in turn.
        tabla->setCurrentIndex(modelo().index(0, 0));
        Accion(QStringLiteral("D&uplicar filas"))->trigger();
        modelo().setData(modelo().index(1, 0), QStringLiteral("segunda"), Qt::EditRole);
        tabla->setCurrentIndex(modelo().index(1, 0));
        QTest::keyClick(tabla, Qt::Key_Up, Qt::AltModifier);
        QCOMPARE(Celda(0, 0), QStringLiteral("segunda"));
        tabla->selectRow(0);
        QTest::keyClick(tabla, Qt::Key_Delete);
        QCOMPARE(modelo().rowCount(), 1);
        QCOMPARE(Celda(0, 0), QStringLiteral("C-1"));
        modelo().pila().undo();
        QCOMPARE(modelo().rowCount(), 2);
        QCOMPARE(Celda(0, 0), QStringLiteral("segunda"));
        modelo().pila().undo();
        QCOMPARE(Celda(1, 0), QStringLiteral("segunda"));
        while (modelo().pila().canUndo()) {
            modelo().pila().undo();
        }
        QCOMPARE(modelo().rowCount(), 0);
        QVERIFY(!ventana->modificado());
    }

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
        prueba::Avisos avisos;
        avisos.Responder(QStringLiteral("Guardar en CSV"));
        Accion(QStringLiteral("&Guardar"))->trigger();
        QCOMPARE(avisos.textos.size(), 1);
        QVERIFY(avisos.textos[0].startsWith(QStringLiteral("Un archivo CSV no guarda Proyecto")));
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
        QVERIFY(!ventana->modificado());
    }

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

    // A pasted block whose first line names columns is matched by name, other names
    // included; the columns the table has not are named in the status bar.
    void a_pasted_block_with_a_header_goes_by_name() {
        QVERIFY(ventana->Abrir(Ejemplo));
        const int antes = modelo().rowCount();
        QApplication::clipboard()->setText(QStringLiteral(
            "Tablero\tDescripción\tF. de P.\tCorriente (A)\tTensión\tSistema\tConductor\tDucto"
            "\tDistancia\tColor\n"
            "P-1\tBombas\t0,9\t95\t480\tTrifásico\tCobre\tPVC\t42\trojo\n"));
        tabla->setFocus();
        tabla->setCurrentIndex(modelo().index(antes - 1, 0));
        QTest::keyClick(tabla, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(modelo().rowCount(), antes + 1);
        QCOMPARE(Celda(antes, 0), QStringLiteral("P-1"));
        QCOMPARE(Celda(antes, 1), QStringLiteral("Bombas"));
        QCOMPARE(Celda(antes, Col(Columna::Fp)), QStringLiteral("0.9"));
        QCOMPARE(Resultado(antes, "caida_v"), QStringLiteral("3.516"));
        QCOMPARE(ventana->statusBar()->currentMessage(),
                 QStringLiteral("Columnas pegadas que no se usan: «Color»."));
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

    // The inputs of the load and its device: an empty cell shows its default dimmed, a
    // choice is made from a list in its own column though the file has columns of its own
    // before it, and a wet THHN is refused until its location is dry. Before, the lists
    // went by the view's position and the file's own column took the system's list.
    void the_new_inputs_show_defaults_and_offer_their_choices() {
        QVERIFY(ventana->Abrir(Ejemplo));
        const QModelIndex continua = modelo().index(1, Col(Columna::Continua));
        QCOMPARE(modelo().data(continua, Qt::DisplayRole).toString(), QStringLiteral("100"));
        QVERIFY(modelo().data(continua, Qt::ForegroundRole).isValid());
        QCOMPARE(modelo().data(continua, Qt::EditRole).toString(), QString());
        QVERIFY(!modelo()
                     .data(modelo().index(1, Col(Columna::Corriente)), Qt::ForegroundRole)
                     .isValid());
        const auto editor = [&](int columna) {
            tabla->setCurrentIndex(modelo().index(1, columna));
            QTest::keyClick(tabla, Qt::Key_F2);
            return QApplication::focusWidget();
        };
        QVERIFY(qobject_cast<QLineEdit*>(editor(1)) != nullptr); // Descripción
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        auto* sistema = qobject_cast<QComboBox*>(editor(Col(Columna::Sistema)));
        QVERIFY(sistema != nullptr);
        QVERIFY(sistema->findText(QStringLiteral("Monofásico")) >= 0);
        QTest::keyClick(sistema, Qt::Key_Escape);
        // Closing a list on the default it shows changes nothing.
        auto* aislamiento = qobject_cast<QComboBox*>(editor(Col(Columna::Aislamiento)));
        QVERIFY(aislamiento != nullptr);
        QCOMPARE(aislamiento->currentText(), QStringLiteral("THW"));
        QTest::keyClick(aislamiento, Qt::Key_Return);
        QVERIFY(!ventana->modificado());
        aislamiento = qobject_cast<QComboBox*>(editor(Col(Columna::Aislamiento)));
        aislamiento->setCurrentText(QStringLiteral("THHN"));
        QTest::keyClick(aislamiento, Qt::Key_Return);
        const QModelIndex celda = modelo().index(1, Col(Columna::Aislamiento));
        QTRY_VERIFY(modelo().data(celda, Qt::BackgroundRole).isValid());
        QCOMPARE(modelo().data(celda, Qt::ToolTipRole).toString(),
                 QStringLiteral("El aislamiento THHN no puede usarse en un lugar mojado."));
        modelo().setData(modelo().index(1, Col(Columna::Ubicacion)), QStringLiteral("seca"),
                         Qt::EditRole);
        QVERIFY(!modelo().data(celda, Qt::BackgroundRole).isValid());
        // The device's list takes a rating of its own.
        auto* proteccion = qobject_cast<QComboBox*>(editor(Col(Columna::Proteccion)));
        QVERIFY(proteccion != nullptr && proteccion->isEditable());
        // AL-2 needs 118.75 A: a 150 A device protects size 1 (130 A, next rating 150).
        QCOMPARE(Resultado(1, "proteccion_elegida"), QStringLiteral("125"));
        proteccion->setEditText(QStringLiteral("150"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(Resultado(1, "proteccion_elegida"), QStringLiteral("150"));
        QCOMPARE(Resultado(1, "calibre_elegido"), QStringLiteral("1"));
        modelo().pila().setClean();
    }

    // "Alimentado desde" offers the other rows' circuits; a feeder fed from another adds its
    // regulation to the one above, the project's limit marks the path past it, and a loop
    // is an error of each row in it.
    void the_tree_of_feeders() {
        QVERIFY(ventana->Abrir(Ejemplo));
        tabla->setCurrentIndex(modelo().index(1, Col(Columna::AlimentadoDesde)));
        QTest::keyClick(tabla, Qt::Key_F2);
        auto* desde = qobject_cast<QComboBox*>(QApplication::focusWidget());
        QVERIFY(desde != nullptr && desde->isEditable());
        QCOMPARE(desde->itemText(0), QString());
        QCOMPARE(desde->itemText(1), QStringLiteral("AL-1"));
        QCOMPARE(desde->findText(QStringLiteral("AL-2")), -1); // not its own
        desde->setCurrentText(QStringLiteral("AL-1"));
        QTest::keyClick(desde, Qt::Key_Return);
        QTRY_COMPARE(
            modelo().cuadro().filas[1].entradas[static_cast<std::size_t>(Columna::AlimentadoDesde)],
            std::string("AL-1"));
        QVERIFY(!Resultado(1, "regulacion_total").isEmpty());
        QVERIFY(!Resultado(1, "observaciones").contains(QStringLiteral("→")));
        auto* limite = ventana->findChild<QDoubleSpinBox*>(QStringLiteral("regulacion_total"));
        QVERIFY(limite != nullptr);
        QCOMPARE(limite->value(), 5.0);
        limite->setValue(1);
        emit limite->editingFinished();
        QCOMPARE(modelo().cuadro().proyecto.regulacionTotal, std::string("1"));
        QVERIFY(Resultado(1, "observaciones")
                    .contains(QStringLiteral("AL-1 (0.5 %) → AL-2 (0.7 %): 1.2 % > 1 %")));
        // AL-1 fed from AL-2 closes a loop: both rows lose their figures, the cell is marked.
        modelo().setData(modelo().index(0, Col(Columna::AlimentadoDesde)), QStringLiteral("al-2"),
                         Qt::EditRole);
        QCOMPARE(Resultado(0, "calibre_elegido"), QString());
        QVERIFY(Resultado(1, "observaciones")
                    .startsWith(QStringLiteral("Los alimentadores se alimentan en ciclo")));
        QVERIFY(modelo()
                    .data(modelo().index(0, Col(Columna::AlimentadoDesde)), Qt::BackgroundRole)
                    .isValid());
        modelo().pila().undo();
        QCOMPARE(Resultado(0, "calibre_elegido"), QStringLiteral("300"));
        modelo().pila().setClean();
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

    // The date shows its four-digit year where the locale's short format has two; a list
    // editor is as wide as its longest choice.
    void the_date_has_four_digits_and_lists_show_their_choices() {
        QLocale::setDefault(QLocale(QStringLiteral("es_MX")));
        VentanaAlimentadores v(QStringLiteral(CARPETA_TABLAS));
        QLocale::setDefault(QLocale(QStringLiteral("en_US")));
        auto* fecha = Control<QDateEdit>(&v, "fecha");
        QVERIFY(fecha->displayFormat().contains(QStringLiteral("yyyy")));
        QVERIFY(fecha->text().contains(QString::number(QDate::currentDate().year())));
        modelo().AgregarFila(0, modelo().FilaNueva(), QStringLiteral("Agregar fila"));
        tabla->setColumnWidth(Col(Columna::Sistema), 20);
        tabla->setCurrentIndex(modelo().index(0, Col(Columna::Sistema)));
        QTest::keyClick(tabla, Qt::Key_F2);
        auto* lista = qobject_cast<QComboBox*>(QApplication::focusWidget());
        QVERIFY(lista != nullptr);
        QVERIFY(lista->width() >=
                lista->fontMetrics().horizontalAdvance(QStringLiteral("Monofásico")));
        QTest::keyClick(lista, Qt::Key_Escape);
        modelo().pila().setClean();
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

    // The calculation record as a PDF: every circuit and the method's notes, with the
    // page count on every page.
    void the_pdf_record_holds_every_circuit_and_the_method() {
        QVERIFY(ventana->Abrir(Ejemplo));
        Control<QLineEdit>(ventana.get(), "proyecto")->setText(QStringLiteral("Torre Sur"));
        emit Control<QLineEdit>(ventana.get(), "proyecto")->editingFinished();
        const QString pdf = Ruta("memoria.pdf");
        QVERIFY(ventana->ExportarPdf(pdf));
        QProcess texto;
        texto.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QVERIFY(texto.waitForFinished());
        const QString contenido = QString::fromUtf8(texto.readAllStandardOutput());
        QVERIFY2(contenido.contains(QStringLiteral("Memoria de cálculo de alimentadores")),
                 qPrintable(contenido.left(400)));
        QVERIFY(contenido.contains(QStringLiteral("Torre Sur")));
        for (int i = 1; i <= 10; ++i) {
            QVERIFY2(contenido.contains(QStringLiteral("AL-%1 ").arg(i)),
                     qPrintable(QString::number(i)));
        }
        for (const char* nota :
             {"Tabla 9", "310.16", "310.15(B)(1)", "310.15(C)(1)", "terminales de 75 °C",
              "240.4(D)", "1/0 y mayores", "voltaje de envío", "Zef = R·cos θ + X·sen θ",
              "Norma: NEC 2023", "125 %"}) {
            QVERIFY2(contenido.contains(QString::fromUtf8(nota)), nota);
        }
        QVERIFY(contenido.contains(QStringLiteral("Página 1 de ")));
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

    // Every control is announced by a Spanish name, and the whole window works from the
    // keyboard: the menus by their Alt letters, the table by Tab, F2, Enter and Escape.
    void controls_have_spanish_names_and_keys() {
        QCOMPARE(ventana->accessibleName(), QStringLiteral("Alimentadores"));
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

    void the_paper_follows_the_locale() {
        QCOMPARE(memoria::TamanoDePagina(QLocale(QStringLiteral("es_MX"))).id(), QPageSize::Letter);
        QCOMPARE(memoria::TamanoDePagina(QLocale(QStringLiteral("en_US"))).id(), QPageSize::Letter);
        QCOMPARE(memoria::TamanoDePagina(QLocale(QStringLiteral("es_ES"))).id(), QPageSize::A4);
    }

    // The window's workbook is the command's for the same schedule, read back cell by cell
    // with openpyxl: the example's ten feeders with their results, and nothing else written
    // beside it.
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
    }
};

QTEST_MAIN(ScheduleWindowTest)
#include "schedule_window_test.moc"
