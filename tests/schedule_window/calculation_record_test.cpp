#include "tests/schedule_window/schedule_window_fixture.h"

using prueba::Control;
using prueba::Ejemplo;
using schedule::Columna;

class CalculationRecordTest : public QObject, protected prueba::AlimentadoresDePrueba {
    Q_OBJECT

private slots:
    void init() { Preparar(); }
    void cleanup() { Terminar(); }

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

    void the_paper_follows_the_locale() {
        QCOMPARE(memoria::TamanoDePagina(QLocale(QStringLiteral("es_MX"))).id(), QPageSize::Letter);
        QCOMPARE(memoria::TamanoDePagina(QLocale(QStringLiteral("en_US"))).id(), QPageSize::Letter);
        QCOMPARE(memoria::TamanoDePagina(QLocale(QStringLiteral("es_ES"))).id(), QPageSize::A4);
    }
};

QTEST_MAIN(CalculationRecordTest)
#include "calculation_record_test.moc"
