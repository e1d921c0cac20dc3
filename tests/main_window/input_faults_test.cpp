#include "tests/support/window_test_support.h"

#include <QLineEdit>
#include <QtTest>

using prueba::Control;
using prueba::Lineas;

// Inputs that give no result: the window shows the heading and the engine's message, keeps
// working, and the next valid input gives the right report.
class InputFaultsTest : public QObject, prueba::VentanaAbierta {
    Q_OBJECT

private slots:
    void init() { abrir(); }
    void cleanup() { cerrar(); }

    void faults_show_their_message_and_the_window_recovers_data() {
        QTest::addColumn<bool>("distancia");
        QTest::addColumn<QStringList>("textos"); // Text1, Text2, Text3, Text5, Text6
        QTest::addColumn<QString>("mensaje");
        QTest::addColumn<int>("lineas");
        const QString factor = "El factor de potencia debe ser un número entre 0 y 1.";
        const QString voltaje = "El voltaje inicial debe ser mayor que cero.";
        const QString grande = "Los valores dados son demasiado grandes para calcular.";
        QTest::newRow("pf 1.5") << false << QStringList{"100", "30", "240", "1.5", "5"} << factor
                                << 1;
        QTest::newRow("pf 85 distance")
            << true << QStringList{"100", "30", "240", "85", "5"} << factor << 1;
        QTest::newRow("voltage 0")
            << false << QStringList{"100", "30", "0", "0.85", "5"} << voltaje << 1;
        QTest::newRow("current 0 drop")
            << false << QStringList{"100", "0", "240", "0.85", "5"} << "" << prueba::LineasCaida;
        QTest::newRow("current 0 distance, pf 85")
            << true << QStringList{"100", "0", "240", "85", "5"} << "" << prueba::LineasDistancia;
        QTest::newRow("400 digits")
            << false << QStringList{QString(400, '9'), "30", "240", "0.85", "5"} << ""
            << prueba::LineasCaida;
        QTest::newRow("overflow") << false << QStringList{"1E300", "1E300", "240", "0.85", "5"}
                                  << grande << 1;
        QTest::newRow("all empty") << false << QStringList{"", "", "", "", ""} << voltaje << 1;
        QTest::newRow("all empty distance")
            << true << QStringList{"", "", "", "", ""} << "" << prueba::LineasDistancia;
    }
    void faults_show_their_message_and_the_window_recovers() {
        QFETCH(bool, distancia);
        QFETCH(QStringList, textos);
        QFETCH(QString, mensaje);
        QFETCH(int, lineas);
        if (distancia) {
            clicEn("Option2_1");
        }
        const char* campos[] = {"Text1", "Text2", "Text3", "Text5", "Text6"};
        for (int i = 0; i < 5; ++i) {
            Control<QLineEdit>(form.get(), campos[i])->setText(textos[i]);
        }
        prueba::Avisos avisos;
        clicEn("Command1");
        QCOMPARE(avisos.textos, mensaje.isEmpty() ? QStringList{} : QStringList{mensaje});
        QCOMPARE(List2->count(), lineas);
        QCOMPARE(Lineas(List2), prueba::LineasDelMotor(*form));
        for (const QString& linea : Lineas(List2)) {
            QVERIFY2(!linea.contains("nan", Qt::CaseInsensitive) &&
                         !linea.contains("inf", Qt::CaseInsensitive),
                     qPrintable(linea));
        }

        // The next valid input, entered as the user would, gives the right report.
        form->findChild<QAction*>(QStringLiteral("Nuevo"))->trigger();
        clicEn("Command1");
        QCOMPARE(avisos.textos.size(), mensaje.isEmpty() ? 0 : 1);
        QCOMPARE(List2->count(), prueba::LineasCaida);
        QCOMPARE(List2->item(8)->text(), QStringLiteral("     Regulación de Voltaje= 4.90 %"));
    }
};

QTEST_MAIN(InputFaultsTest)
#include "input_faults_test.moc"
