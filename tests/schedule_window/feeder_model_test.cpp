#include "tests/schedule_window/schedule_window_fixture.h"

#include <QLabel>
#include <QLineEdit>

using prueba::Control;
using prueba::Ejemplo;
using schedule::Columna;

class FeederModelTest : public QObject, protected prueba::AlimentadoresDePrueba {
    Q_OBJECT

private slots:
    void init() { Preparar(); }
    void cleanup() { Terminar(); }

    // State: a new schedule.  Action: Insert, then type the feeder's numbers into its
    // cells.  Expected: the results of the hand-checked feeder AL-2 (copper THW in PVC,
    // 95 A over 42 m at 480 V, pf 0.9): continuous, as the empty cell shows, 118.75 A needs
    // size 1 and a 125 A device, 3.516 V; typed 0 % continuous, size 3 carries 95 A with
    // a 100 A device, 5.566 V.
    // The source typed into its group gives the rows their fault currents, in the locale's
    // mark: the booklet's 300 kVA, 2 %Z, 208 V transformer with the tolerance is 46.26 kA at
    // the service; 20 ft (6.096 m) of two sets of 500 kcmil copper in steel end at 39.42 kA.
    // An entry that gives the source in both forms is refused and told.
    void the_source_of_the_fault_current() {
        modelo().AgregarFila(0, modelo().FilaNueva(), QStringLiteral("Agregar fila"));
        const auto poner = [&](Columna c, const char* texto) {
            modelo().setData(modelo().index(0, Col(c)), QString::fromUtf8(texto), Qt::EditRole);
        };
        poner(Columna::Corriente, "400");
        poner(Columna::Voltaje, "208");
        poner(Columna::Ducto, "Acero");
        poner(Columna::Longitud, "6.096");
        poner(Columna::Paralelo, "2");
        poner(Columna::Calibre, "500");
        QCOMPARE(Resultado(0, "icc_inicio_ka"), QString());
        const auto escribir = [&](const char* clave, const QString& texto) {
            auto* campo = Control<QLineEdit>(ventana.get(), clave);
            campo->setFocus();
            campo->selectAll();
            QTest::keyClicks(campo, texto);
            QTest::keyClick(campo, Qt::Key_Tab);
        };
        escribir("kva_fuente", QStringLiteral("300"));
        auto* estado = Control<QLabel>(ventana.get(), "estado_fuente");
        QVERIFY(estado->text().startsWith(QStringLiteral("La fuente de cortocircuito: falta")));
        QVERIFY(estado->text().contains(QStringLiteral("«z_fuente»")));
        escribir("z_fuente", QStringLiteral("2"));
        escribir("fases_fuente", QStringLiteral("3"));
        escribir("voltaje_fuente", QStringLiteral("208"));
        QCOMPARE(estado->text(), QStringLiteral("En la acometida: 46.26 kA"));
        QCOMPARE(Resultado(0, "icc_inicio_ka"), QStringLiteral("46.26"));
        QCOMPARE(Resultado(0, "icc_final_ka"), QStringLiteral("39.42"));
        QCOMPARE(Resultado(0, "capacidad_interruptiva_elegida"), QStringLiteral("50"));
        {
            prueba::Avisos avisos;
            escribir("icc_acometida_ka", QStringLiteral("25"));
            QTRY_COMPARE(avisos.textos.size(), 1);
            QVERIFY(avisos.textos.front().contains(QStringLiteral("dé sólo una de las dos")));
        }
        QCOMPARE(modelo().cuadro().proyecto.iccAcometidaKa, std::string());
        QCOMPARE(Control<QLineEdit>(ventana.get(), "icc_acometida_ka")->text(), QString());
        modelo().pila().undo();
        QCOMPARE(modelo().cuadro().proyecto.voltajeFuente, std::string());
        QCOMPARE(Resultado(0, "icc_inicio_ka"), QString());
    }

