#include "schedule_window/calculation_record.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <array>
#include <numeric>

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

const QString Titulo = QStringLiteral("Memoria de cálculo de alimentadores");
// The mark of a feeder that fails a rule, in the table's first column.
const QString MarcaFalla = QStringLiteral("▲");
// Shading that stays light grey in black and white.
const QColor Sombra(215, 215, 215);

// The table's font is the largest that fits the page's width, between these, in points.
// Where a label's value starts, in points: on the cover, and in the summary's longer labels.
constexpr qreal ValorPortada = 150;
constexpr qreal ValorResumen = 210;
constexpr qreal TablaMayor = 7.5;
constexpr qreal TablaMenor = 4;
constexpr qreal Referencia = 10; // the size the table's texts are measured at

QString Q(const std::string& texto) {
    return QString::fromStdString(texto);
}

QFont Fuente(qreal puntos, bool negrita = false, bool italica = false) {
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPointSizeF(puntos);
    f.setBold(negrita);
    f.setItalic(italica);
    return f;
}

// The height of a text wrapped at word boundaries in `ancho`.
qreal Alto(const QFontMetricsF& m, qreal ancho, const QString& texto) {
    if (!texto.contains(QLatin1Char('\n')) && m.horizontalAdvance(texto) <= ancho) {
        return m.height();
    }
    return m.boundingRect(QRectF(0, 0, ancho, 1e9), Qt::TextWordWrap, texto).height();
}

qreal PalabraMasLarga(const QFontMetricsF& m, const QString& texto) {
    qreal mayor = 0;
    for (const QString& palabra : texto.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        mayor = std::max(mayor, m.horizontalAdvance(palabra));
    }
    return mayor;
}

// One piece of the record that never splits across pages.
struct Pieza {
    enum class Tipo { Portada, Renglon, Titulo, Fila, Leyenda, Detalle, Nota } tipo;
    int indice = 0;
    qreal alto = 0;
    bool nuevaPagina = false;
    bool tabla = false; // a row of the table: the page shows the table's header above it
};

struct Colocada {
    int pieza;
    int pagina;
    qreal y;
    bool encabezado; // the table's header goes just above it
};

// The record laid out on one device's pages, then painted page by page.
class Composicion {
public:
    Composicion(const schedule::Memoria& m, QPagedPaintDevice& d)
        : m_(m), d_(d), pt_(d.logicalDpiY() / 72.0),
          area_(d.pageLayout().paintRectPixels(d.logicalDpiX())) {
        cuerpoArriba_ = Medir(Fuente(7)).height() * 2 + 4 * pt_;
        cuerpoAlto_ = area_.height() - 2 * cuerpoArriba_;
        AjustarTabla();
        for (const schedule::Renglon& r : schedule::RenglonesProyecto(m_.proyecto, m_.sep)) {
            proyecto_.push_back({Q(r.etiqueta), Q(r.valor.texto)});
        }
        for (const schedule::Renglon& r : schedule::RenglonesResumen(m_.resumen, m_.sep)) {
            resumen_.push_back({Q(r.etiqueta), Q(r.valor.texto)});
        }
    }

    int Paginas() const { return paginas_; }

    bool Componer(Progreso& progreso) {
        Piezas(progreso);
        if (progreso.cancelar) {
            return false;
        }
        Paginar();
        return true;
    }

    bool Pintar(Progreso& progreso) {
        QPainter p(&d_);
        std::size_t siguiente = 0;
        progreso.paso = 2;
        progreso.total = paginas_;
        for (int pagina = 0; pagina < paginas_; ++pagina) {
            if (pagina > 0) {
                d_.newPage();
            }
            Margenes(p, pagina);
            for (; siguiente < colocadas_.size() && colocadas_[siguiente].pagina == pagina;
                 ++siguiente) {
                PintarPieza(p, colocadas_[siguiente]);
            }
            if (!progreso.Seguir(pagina + 1)) {
                return false;
            }
        }
        return true;
    }

private:
    QFontMetricsF Medir(const QFont& f) const { return QFontMetricsF(f, &d_); }
    qreal Ancho() const { return area_.width(); }
    qreal Relleno() const { return 1.5 * pt_; }

