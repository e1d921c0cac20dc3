#include "main_window/field_rules.h"
#include "main_window/form1.h"
#include "tests/support/window_test_support.h"

#include "engine/numeric_text.h"

#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QRadioButton>
#include <QtTest>

using prueba::Control;
using prueba::Lineas;

class NumericFieldsTest : public QObject, prueba::VentanaAbierta {
    Q_OBJECT

private:
    QLineEdit* campo(const char* nombre) { return Control<QLineEdit>(form.get(), nombre); }

    // Puts the caret at the end of the field, as a click would put it somewhere.
    QLineEdit* enfocar(const char* nombre) {
        QLineEdit* c = campo(nombre);
        c->setFocus(Qt::MouseFocusReason);
        c->end(false);
        return c;
    }

private slots:
    void init() { abrir(); }
    void cleanup() { cerrar(); }

    void validar_tecla_lets_digits_point_and_backspace_through() {
        for (int codigo = -1; codigo <= 256; ++codigo) {
            const bool pasa = (codigo >= '0' && codigo <= '9') || codigo == '.' || codigo == 8;
            QCOMPARE(ValidarTecla(std::int16_t(codigo)), pasa ? std::int16_t(codigo) : 0);
        }
    }

    void typed_keys_are_filtered_data() {
        QTest::addColumn<int>("tecla");
        QTest::addColumn<int>("modificadores");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("resultado");
        const int nada = Qt::NoModifier;
        QTest::newRow("a") << int(Qt::Key_A) << nada << "a"
                           << "30";
        QTest::newRow("E") << int(Qt::Key_E) << int(Qt::ShiftModifier) << "E"
                           << "30";
        QTest::newRow("minus") << int(Qt::Key_Minus) << nada << "-"
                               << "30";
        QTest::newRow("plus") << int(Qt::Key_Plus) << nada << "+"
                              << "30";
        QTest::newRow("comma") << int(Qt::Key_Comma) << nada << ","
                               << "30";
        QTest::newRow("blank") << int(Qt::Key_Space) << nada << " "
                               << "30";
        QTest::newRow("ñ") << int(Qt::Key_Ntilde) << nada << "ñ"
                           << "30";
        QTest::newRow("euro") << int(Qt::Key_unknown) << nada << "€"
                              << "30";
        QTest::newRow("Enter") << int(Qt::Key_Return) << nada << "\r"
                               << "30";
        QTest::newRow("Escape") << int(Qt::Key_Escape) << nada << "\x1b"
                                << "30";
        QTest::newRow("7") << int(Qt::Key_7) << nada << "7"
                           << "307";
        QTest::newRow("point") << int(Qt::Key_Period) << nada << "."
                               << "30.";
        QTest::newRow("backspace") << int(Qt::Key_Backspace) << nada << "\b"
                                   << "3";
    }
    void typed_keys_are_filtered() {
        QFETCH(int, tecla);
        QFETCH(int, modificadores);
        QFETCH(QString, texto);
        QFETCH(QString, resultado);
        QLineEdit* Text2 = enfocar("Text2");
        QKeyEvent pulsada(QEvent::KeyPress, tecla, Qt::KeyboardModifiers(modificadores), texto);
        QApplication::sendEvent(Text2, &pulsada);
        QCOMPARE(Text2->text(), resultado);
    }

