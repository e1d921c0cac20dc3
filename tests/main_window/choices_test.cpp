#include "main_window/form1.h"
#include "tests/support/window_test_support.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

using prueba::Control;
using prueba::Lineas;

class ChoicesTest : public QObject, prueba::VentanaAbierta {
    Q_OBJECT

private:
    bool visible(const char* nombre) { return Control(form.get(), nombre)->isVisible(); }

    // One change of each of the five choice controls, as the user makes it.
    void cambiarCadaEleccion() {
        clicEn("Option1_1");
        clicEn("Option3_1");
        Control<QListWidget>(form.get(), "List1")->setCurrentRow(2);
        Control<QComboBox>(form.get(), "Combo1")->setCurrentIndex(13);
    }

private slots:
    void init() { abrir(); }
    void cleanup() { cerrar(); }

    // State: no result asked for.  Action: change every choice.  Expected: nothing
    // computed; the mode only swaps the panels.
    void before_resultado_choices_compute_nothing() {
        prueba::VaciadosDelReporte calculos(List2);
        cambiarCadaEleccion();
        clicEn("Option2_1");
        QCOMPARE(calculos.veces(), 0);
        QVERIFY(visible("Frame5"));
        QVERIFY(!visible("Frame6"));
    }

    // State: a result asked for.  Action: change each choice.  Expected: one calculation
    // per change, and the report always that of the window's inputs.
    void after_resultado_each_change_recalculates_once() {
        clicEn("Command1");
        prueba::VaciadosDelReporte calculos(List2);
        cambiarCadaEleccion();
        QCOMPARE(calculos.veces(), 4);
        QCOMPARE(Lineas(List2), prueba::LineasDelMotor(*form));
        QVERIFY(List2->item(2)->text().endsWith(QStringLiteral(" Ohmios")));
    }

    // The mode recomputes first, in the new mode, and then swaps the panels.
    void the_mode_recomputes_then_swaps_the_panels() {
        clicEn("Command1");
        QVector<bool> frame6AlCalcular;
        QObject contexto; // ends the connection with this test
        connect(List2->model(), &QAbstractItemModel::modelReset, &contexto,
                [&] { frame6AlCalcular << visible("Frame6"); });
        clicEn("Option2_1");
        QCOMPARE(List2->count(), prueba::LineasDistancia);
        QVERIFY(List2->item(6)->text().startsWith(QStringLiteral("     Distancia= ")));
        QVERIFY(visible("Frame5"));
        QVERIFY(!visible("Frame6"));
        clicEn("Option2_0");
        QCOMPARE(List2->count(), prueba::LineasCaida);
        QVERIFY(visible("Frame6"));
        QCOMPARE(frame6AlCalcular, (QVector<bool>{true, false}));
    }

    void a_value_in_the_hidden_panel_stays() {
        clicEn("Option2_1");
        auto* Text6 = Control<QLineEdit>(form.get(), "Text6");
        Text6->setText(QStringLiteral("12"));
        clicEn("Option2_0");
        QVERIFY(!Text6->isVisible());
        clicEn("Option2_1");
        QCOMPARE(Text6->text(), QStringLiteral("12"));
        QVERIFY(Text6->isVisible());
    }

    void a_refused_choice_brings_the_refusal_at_once() {
        clicEn("Command1");
        prueba::Avisos avisos;
        Control<QComboBox>(form.get(), "Combo1")->setCurrentIndex(0);
        QCOMPARE(List2->count(), prueba::LineasCaida); // copper 14 has its row
        clicEn("Option3_1");
        QCOMPARE(avisos.textos.size(), 1);
        QCOMPARE(List2->count(), 0);
        Control<QComboBox>(form.get(), "Combo1")->setCurrentIndex(1);
        QCOMPARE(List2->count(), prueba::LineasCaida);
        Control<QComboBox>(form.get(), "Combo1")->setCurrentIndex(0);
        QCOMPARE(avisos.textos.size(), 2);
        QCOMPARE(avisos.textos.value(1),
                 QStringLiteral(" Para el Aluminio debe escojer Calibre mayor del # 14"));
    }

    // State: "Acero" chosen.  Action: Ctrl+Space and Ctrl+click on the chosen line.
    // Expected: one line stays highlighted, the one the calculation uses.
    void the_conduit_list_always_shows_its_choice() {
        auto* List1 = Control<QListWidget>(form.get(), "List1");
        List1->setFocus(Qt::TabFocusReason);
        List1->setCurrentRow(2);
        clicEn("Command1");
        const auto unaElegida = [&] {
            const QList<QListWidgetItem*> elegidas = List1->selectedItems();
            return elegidas.size() == 1 && List1->row(elegidas[0]) == List1->currentRow() &&
                   form->Entrada().indiceDucto == List1->currentRow();
        };
        QVERIFY(unaElegida());
        List1->setFocus(Qt::TabFocusReason);
        QTest::keyClick(List1, Qt::Key_Space, Qt::ControlModifier);
        QVERIFY(unaElegida());
        const QPoint acero = List1->visualItemRect(List1->item(2)).center();
        QTest::mouseClick(List1->viewport(), Qt::LeftButton, Qt::ControlModifier, acero);
        QVERIFY(unaElegida());
        QCOMPARE(List1->currentRow(), 2);
        const QPoint pvc = List1->visualItemRect(List1->item(0)).center();
        QTest::mouseClick(List1->viewport(), Qt::LeftButton, Qt::ControlModifier, pvc);
        QVERIFY(unaElegida());
        QCOMPARE(List1->currentRow(), 0);
        QCOMPARE(Lineas(List2), prueba::LineasDelMotor(*form));
    }

    // Clicking a choice while in a field: the field is left first (a calculation), then
    // the choice's handler runs (a second one); the report matches every input.
    void clicking_a_choice_from_a_field_computes_twice() {
        clicEn("Command1");
        auto* Text2 = Control<QLineEdit>(form.get(), "Text2");
        Text2->setFocus(Qt::MouseFocusReason);
        Text2->setText(QStringLiteral("45"));
        prueba::VaciadosDelReporte calculos(List2);
        clicEn("Option1_1");
        QCOMPARE(calculos.veces(), 2);
        QCOMPARE(form->Entrada().Text2, std::string("45"));
        QCOMPARE(form->Entrada().sistema, engine::Sistema::Monofasico);
        QVERIFY(List2->item(2)->text().endsWith(QStringLiteral(" Ohmios")));
    }
};

QTEST_MAIN(ChoicesTest)
#include "choices_test.moc"