    void MedirColumnas(std::vector<qreal>& minimo, std::vector<qreal>& natural) const;
    void AjustarTabla();
    void Piezas(Progreso& progreso);
    void Paginar();
    qreal AltoFila(int i);
    qreal AltoDetalle(int i) const;
    QString Notas(int i) const;
    void Margenes(QPainter& p, int pagina) const;
    void PintarPieza(QPainter& p, const Colocada& c) const;
    qreal AltoPar(const std::pair<QString, QString>& par, qreal x) const;
    qreal PintarPar(QPainter& p, const std::pair<QString, QString>& par, qreal y, qreal x) const;
    qreal AltoPortada() const;
    void PintarPortada(QPainter& p, qreal y) const;
    void PintarEncabezado(QPainter& p, qreal y) const;
    void PintarFila(QPainter& p, int i, qreal y, qreal alto) const;
    qreal Parrafo(QPainter& p, const QFont& f, qreal x, qreal y, qreal ancho,
                  const QString& texto) const;

    const schedule::Memoria& m_;
    QPagedPaintDevice& d_;
    qreal pt_; // device pixels per point
    QRectF area_;
    qreal cuerpoArriba_ = 0, cuerpoAlto_ = 0;
    QFont tabla_, tablaNegrita_, nota_;
    std::vector<qreal> anchos_;     // the table's columns, the mark's first
    std::vector<qreal> altoCeldas_; // each row's, without its notes
    qreal altoEncabezado_ = 0;
    std::vector<std::pair<QString, QString>> proyecto_, resumen_;
    std::vector<Pieza> piezas_;
    std::vector<Colocada> colocadas_;
    int paginas_ = 0;
};

// The table's font and its columns' widths: each column at least as wide as its longest
// word, so that no word breaks, then widened toward its longest text.
// Each column's longest word and longest text, at the reference size.
void Composicion::MedirColumnas(std::vector<qreal>& minimo, std::vector<qreal>& natural) const {
    const QFontMetricsF ref(Fuente(Referencia), &d_);
    const QFontMetricsF refNegrita(Fuente(Referencia, true), &d_);
    const std::size_t n = m_.columnas.size();
    minimo.assign(n, 0);
    natural.assign(n, 0);
    for (std::size_t c = 0; c < n; ++c) {
        minimo[c] = PalabraMasLarga(refNegrita, Q(m_.columnas[c].titulo));
        natural[c] = minimo[c];
    }
    for (const schedule::Memoria::Fila& f : m_.filas) {
        for (std::size_t c = 0; c < n && c < f.celdas.size(); ++c) {
            const QString texto = Q(f.celdas[c]);
            minimo[c] = std::max(minimo[c], PalabraMasLarga(ref, texto));
            natural[c] = std::max(natural[c], ref.horizontalAdvance(texto));
        }
    }
}

