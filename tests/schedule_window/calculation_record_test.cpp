#include "tests/schedule_window/schedule_window_fixture.h"
#include <QRegularExpression>

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

    // The cover and the summary with the source's long labels, which wrap: no word of the
    // first page is drawn over another.
    void no_word_of_the_cover_runs_into_another() {
        QVERIFY(ventana->Abrir(Ejemplo));
        for (const auto& [clave, valor] : {std::pair{"kva_fuente", "3000"},
                                           {"z_fuente", "7.5"},
                                           {"fases_fuente", "3"},
                                           {"voltaje_fuente", "480"},
                                           {"corriente_motores", "100"}}) {
            auto* campo = Control<QLineEdit>(ventana.get(), clave);
            campo->setText(QString::fromUtf8(valor));
            emit campo->editingFinished();
        }
        const QString pdf = Ruta("portada.pdf");
        QVERIFY(ventana->ExportarPdf(pdf));
        QProcess texto;
        texto.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"),
                     QStringLiteral("-l"), QStringLiteral("1"), pdf, QStringLiteral("-")});
        QVERIFY(texto.waitForFinished());
        const QString cajas = QString::fromUtf8(texto.readAllStandardOutput());
        static const QRegularExpression palabra(QStringLiteral(
            R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)<)re"));
        std::vector<std::pair<QRectF, QString>> palabras;
        for (const auto& m : palabra.globalMatch(cajas)) {
            palabras.emplace_back(
                QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                       QPointF(m.captured(3).toDouble(), m.captured(4).toDouble())),
                m.captured(5));
        }
        QVERIFY2(cajas.contains(QStringLiteral(">(kVA):<")), qPrintable(cajas.left(400)));
        for (std::size_t i = 0; i < palabras.size(); ++i) {
            for (std::size_t j = i + 1; j < palabras.size(); ++j) {
                const QRectF comun = palabras[i].first.intersected(palabras[j].first);
                // Glyph boxes of neighbouring lines may touch by a fraction of a point.
                QVERIFY2(
                    comun.width() < 0.5 || comun.height() < 1.5,
                    qPrintable(palabras[i].second + QStringLiteral(" / ") + palabras[j].second));
            }
        }
    }

    void the_paper_follows_the_locale() {
        QCOMPARE(memoria::TamanoDePagina(QLocale(QStringLiteral("es_MX"))).id(), QPageSize::Letter);
        QCOMPARE(memoria::TamanoDePagina(QLocale(QStringLiteral("en_US"))).id(), QPageSize::Letter);
        QCOMPARE(memoria::TamanoDePagina(QLocale(QStringLiteral("es_ES"))).id(), QPageSize::A4);
    }
};

QTEST_MAIN(CalculationRecordTest)
#include "calculation_record_test.moc"
