#include "information_window/form2.h"
#include "information_window/form2_layout.h"
#include "main_window/form1.h"
#include "tests/support/window_test_support.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

using prueba::Control;

class Form2Test : public QObject {
    Q_OBJECT

private slots:
    void shows_the_courtesy_note_and_the_contact_line() {
        Form2 caja;
        QCOMPARE(caja.windowTitle(), QStringLiteral("Información"));
        QCOMPARE(Control<QLabel>(&caja, "Label1")->text(),
                 QStringLiteral("Este Software es gratuito , como cortesia por su interés "
                                "mostrado en los \"Voltimar\". cualquier duda o sugerencia "
                                "aboquese con el autor de estos programas. "));
        const QString contacto = Control<QLabel>(&caja, "Label2")->text();
        QCOMPARE(contacto.size(), 66);
        QVERIFY(contacto.contains(QStringLiteral("555-01")));
        for (const auto& [etiqueta, puntos] : {std::pair{"Label1", 8.25}, {"Label2", 12.0}}) {
            const QFont letra = Control(&caja, etiqueta)->font();
            QCOMPARE(letra.pointSizeF(), puntos);
            QVERIFY(letra.bold());
            QVERIFY(!letra.italic());
        }
        QCOMPARE(Control(&caja, "Label1")->geometry(), QRect(48, 24, 273, 65));
        QCOMPARE(Control(&caja, "Command1")->geometry(), QRect(144, 192, 81, 25));
        QCOMPARE(caja.size(), QSize(364, 228));
        QVERIFY(!(caja.windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(caja.windowFlags() & Qt::WindowMaximizeButtonHint));
    }

    // Every control of the box stands where its layout table puts it.
    void every_control_stands_at_its_layout_position() {
        Form2 caja;
        const QList<QWidget*> controles = caja.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        QCOMPARE(controles.size(), qsizetype(form2_layout::Posiciones.size()));
        for (QWidget* control : controles) {
            QCOMPARE(control->geometry(), form2_layout::EnPixeles(control->objectName()));
            QVERIFY2(!control->geometry().isEmpty(), qPrintable(control->objectName()));
        }
    }

    // State: the box open.  Action: Escape, then Enter on the focused "Aceptar".
    // Expected: Escape leaves it open; "Aceptar" closes it.
    void aceptar_closes_it_and_escape_does_not() {
        Form2 caja;
        caja.show();
        QVERIFY(QTest::qWaitForWindowActive(&caja));
        QCOMPARE(QApplication::focusWidget(), Control(&caja, "Command1"));
        QTest::keyClick(&caja, Qt::Key_Escape);
        QVERIFY(caja.isVisible());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QVERIFY(!caja.isVisible());
    }

    void resizing_moves_nothing_inside() {
        Form2 caja;
        caja.show();
        const QRect antes = Control(&caja, "Command1")->geometry();
        caja.resize(600, 500);
        QCOMPARE(Control(&caja, "Command1")->geometry(), antes);
    }

    // State: the main window.  Action: "&Información" twice, closing with "Aceptar" and with
    // the close box.  Expected: a modal box, built afresh and centred each time.
    void informacion_opens_a_fresh_modal_box_each_time() {
        Form1 ventana(QStringLiteral(CARPETA_TABLAS));
        ventana.show();
        QAction* Informacion = ventana.findChild<QAction*>(QStringLiteral("Informacion"));
        QList<QDialog*> abiertas;
        for (int vez = 0; vez < 2; ++vez) {
            prueba::Avisos cajas([&abiertas, &ventana, vez](QDialog* caja) {
                abiertas << caja;
                QCOMPARE(caja->objectName(), QStringLiteral("Form2"));
                QVERIFY(caja->isModal());
                QVERIFY(!ventana.isActiveWindow());
                const QPoint centro = caja->screen()->availableGeometry().center();
                QVERIFY((caja->geometry().center() - centro).manhattanLength() <= 2);
                if (vez == 0) {
                    QTest::mouseClick(Control(caja, "Command1"), Qt::LeftButton);
                } else {
                    caja->close();
                }
            });
            Informacion->trigger();
            QCOMPARE(QApplication::activeModalWidget(), nullptr);
        }
        QCOMPARE(abiertas.size(), 2);
        QVERIFY(ventana.findChildren<Form2*>().isEmpty());
    }

    // Alt+I runs "&Información" at once, without opening a menu.
    void alt_i_opens_the_box() {
        Form1 ventana(QStringLiteral(CARPETA_TABLAS));
        ventana.show();
        QVERIFY(QTest::qWaitForWindowActive(&ventana));
        prueba::Avisos cajas;
        QTest::keyClick(&ventana, Qt::Key_I, Qt::AltModifier);
        QTRY_COMPARE(cajas.otras, 1);
    }
};

QTEST_MAIN(Form2Test)
#include "form2_test.moc"