void Composicion::AjustarTabla() {
    const std::size_t n = m_.columnas.size();
    std::vector<qreal> minimo, natural;
    MedirColumnas(minimo, natural);
    const qreal marca = QFontMetricsF(Fuente(Referencia, true), &d_).horizontalAdvance(MarcaFalla);
    const qreal fijo = static_cast<qreal>(n + 1) * 2 * Relleno();
    qreal suma = marca;
    qreal sumaNatural = marca;
    for (std::size_t c = 0; c < n; ++c) {
        suma += minimo[c] * 1.03;
        sumaNatural += natural[c] * 1.03;
    }
    qreal puntos = std::min(TablaMayor, Referencia * (Ancho() - fijo) / sumaNatural);
    if (puntos < TablaMayor) {
        puntos = std::min(TablaMayor, Referencia * (Ancho() - fijo) / suma);
    }
    puntos = std::max(TablaMenor, std::floor(puntos * 4) / 4);
    tabla_ = Fuente(puntos);
    tablaNegrita_ = Fuente(puntos, true);
    nota_ = Fuente(puntos, false, true);
    const qreal escala = puntos / Referencia * 1.03;
    anchos_ = {marca * escala + 2 * Relleno()};
    qreal usado = anchos_.front();
    for (std::size_t c = 0; c < n; ++c) {
        anchos_.push_back(minimo[c] * escala + 2 * Relleno());
        usado += anchos_.back();
    }
    // What is left widens the columns whose texts would otherwise wrap, in proportion.
    qreal falta = 0;
    for (std::size_t c = 0; c < n; ++c) {
        falta += std::max<qreal>(0, natural[c] * escala + 2 * Relleno() - anchos_[c + 1]);
    }
    const qreal sobra = std::max<qreal>(0, Ancho() - usado);
    for (std::size_t c = 0; c < n && falta > 0; ++c) {
        const qreal quiere =
            std::max<qreal>(0, natural[c] * escala + 2 * Relleno() - anchos_[c + 1]);
        anchos_[c + 1] += std::min(quiere, sobra * quiere / falta);
    }
    // Then the table takes the page's whole width.
    usado = std::accumulate(anchos_.begin(), anchos_.end(), qreal(0));
    for (std::size_t c = 0; c < n && usado < Ancho(); ++c) {
        anchos_[c + 1] += (Ancho() - usado) / static_cast<qreal>(n);
    }
    const QFontMetricsF negrita = Medir(tablaNegrita_);
    for (std::size_t c = 0; c < n; ++c) {
        altoEncabezado_ = std::max(altoEncabezado_, Alto(negrita, anchos_[c + 1] - 2 * Relleno(),
                                                         Q(m_.columnas[c].titulo)));
    }
    altoEncabezado_ += 2 * Relleno();
}

QString Composicion::Notas(int i) const {
    QStringList notas;
    for (const std::string& nota : m_.filas[static_cast<std::size_t>(i)].notas) {
        notas << Q(nota);
    }
    return notas.join(QStringLiteral("   "));
}

// A row's height, its cells' kept apart for the line under them.
qreal Composicion::AltoFila(int i) {
    const schedule::Memoria::Fila& f = m_.filas[static_cast<std::size_t>(i)];
    const QFontMetricsF m = Medir(tabla_);
    qreal alto = m.height();
    for (std::size_t c = 0; c < f.celdas.size() && c + 1 < anchos_.size(); ++c) {
        alto = std::max(alto, Alto(m, anchos_[c + 1] - 2 * Relleno(), Q(f.celdas[c])));
    }
    alto += 2 * Relleno();
    altoCeldas_.push_back(alto);
    if (!f.notas.empty()) {
        alto +=
            Alto(Medir(nota_), Ancho() - anchos_.front() - 2 * Relleno(), Notas(i)) + 2 * Relleno();
    }
    return alto;
}

qreal Composicion::AltoDetalle(int i) const {
    const auto& lineas = m_.filas[static_cast<std::size_t>(i)].detalle;
    const QFontMetricsF normal = Medir(Fuente(7.5));
    qreal alto = Medir(Fuente(8, true)).height() + 6 * pt_;
    for (std::size_t l = 1; l < lineas.size(); ++l) {
        alto += Alto(normal, Ancho() - 12 * pt_, Q(lineas[l]));
    }
    return alto;
}

