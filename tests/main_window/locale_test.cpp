#include "tests/support/window_test_support.h"

#include <QInputMethodEvent>
#include <QLineEdit>
#include <QLocale>
#include <QtTest>

using prueba::Lineas;

namespace {

struct Separadores {
    QString decimal;
    QString miles;
};

// What each locale the test runs under uses.
Separadores DelSistema() {
    const QString nombre = QLocale::system().name();
    if (nombre == QLatin1String("es_ES") || nombre == QLatin1String("es_CO")) {
        return {",", "."};
    }
    if (nombre == QLatin1String("fr_FR")) {
        return {",", QStringLiteral("\u202f")};
    }
    return {".", ","}; // en_US, es_MX, C
}

// The report written with "." and ",", in the given separators.
QStringList Con(const QStringList& lineas, const Separadores& sep) {
    QStringList resultado;
    for (const QString& linea : lineas) {
        QString nueva;
        for (const QChar c : linea) {
            nueva += c == QLatin1Char('.')   ? sep.decimal
                     : c == QLatin1Char(',') ? sep.miles
                                             : QString(c);
        }
        resultado << nueva;
    }
    return resultado;
}

const QString Encabezado = QStringLiteral("                        Resultado de los Cálculos");

} // namespace

// Run under several LC_ALL values: the report follows the user's separators, while the
// fields read "." as the decimal point whatever the locale.
class LocaleTest : public QObject, prueba::VentanaAbierta {
    Q_OBJECT

private slots:
    void init() { abrir(); }
    void cleanup() { cerrar(); }

    void the_four_reports_follow_the_regional_separators() {
        const Separadores sep = DelSistema();
        qInfo("%s: decimal '%s', miles '%s'", qPrintable(QLocale::system().name()),
              qPrintable(sep.decimal), qPrintable(sep.miles));
        // Copper 8 in PVC, 100 m, 30 A, 240 V, power factor 0.85.
        clicEn("Command1");
        QCOMPARE(Lineas(List2),
                 Con({Encabezado, "", "     R= 0.256 Ohmios/fase", "     X= 0.017 Ohmios/fase",
                      "     Z= 0.227 Ohmios/fase", "     Pérdidas= 690.945 Vatios",
                      "     Caída de Voltaje = 11.770  Voltios",
                      "     Voltaje Final= 228.23 Voltios", "     Regulación de Voltaje= 4.90 %"},
                     sep));
        clicEn("Option1_1");
        QCOMPARE(List2->item(6)->text(), Con({"     Caída de Voltaje = 13.590  Voltios"}, sep)[0]);
        // The distance reports are about the permitted distance: 36.79 m single-phase,
        // 30² x 0.78 x 2 x 0.1207 kft = 169.469 W; 42.48 m three-phase, 293.529 W.
        clicEn("Option2_1");
        QCOMPARE(List2->item(5)->text(), Con({"     Pérdidas= 169.469 Vatios"}, sep)[0]);
        QCOMPARE(List2->item(6)->text(), Con({"     Distancia= 36.79 Metros"}, sep)[0]);
        clicEn("Option1_0");
        QCOMPARE(List2->item(5)->text(), Con({"     Pérdidas= 293.529 Vatios"}, sep)[0]);
        QCOMPARE(List2->item(6)->text(), Con({"     Distancia= 42.48 Metros"}, sep)[0]);
    }

    // Where the locale writes the decimal comma, "32,5" typed in Corriente is 32.5 A, not
    // 325 A (a regulation ten times too large); the "," key enters the fields' "." and
    // follows its rule. Elsewhere "," only groups thousands and is refused.
    void the_comma_key_is_the_decimal_point_where_the_locale_writes_it() {
        const bool coma = DelSistema().decimal == QLatin1String(",");
        auto* corriente = prueba::Control<QLineEdit>(form.get(), "Text2");
        corriente->setFocus(Qt::MouseFocusReason);
        corriente->selectAll();
        QTest::keyClicks(corriente, QStringLiteral("32,5"));
        QCOMPARE(corriente->text(), coma ? QStringLiteral("32.5") : QStringLiteral("325"));
        QTest::keyClicks(corriente, QStringLiteral(",1"));
        QCOMPARE(corriente->text(), coma ? QStringLiteral("32.5.1") : QStringLiteral("3251"));
        clicEn("Command1"); // leaving the field reads its number as before
        QCOMPARE(corriente->text(), coma ? QStringLiteral("32.5") : QStringLiteral("3251"));
        QInputMethodEvent composicion;
        composicion.setCommitString(QStringLiteral("7,2"));
        corriente->selectAll();
        QCoreApplication::sendEvent(corriente, &composicion);
        QCOMPARE(corriente->text(), coma ? QStringLiteral("7.2") : QStringLiteral("72"));
    }
};

QTEST_MAIN(LocaleTest)
#include "locale_test.moc"
