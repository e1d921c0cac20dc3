#include "information_window/form2.h"
#include "tests/support/window_test_support.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QtTest>

namespace {

QString SinAcelerador(QString texto) {
    return texto.remove(QLatin1Char('&'));
}

// Every caption of `ventana` fits its box with the font it is drawn in.
void ComprobarQueTodoCabe(QWidget* ventana) {
    for (const QLabel* l : ventana->findChildren<QLabel*>()) {
        const QRect caja = QFontMetrics(l->font()).boundingRect(
            QRect(0, 0, l->width(), 10000), int(l->alignment()) | Qt::TextWordWrap, l->text());
        QVERIFY2(caja.width() <= l->width() && caja.height() <= l->height(),
                 qPrintable(l->objectName() + QStringLiteral(": %1x%2 in %3x%4")
                                                  .arg(caja.width())
                                                  .arg(caja.height())
                                                  .arg(l->width())
                                                  .arg(l->height())));
    }
    for (const QRadioButton* b : ventana->findChildren<QRadioButton*>()) {
        QStyleOptionButton opcion;
        opcion.initFrom(b);
        opcion.text = b->text();
        const QRect texto = b->style()->subElementRect(QStyle::SE_RadioButtonContents, &opcion, b);
        QVERIFY2(QFontMetrics(b->font()).horizontalAdvance(b->text()) <= texto.width(),
                 qPrintable(b->objectName()));
    }
    for (const QPushButton* b : ventana->findChildren<QPushButton*>()) {
        const int texto = QFontMetrics(b->font()).horizontalAdvance(SinAcelerador(b->text()));
        QVERIFY2(texto + 8 <= b->width(), qPrintable(b->objectName()));
    }
    for (const QGroupBox* g : ventana->findChildren<QGroupBox*>()) {
        const int texto = QFontMetrics(g->font()).horizontalAdvance(g->title());
        QVERIFY2(texto <= g->width(), qPrintable(g->objectName()));
    }
}

} // namespace

// Run at several QT_SCALE_FACTOR values: the windows scale as a whole, and at each scale
// every caption fits its box.
class ScalingTest : public QObject, prueba::VentanaAbierta {
    Q_OBJECT

private slots:
    void init() { abrir(); }
    void cleanup() { cerrar(); }

    void the_main_window_scales_as_a_whole() {
        const qreal escala = form->devicePixelRatioF();
        const qreal pedida = qEnvironmentVariableIsSet("QT_SCALE_FACTOR")
                                 ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble()
                                 : 1.0;
        QCOMPARE(escala, pedida);
        QCOMPARE(form->centralWidget()->size(), QSize(632, 434));
        const QPixmap imagen = form->centralWidget()->grab();
        QCOMPARE(imagen.size(), QSize(qRound(632 * escala), qRound(434 * escala)));
    }

    void every_caption_fits_in_the_main_window() {
        ComprobarQueTodoCabe(form.get());
        clicEn("Option2_1"); // the other panel's captions
        ComprobarQueTodoCabe(form.get());
    }

    void every_caption_fits_in_the_information_box() {
        Form2 caja;
        caja.show();
        ComprobarQueTodoCabe(&caja);
    }
};

QTEST_MAIN(ScalingTest)
#include "scaling_test.moc"