void Composicion::Piezas(Progreso& progreso) {
    progreso.paso = 1;
    progreso.total = static_cast<int>(m_.filas.size());
    const qreal linea = Medir(Fuente(9)).height() * 1.3;
    piezas_.push_back({Pieza::Tipo::Portada, 0, AltoPortada()});
    piezas_.push_back({Pieza::Tipo::Titulo, 0, linea * 2});
    for (std::size_t r = 0; r < resumen_.size(); ++r) {
        piezas_.push_back(
            {Pieza::Tipo::Renglon, static_cast<int>(r), AltoPar(resumen_[r], ValorResumen)});
    }
    for (int i = 0; i < static_cast<int>(m_.filas.size()); ++i) {
        piezas_.push_back({Pieza::Tipo::Fila, i, AltoFila(i), i == 0, true});
        if (i % 64 == 0 && !progreso.Seguir(i / 2)) {
            return;
        }
    }
    if (m_.leyenda) {
        piezas_.push_back(
            {Pieza::Tipo::Leyenda, 0, Alto(Medir(nota_), Ancho(), Q(*m_.leyenda)) + 4 * pt_});
    }
    piezas_.push_back({Pieza::Tipo::Titulo, 1, linea * 2, true});
    for (int i = 0; i < static_cast<int>(m_.filas.size()); ++i) {
        piezas_.push_back({Pieza::Tipo::Detalle, i, AltoDetalle(i)});
        if (i % 64 == 0 && !progreso.Seguir((static_cast<int>(m_.filas.size()) + i) / 2)) {
            return;
        }
    }
    piezas_.push_back({Pieza::Tipo::Titulo, 2, linea * 2, true});
    const QFontMetricsF nota = Medir(Fuente(8));
    for (std::size_t n = 0; n < m_.notasMetodo.size(); ++n) {
        piezas_.push_back({Pieza::Tipo::Nota, static_cast<int>(n),
                           Alto(nota, Ancho() - 12 * pt_, Q(m_.notasMetodo[n])) + 3 * pt_});
    }
}

void Composicion::Paginar() {
    int pagina = 0;
    qreal y = 0;
    bool conEncabezado = false;
    for (int i = 0; i < static_cast<int>(piezas_.size()); ++i) {
        const Pieza& pieza = piezas_[static_cast<std::size_t>(i)];
        const qreal encabezado = pieza.tabla && !conEncabezado ? altoEncabezado_ : 0;
        if (y > 0 && (pieza.nuevaPagina || y + encabezado + pieza.alto > cuerpoAlto_)) {
            ++pagina;
            y = 0;
            conEncabezado = false;
        }
        const bool poner = pieza.tabla && !conEncabezado;
        colocadas_.push_back({i, pagina, y, poner});
        conEncabezado = pieza.tabla;
        y += (poner ? altoEncabezado_ : 0) + pieza.alto;
    }
    paginas_ = pagina + 1;
}