    // State: the booklet's source above (46,263.40 A at the service) and its feeder.  Action:
    // a motor row of 10 hp at 208 V typed below it, then its rating changed to 15 hp.
    // Expected: Table 430.250's 30.8 A add 4 × 30.8 = 123.2 A at the service, 46.39 kA, in
    // the status and the feeder's figures; 15 hp, 46.2 A, add 184.8 A: 46.45 kA. The motor row
    // gets its overload-free outputs: the disconnect at 115 % = 35.42 A.
    void motor_rows_add_to_the_service() {
        modelo().AgregarFila(0, modelo().FilaNueva(), QStringLiteral("Agregar fila"));
        const auto poner = [&](int fila, Columna c, const char* texto) {
            modelo().setData(modelo().index(fila, Col(c)), QString::fromUtf8(texto), Qt::EditRole);
        };
        poner(0, Columna::Corriente, "400");
        poner(0, Columna::Voltaje, "208");
        poner(0, Columna::Ducto, "Acero");
        poner(0, Columna::Longitud, "6.096");
        poner(0, Columna::Paralelo, "2");
        poner(0, Columna::Calibre, "500");
        for (const auto& [clave, texto] : {std::pair{"kva_fuente", "300"},
                                           {"z_fuente", "2"},
                                           {"fases_fuente", "3"},
                                           {"voltaje_fuente", "208"}}) {
            auto* campo = Control<QLineEdit>(ventana.get(), clave);
            campo->setFocus();
            campo->selectAll();
            QTest::keyClicks(campo, QString::fromUtf8(texto));
            QTest::keyClick(campo, Qt::Key_Tab);
        }
        auto* estado = Control<QLabel>(ventana.get(), "estado_fuente");
        QCOMPARE(estado->text(), QStringLiteral("En la acometida: 46.26 kA"));
        modelo().AgregarFila(1, modelo().FilaNueva(), QStringLiteral("Agregar fila"));
        poner(1, Columna::Corriente, "");
        poner(1, Columna::Voltaje, "208");
        poner(1, Columna::Longitud, "10");
        poner(1, Columna::MotorHp, "10");
        QCOMPARE(Resultado(1, "corriente_calc"), QStringLiteral("30.8"));
        QCOMPARE(Resultado(1, "desconectador_min"), QStringLiteral("35.42"));
        QCOMPARE(estado->text(), QStringLiteral("En la acometida: 46.39 kA, con 30.8 A de plena "
                                                "carga de las filas de motores"));
        QCOMPARE(Resultado(0, "icc_inicio_ka"), QStringLiteral("46.39"));
        poner(1, Columna::MotorHp, "15");
        QCOMPARE(estado->text(), QStringLiteral("En la acometida: 46.45 kA, con 46.2 A de plena "
                                                "carga de las filas de motores"));
    }

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
                 (QStringList{"6",
                              "1",
                              "1",
                              "42.4",
                              "ampacidad",
                              "3.516",
                              "0.73",
                              "476.48",
                              "130",
                              "Por ampacidad rige la carga continua al 125 % (NEC 2023 "
                              "215.2(A)(1)): 118.75 A en la columna de 75 °C.",
                              "95",
                              "125",
                              "1",
                              "6",
                              "1",
                              "PVC-40 2 (53)",
                              "25.3",
                              "0.73",
                              "3-1 + 1-1 N + 1-6 T, PVC-40 2 (53)",
                              "",
                              "",
                              "",
                              "",
                              ""}));
        Escribir(0, Col(Columna::Continua), QStringLiteral("0"));
        QCOMPARE(Resultados(0).mid(0, 12), (QStringList{"6", "3", "3", "26.7", "ampacidad", "5.566",
                                                        "1.16", "474.43", "100", "", "95", "100"}));
        QVERIFY(ventana->modificado());
        QVERIFY(ventana->windowTitle().startsWith(QStringLiteral("Alimentadores — Sin título")));
        QVERIFY(ventana->isWindowModified());
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
        // The note gives the digits of the cells it adds up.
        QCOMPARE(Resultado(1, "regulacion_total"), QStringLiteral("1.23"));
        QVERIFY(Resultado(1, "observaciones")
                    .contains(QStringLiteral("AL-1 (") + Resultado(0, "regulacion") +
                              QStringLiteral(" %) → AL-2 (") + Resultado(1, "regulacion") +
                              QStringLiteral(" %): 1.23 % > 1 %")));
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
};

QTEST_MAIN(FeederModelTest)
#include "feeder_model_test.moc"