    // Ctrl+C, Ctrl+V and Ctrl+X type the control codes 3, 22 and 24: discarded like any
    // other, so the clipboard shortcuts do nothing in these fields.
    void clipboard_shortcuts_do_nothing() {
        QApplication::clipboard()->setText(QStringLiteral("99"));
        QLineEdit* Text3 = enfocar("Text3");
        Text3->selectAll();
        QTest::keyClick(Text3, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(Text3->text(), QStringLiteral("240"));
        QTest::keyClick(Text3, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(Text3->text(), QStringLiteral("240"));
        QTest::keyClick(Text3, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("99"));
        // Keys that type no character keep their effect.
        QTest::keyClick(Text3, Qt::Key_Home);
        QTest::keyClick(Text3, Qt::Key_Delete);
        QCOMPARE(Text3->text(), QStringLiteral("40"));
    }

    // Every Ctrl+letter types a control code and is discarded: select-all and undo do not
    // act. Shift+Insert pastes, and the pasted text is cleaned when the field is left.
    void ctrl_letters_are_discarded_and_shift_insert_pastes() {
        QLineEdit* Text2 = enfocar("Text2");
        QTest::keyClick(Text2, Qt::Key_5);
        QTest::keyClick(Text2, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Text2->text(), QStringLiteral("305"));
        QTest::keyClick(Text2, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(Text2, Qt::Key_7);
        QCOMPARE(Text2->text(), QStringLiteral("3057"));
        for (int letra = Qt::Key_A; letra <= Qt::Key_Z; ++letra) {
            QTest::keyClick(Text2, Qt::Key(letra), Qt::ControlModifier);
        }
        QCOMPARE(Text2->text(), QStringLiteral("3057"));

        QApplication::clipboard()->setText(QStringLiteral("-1 2abc"));
        QTest::keyClick(Text2, Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(Text2->text(), QStringLiteral("3057-1 2abc"));
        QTest::keyClick(Text2, Qt::Key_Tab);
        QCOMPARE(Text2->text(), QStringLiteral("3057"));
    }

    // State: a text no key could type.  Action: a real drag and drop of it onto a field.
    // Expected: the drag is refused and the field keeps its text.
    void dropped_text_is_refused() {
        QLineEdit* Text3 = campo("Text3");
        QMimeData datos;
        datos.setText(QStringLiteral("-240"));
        const QPointF punto = QRectF(Text3->rect()).center();
        QDragEnterEvent entra(punto.toPoint(), Qt::CopyAction | Qt::MoveAction, &datos,
                              Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Text3, &entra);
        QVERIFY(!entra.isAccepted());
        QDropEvent suelta(punto, Qt::CopyAction | Qt::MoveAction, &datos, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(Text3, &suelta);
        QVERIFY(!suelta.isAccepted());
        QCOMPARE(Text3->text(), QStringLiteral("240"));
        QCOMPARE(form->Entrada().Text3, std::string("240"));
    }

    // State: distance mode, "52." typed into Text6 and the caret still there.
    // Action: "&Nuevo" hides the panel under the focus.  Expected: Text6 untouched.
    void nuevo_hiding_the_focused_field_does_not_rewrite_it_data() {
        QTest::addColumn<QString>("escrito");
        QTest::newRow("52.") << "52.";
        QTest::newRow("empty") << "";
    }
    void nuevo_hiding_the_focused_field_does_not_rewrite_it() {
        QFETCH(QString, escrito);
        clicEn("Option2_1");
        QLineEdit* Text6 = enfocar("Text6");
        Text6->clear();
        QTest::keyClicks(Text6, escrito);
        QCOMPARE(QApplication::focusWidget(), Text6);
        prueba::VaciadosDelReporte calculos(List2);
        form->findChild<QAction*>(QStringLiteral("Nuevo"))->trigger();
        QVERIFY(!Text6->isVisible());
        QCOMPARE(Text6->text(), escrito);
        QCOMPARE(calculos.veces(), 1); // "&Nuevo" empties the report, nothing computes
        QVERIFY(List2->count() == 0);
    }

    // A typed value at the very top of the double range is rewritten rounded down, so the
    // field and the calculation agree on a huge value, and the overflow is told.
    void the_top_of_the_range_is_rewritten_to_a_readable_value() {
        QLineEdit* Text2 = enfocar("Text2");
        Text2->setText(QStringLiteral("179769313486231570000000000000000000000000000000000000000000"
                                      "000000000000000000000000000000000000000000000000000000000000"
                                      "000000000000000000000000000000000000000000000000000000000000"
                                      "000000000000000000000000000000000000000000000000000000000000"
                                      "000000000000000000000000000000000000000000000000000000000000"
                                      "000000000"));
        QTest::keyClick(Text2, Qt::Key_Tab);
        QCOMPARE(Text2->text(), QStringLiteral("1.79769313486231E+308"));
        QCOMPARE(engine::ValorNumerico(form->Entrada().Text2), 1.79769313486231e308);
        prueba::Avisos avisos;
        clicEn("Command1");
        QCOMPARE(avisos.textos,
                 QStringList{"Los valores dados son demasiado grandes para calcular."});
        QCOMPARE(List2->count(), 1);
        Text2->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(Text2, Qt::Key_Tab);
        QCOMPARE(Text2->text(), QStringLiteral("1.79769313486231E+308"));
    }

    // Leaving a field for its menu, the menu bar or another application is not leaving
    // it: no rewrite and no calculation.
    void leaving_for_a_menu_or_another_window_keeps_the_field() {
        clicEn("Command1");
        QLineEdit* Text2 = enfocar("Text2");
        Text2->setText(QStringLiteral("7abc"));
        prueba::VaciadosDelReporte calculos(List2);

        QTimer::singleShot(50, [] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                menu->close();
            }
        });
        QContextMenuEvent contexto(QContextMenuEvent::Keyboard, QPoint(5, 5),
                                   Text2->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(Text2, &contexto);
        QCOMPARE(Text2->text(), QStringLiteral("7abc"));

        QMenu* archivo = form->findChild<QMenu*>(QStringLiteral("archivo"));
        form->menuBar()->setActiveAction(archivo->menuAction());
        QTRY_VERIFY(archivo->isVisible());
        archivo->close();
        QCOMPARE(Text2->text(), QStringLiteral("7abc"));

        QWidget otra;
        otra.show();
        otra.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&otra));
        otra.close();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QCOMPARE(Text2->text(), QStringLiteral("7abc"));
        QCOMPARE(calculos.veces(), 0);
    }

    void composed_text_obeys_the_filter() {
        QLineEdit* Text5 = enfocar("Text5");
        QInputMethodEvent compuesto;
        compuesto.setCommitString(QStringLiteral("1a-2,é.5"));
        QApplication::sendEvent(Text5, &compuesto);
        QCOMPARE(Text5->text(), QStringLiteral("0.8512.5"));
    }

    void leaving_rewrites_the_field_data() {
        QTest::addColumn<QString>("escrito");
        QTest::addColumn<QString>("reescrito");
        // The full table of rewrites is the engine's; here, that the window applies it.
        const char* casos[][2] = {
            {"", "0"},       {".85", "0.85"},  {"1.2.3", "1.2"},
            {"-30", "30"},   {" 12 5", "125"}, {"12345678901234567", "1.23456789012346E+16"},
            {"letras", "0"}, {"1.5", "1.5"},
        };
        for (const auto& c : casos) {
            QTest::newRow(c[0]) << QString::fromUtf8(c[0]) << QString::fromUtf8(c[1]);
        }
        QTest::newRow("400 digits") << QString(400, QChar('9')) << "0";
    }
    // Text that reaches a field without typing (a paste from its menu) is cleaned on leaving.
    void leaving_rewrites_the_field() {
        QFETCH(QString, escrito);
        QFETCH(QString, reescrito);
        QLineEdit* Text3 = enfocar("Text3");
        Text3->setText(escrito);
        QTest::keyClick(Text3, Qt::Key_Tab);
        QCOMPARE(Text3->text(), reescrito);
        QCOMPARE(campo("Text2")->text(), QStringLiteral("30")); // no other field rewritten
    }

    // State: no result asked for.  Action: leave fields.  Expected: texts rewritten, no
    // report.  After "&Resultado", leaving an unchanged field recalculates once.
    void leaving_recalculates_only_after_resultado() {
        prueba::VaciadosDelReporte calculos(List2);
        QLineEdit* Text2 = enfocar("Text2");
        QTest::keyClicks(Text2, "5");
        QTest::keyClick(Text2, Qt::Key_Tab);
        QCOMPARE(List2->count(), 0);
        QCOMPARE(calculos.veces(), 0);

        QTest::keyClick(form.get(), Qt::Key_R, Qt::AltModifier);
        QTRY_COMPARE(List2->count(), prueba::LineasCaida);
        enfocar("Text3");
        calculos.olvidar();
        QTest::keyClick(campo("Text3"), Qt::Key_Tab);
        QCOMPARE(calculos.veces(), 1);

        form->findChild<QAction*>(QStringLiteral("Nuevo"))->trigger();
        calculos.olvidar();
        QTest::keyClick(enfocar("Text5"), Qt::Key_Tab);
        QCOMPARE(calculos.veces(), 0);
    }

    // The field is left by a click on "&Resultado": its rewrite and recalculation come
    // first, then the button's; the report shows the rewritten value.
    void leaving_by_clicking_resultado_computes_twice() {
        QTest::mouseClick(Control(form.get(), "Command1"), Qt::LeftButton);
        QLineEdit* Text2 = enfocar("Text2");
        Text2->setText(QStringLiteral("60A"));
        prueba::VaciadosDelReporte calculos(List2);
        QTest::mouseClick(Control(form.get(), "Command1"), Qt::LeftButton);
        QCOMPARE(Text2->text(), QStringLiteral("60"));
        QCOMPARE(calculos.veces(), 2);
        QCOMPARE(Lineas(List2), prueba::LineasDelMotor(*form));
    }

    // Alt+R gives "&Resultado" the focus: the field is left, and rewritten, before the
    // button computes.
    void alt_r_leaves_the_field_first() {
        QLineEdit* Text2 = enfocar("Text2");
        Text2->setText(QStringLiteral("7abc"));
        QTest::keyClick(Text2, Qt::Key_R, Qt::AltModifier);
        QCOMPARE(Text2->text(), QStringLiteral("7"));
        QTRY_COMPARE(List2->count(), prueba::LineasCaida);
        QCOMPARE(form->Entrada().Text2, std::string("7"));
    }

    // A refused choice with a result asked for: leaving a field shows the refusal once,
    // and the box taking the focus does not count as leaving the field again.
    void a_refusal_on_leaving_shows_one_message() {
        QTest::mouseClick(Control(form.get(), "Option3_1"), Qt::LeftButton);
        Control<QComboBox>(form.get(), "Combo1")->setCurrentIndex(0);
        prueba::Avisos avisos;
        QTest::mouseClick(Control(form.get(), "Command1"), Qt::LeftButton);
        QCOMPARE(avisos.textos.size(), 1);

        avisos.textos.clear();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QLineEdit* Text2 = enfocar("Text2");
        QCOMPARE(QApplication::focusWidget(), Text2);
        QTest::keyClick(Text2, Qt::Key_Tab);
        QTest::qWait(100);
        QCOMPARE(avisos.textos.size(), 1);
        QCOMPARE(List2->count(), 0);
    }
};

QTEST_MAIN(NumericFieldsTest)
#include "numeric_fields_test.moc"