// The running head and the foot of a page.
void Composicion::Margenes(QPainter& p, int pagina) const {
    const QFont f = Fuente(7);
    p.setFont(f);
    p.setPen(QPen(Qt::black, 0.5 * pt_));
    const qreal alto = Medir(f).height();
    const QRectF cabeza(0, 0, Ancho(), alto);
    const schedule::DatosProyecto& d = m_.proyecto;
    p.drawText(cabeza, Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Proyecto: %1   Revisión: %2   Fecha: %3")
                   .arg(Q(d.nombre), Q(d.revision), Q(d.fecha)));
    p.drawText(cabeza, Qt::AlignRight | Qt::AlignVCenter,
               Titulo + QStringLiteral(" · ") + Q(m_.norma));
    p.drawLine(QPointF(0, alto + pt_), QPointF(Ancho(), alto + pt_));
    const qreal pie = area_.height() - alto;
    p.drawLine(QPointF(0, pie - pt_), QPointF(Ancho(), pie - pt_));
    const QRectF abajo(0, pie, Ancho(), alto);
    p.drawText(abajo, Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Elaboró: %1").arg(Q(d.elaboro)));
    p.drawText(abajo, Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("Página %1 de %2").arg(pagina + 1).arg(paginas_));
}

// A paragraph wrapped at word boundaries; its height.
qreal Composicion::Parrafo(QPainter& p, const QFont& f, qreal x, qreal y, qreal ancho,
                           const QString& texto) const {
    const qreal alto = Alto(Medir(f), ancho, texto);
    p.setFont(f);
    p.drawText(QRectF(x, y, ancho, alto), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, texto);
    return alto;
}

// A label and its value side by side, the value from x points: the taller of the two,
// wrapped, and the line's spacing, so a long label never runs into the next.
qreal Composicion::AltoPar(const std::pair<QString, QString>& par, qreal x) const {
    const QFontMetricsF texto = Medir(Fuente(9));
    const qreal etiqueta =
        Alto(Medir(Fuente(9, true)), (x - 10) * pt_, par.first + QStringLiteral(":"));
    const qreal valor = Alto(texto, Ancho() - x * pt_, par.second);
    return std::max(etiqueta, valor) + texto.height() * 0.3;
}

// The pair painted at y as AltoPar measures it, the label 10 points short of the value;
// its height.
qreal Composicion::PintarPar(QPainter& p, const std::pair<QString, QString>& par, qreal y,
                             qreal x) const {
    Parrafo(p, Fuente(9, true), 0, y, (x - 10) * pt_, par.first + QStringLiteral(":"));
    Parrafo(p, Fuente(9), x * pt_, y, Ancho() - x * pt_, par.second);
    return AltoPar(par, x);
}

// The title, the project's rows, the space above the signatures and the two lines below.
qreal Composicion::AltoPortada() const {
    const qreal linea = Medir(Fuente(9)).height() * 1.3;
    qreal alto = Alto(Medir(Fuente(16, true)), Ancho(), Titulo) + linea;
    for (const auto& par : proyecto_) {
        alto += AltoPar(par, ValorPortada);
    }
    return alto + linea * 6;
}

void Composicion::PintarPortada(QPainter& p, qreal y) const {
    const qreal linea = Medir(Fuente(9)).height() * 1.3;
    y += Parrafo(p, Fuente(16, true), 0, y, Ancho(), Titulo) + linea;
    for (const auto& par : proyecto_) {
        y += PintarPar(p, par, y, ValorPortada);
    }
    y += linea * 3;
    // The signature lines of who prepared the record and who reviewed it.
    const qreal ancho = 220 * pt_;
    const std::array<std::pair<QString, QString>, 2> firmas{{
        {QStringLiteral("Elaboró: ") + Q(m_.proyecto.elaboro),
         QStringLiteral("Cédula profesional: ") + Q(m_.proyecto.cedula)},
        {QStringLiteral("Revisó: ") + Q(m_.proyecto.reviso), QString()},
    }};
    for (std::size_t i = 0; i < firmas.size(); ++i) {
        const qreal x = static_cast<qreal>(i) * (ancho + 60 * pt_);
        p.setPen(QPen(Qt::black, 0.7 * pt_));
        p.drawLine(QPointF(x, y), QPointF(x + ancho, y));
        Parrafo(p, Fuente(9), x, y + 2 * pt_, ancho, firmas[i].first);
        Parrafo(p, Fuente(9), x, y + 2 * pt_ + linea, ancho, firmas[i].second);
    }
}

void Composicion::PintarEncabezado(QPainter& p, qreal y) const {
    p.setPen(QPen(Qt::black, 0.4 * pt_));
    p.setFont(tablaNegrita_);
    qreal x = anchos_.front();
    for (std::size_t c = 0; c < m_.columnas.size(); ++c) {
        const qreal w = anchos_[c + 1];
        const QRectF celda(x, y, w, altoEncabezado_);
        p.drawRect(celda);
        p.drawText(celda.adjusted(Relleno(), Relleno(), -Relleno(), -Relleno()),
                   Qt::TextWordWrap | Qt::AlignHCenter | Qt::AlignBottom, Q(m_.columnas[c].titulo));
        x += w;
    }
    p.setPen(QPen(Qt::black, 1.2 * pt_));
    p.drawLine(QPointF(anchos_.front(), y + altoEncabezado_), QPointF(x, y + altoEncabezado_));
}

void Composicion::PintarFila(QPainter& p, int i, qreal y, qreal alto) const {
    const schedule::Memoria::Fila& f = m_.filas[static_cast<std::size_t>(i)];
    if (f.falla) {
        p.fillRect(QRectF(0, y, Ancho(), alto), Sombra);
        p.setFont(tablaNegrita_);
        p.setPen(Qt::black);
        p.drawText(QRectF(0, y + Relleno(), anchos_.front(), alto), Qt::AlignHCenter | Qt::AlignTop,
                   MarcaFalla);
    }
    p.setPen(QPen(Qt::black, 0.4 * pt_));
    p.setFont(tabla_);
    const qreal altoCeldas = altoCeldas_[static_cast<std::size_t>(i)];
    qreal x = anchos_.front();
    for (std::size_t c = 0; c < m_.columnas.size() && c < f.celdas.size(); ++c) {
        const qreal w = anchos_[c + 1];
        p.drawText(QRectF(x + Relleno(), y + Relleno(), w - 2 * Relleno(), altoCeldas),
                   Qt::TextWordWrap | Qt::AlignTop |
                       (m_.columnas[c].numerica ? Qt::AlignRight : Qt::AlignLeft),
                   Q(f.celdas[c]));
        x += w;
    }
    if (!f.notas.empty()) {
        Parrafo(p, nota_, anchos_.front() + Relleno(), y + altoCeldas + Relleno(),
                Ancho() - anchos_.front() - 2 * Relleno(), Notas(i));
    }
    p.drawLine(QPointF(anchos_.front(), y + alto), QPointF(Ancho(), y + alto));
}

void Composicion::PintarPieza(QPainter& p, const Colocada& c) const {
    const Pieza& pieza = piezas_[static_cast<std::size_t>(c.pieza)];
    qreal y = cuerpoArriba_ + c.y;
    p.setPen(Qt::black);
    switch (pieza.tipo) {
    case Pieza::Tipo::Portada:
        PintarPortada(p, y);
        break;
    case Pieza::Tipo::Titulo: {
        static const std::array<QString, 3> titulos{
            QStringLiteral("Resumen"), QStringLiteral("Anexo: detalle de cada alimentador"),
            QStringLiteral("Método y supuestos")};
        Parrafo(p, Fuente(12, true), 0, y + 4 * pt_, Ancho(),
                titulos[static_cast<std::size_t>(pieza.indice)]);
        break;
    }
    case Pieza::Tipo::Renglon:
        PintarPar(p, resumen_[static_cast<std::size_t>(pieza.indice)], y, ValorResumen);
        break;
    case Pieza::Tipo::Fila:
        if (c.encabezado) {
            PintarEncabezado(p, y);
            y += altoEncabezado_;
        }
        PintarFila(p, pieza.indice, y, pieza.alto);
        break;
    case Pieza::Tipo::Leyenda:
        Parrafo(p, nota_, 0, y + 2 * pt_, Ancho(), Q(*m_.leyenda));
        break;
    case Pieza::Tipo::Detalle: {
        const auto& lineas = m_.filas[static_cast<std::size_t>(pieza.indice)].detalle;
        y += 3 * pt_ + Parrafo(p, Fuente(8, true), 0, y + 3 * pt_, Ancho(), Q(lineas.front()));
        for (std::size_t l = 1; l < lineas.size(); ++l) {
            y += Parrafo(p, Fuente(7.5), 12 * pt_, y, Ancho() - 12 * pt_, Q(lineas[l]));
        }
        break;
    }
    case Pieza::Tipo::Nota:
        Parrafo(p, Fuente(8), 12 * pt_, y, Ancho() - 12 * pt_,
                Q(m_.notasMetodo[static_cast<std::size_t>(pieza.indice)]));
        break;
    }
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

bool Imprimir(const schedule::Memoria& memoria, QPagedPaintDevice& dispositivo,
              Progreso& progreso) {
    Composicion composicion(memoria, dispositivo);
    return composicion.Componer(progreso) && composicion.Pintar(progreso);
}

} // namespace memoria
