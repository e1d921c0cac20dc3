#include "schedule_window/calculation_record.h"

#include "schedule_window/feeder_model.h"

#include <QAbstractTextDocumentLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextDocument>

#include <array>

namespace memoria {
namespace {

// The countries whose paper is Letter: the United States and most of the Americas.
constexpr std::array PaisesCarta{
    QLocale::UnitedStates, QLocale::Canada,
    QLocale::Mexico,       QLocale::Philippines,
    QLocale::Chile,        QLocale::Colombia,
    QLocale::Venezuela,    QLocale::CostaRica,
    QLocale::Guatemala,    QLocale::Panama,
    QLocale::ElSalvador,   QLocale::Honduras,
    QLocale::Nicaragua,    QLocale::DominicanRepublic,
    QLocale::PuertoRico,
};

QString Escapar(const QString& texto) {
    return texto.toHtmlEscaped();
}

// Where a column goes in the record: the inputs and the figures in the table; the remarks
// and the file's other columns, which run long, on a line of their own under each feeder;
// an input of the load's parts or its device that no row uses, nowhere.
enum class Lugar { Tabla, Nota, Fuera };

Lugar LugarDe(const ModeloAlimentadores& modelo, int columna) {
    const ModeloAlimentadores::Vista v = modelo.VistaDe(columna);
    switch (v.tipo) {
    case ModeloAlimentadores::Tipo::Entrada:
        return modelo.Opcional(columna) && !modelo.EnUso(columna) ? Lugar::Fuera : Lugar::Tabla;
    case ModeloAlimentadores::Tipo::Otra:
        return Lugar::Nota;
    case ModeloAlimentadores::Tipo::Resultado:
        break;
    }
    // The long texts, the drawing's line and the remarks, go whole under the row.
    return v.indice == schedule::ColumnaObservaciones || v.indice == schedule::ColumnaEspecificacion
               ? Lugar::Nota
               : Lugar::Tabla;
}

QString Texto(const ModeloAlimentadores& modelo, int fila, int columna) {
    return fila < 0 ? modelo.headerData(columna, Qt::Horizontal, Qt::DisplayRole).toString()
                    : modelo.data(modelo.index(fila, columna), Qt::DisplayRole).toString();
}

// One feeder's line of the table (the header line for -1), and its remarks on a line of
// their own.
QString Fila(const ModeloAlimentadores& modelo, int fila) {
    const char* etiqueta = fila < 0 ? "th" : "td";
    QString html = QStringLiteral("<tr>");
    int columnas = 0;
    QStringList notas;
    for (int c = 0; c < modelo.columnCount(); ++c) {
        const QString texto = Texto(modelo, fila, c);
        const Lugar lugar = LugarDe(modelo, c);
        if (lugar == Lugar::Tabla) {
            const bool derecha =
                fila >= 0 && (modelo.data(modelo.index(fila, c), Qt::TextAlignmentRole).toInt() &
                              Qt::AlignRight);
            html += QStringLiteral("<%1%2>%3</%1>")
                        .arg(QLatin1String(etiqueta),
                             derecha ? QStringLiteral(" align='right'") : QString(),
                             Escapar(texto).replace(QLatin1Char('\n'), QStringLiteral("<br>")));
            ++columnas;
        } else if (lugar == Lugar::Nota && fila >= 0 && !texto.isEmpty()) {
            notas << QStringLiteral("<i>%1:</i> %2")
                         .arg(Escapar(Texto(modelo, -1, c)), Escapar(texto));
        }
    }
    html += QStringLiteral("</tr>");
    if (!notas.isEmpty()) {
        html += QStringLiteral("<tr><td colspan='%1'>%2</td></tr>")
                    .arg(columnas)
                    .arg(notas.join(QStringLiteral(" &nbsp; ")));
    }
    return html;
}

QString Html(const ModeloAlimentadores& modelo) {
    const schedule::Cuadro& c = modelo.cuadro();
    QString html =
        QStringLiteral("<html><head><style>"
                       "body { font-family: 'Liberation Sans', sans-serif; font-size: 8pt; }"
                       "h1 { font-size: 14pt; } h2 { font-size: 11pt; margin-top: 12px; }"
                       "table.alimentadores { border-collapse: collapse; }"
                       "table.alimentadores th, table.alimentadores td { border: 1px solid "
                       "#808080; padding: 2px; }"
                       "table.alimentadores th { background-color: #e0e0e0; font-size: 6pt; }"
                       "table.alimentadores td { font-size: 6pt; }"
                       "</style></head><body>");
    html += QStringLiteral("<h1>Memoria de cálculo de alimentadores</h1>");
    html += QStringLiteral("<p><b>Proyecto:</b> %1<br><b>Elaboró:</b> %2<br><b>Fecha:</b> %3</p>")
                .arg(Escapar(QString::fromStdString(c.proyecto.nombre)),
                     Escapar(QString::fromStdString(c.proyecto.elaboro)),
                     Escapar(QString::fromStdString(c.proyecto.fecha)));
    html += QStringLiteral("<table class='alimentadores' width='100%' cellspacing='0'>");
    for (int f = -1; f < modelo.rowCount(); ++f) {
        html += Fila(modelo, f);
    }
    html += QStringLiteral("</table>");
    html += QStringLiteral("<h2>Método y supuestos</h2><ul>");
    for (const std::string& nota : schedule::NotasDelMetodo(schedule::NormaDe(c.proyecto))) {
        html += QStringLiteral("<li>%1</li>").arg(Escapar(QString::fromStdString(nota)));
    }
    html += QStringLiteral("</ul></body></html>");
    return html;
}

} // namespace

QPageSize TamanoDePagina(const QLocale& local) {
    for (const QLocale::Country pais : PaisesCarta) {
        if (local.territory() == pais) {
            return QPageSize(QPageSize::Letter);
        }
    }
    return QPageSize(QPageSize::A4);
}

void Imprimir(const ModeloAlimentadores& modelo, QPagedPaintDevice& dispositivo) {
    QPainter pintor(&dispositivo);
    const QRectF area = dispositivo.pageLayout().paintRectPixels(dispositivo.logicalDpiX());
    QTextDocument documento;
    documento.documentLayout()->setPaintDevice(&dispositivo);
    documento.setHtml(Html(modelo));
    // The footer takes a line of its own below the body of every page.
    const QFontMetricsF medidas(documento.defaultFont(), &dispositivo);
    const qreal pie = medidas.height() * 2;
    const QSizeF cuerpo(area.width(), area.height() - pie);
    documento.setPageSize(cuerpo);
    const int paginas = documento.pageCount();
    for (int i = 0; i < paginas; ++i) {
        if (i > 0) {
            dispositivo.newPage();
        }
        pintor.save();
        pintor.translate(0, -i * cuerpo.height());
        documento.drawContents(&pintor, QRectF(QPointF(0, i * cuerpo.height()), cuerpo));
        pintor.restore();
        pintor.setFont(documento.defaultFont());
        pintor.drawText(QRectF(0, cuerpo.height(), cuerpo.width(), pie), Qt::AlignCenter,
                        QStringLiteral("Página %1 de %2").arg(i + 1).arg(paginas));
    }
}

} // namespace memoria
