#include "tests/schedule_window/schedule_window_fixture.h"

using prueba::Control;
using prueba::Ejemplo;
using schedule::Columna;

class FeederDelegateTest : public QObject, protected prueba::AlimentadoresDePrueba {
    Q_OBJECT

private slots:
    void init() { Preparar(); }
    void cleanup() { Terminar(); }

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
};

QTEST_MAIN(FeederDelegateTest)
#include "feeder_delegate_test.moc"
