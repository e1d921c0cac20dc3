#include "schedule_window/feeder_delegate.h"

#include "engine/conductors.h"
#include "engine/defaults.h"
#include "engine/raceways.h"
#include "schedule/feeders.h"
#include "schedule/text.h"
#include "schedule_window/feeder_model.h"

#include <QComboBox>

using schedule::Columna;

namespace {

QString Texto(std::string_view t) {
    return QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size()));
}

// The names of a table's rows, after `primera` if there is one.
template <typename Tabla> QStringList Nombres(const Tabla& tabla, std::string_view primera = {}) {
    QStringList nombres;
    if (!primera.empty()) {
        nombres << Texto(primera);
    }
    for (const auto& fila : tabla) {
        nombres << Texto(fila.nombre);
    }
    return nombres;
}

} // namespace

QStringList DelegadoAlimentadores::Opciones(int columna) {
    const std::string_view automatico = engine::PorOmision.calibre;
    switch (static_cast<Columna>(columna)) {
    case Columna::Sistema:
        return Nombres(engine::Sistemas);
    case Columna::Conductor:
        return Nombres(engine::Materiales);
    case Columna::Ducto:
        return Nombres(engine::Ductos);
    case Columna::Calibre:
        return Nombres(engine::Calibres, automatico);
    case Columna::CalibreNeutro:
        return Nombres(engine::Calibres);
    case Columna::Aislamiento:
        return Nombres(engine::Aislamientos);
    case Columna::Tubo:
        return Nombres(engine::Tubos);
    case Columna::Ubicacion:
        return {QStringLiteral("seca"), QStringLiteral("mojada")};
    case Columna::Terminales:
        return {QStringLiteral("60"), QStringLiteral("75")};
    case Columna::Dispositivo100:
    case Columna::Neutro:
    case Columna::NeutroPortador:
    case Columna::Transformador:
        return {QStringLiteral("no"), QStringLiteral("sí")};
    case Columna::TamanoTubo: {
        QStringList tamanos{Texto(automatico)};
        for (const engine::TamanoTubo& t : engine::TamanosTubo) {
            tamanos << Texto(t.comercial);
        }
        return tamanos;
    }
    case Columna::Proteccion: {
        QStringList ratings{Texto(automatico)};
        for (const int rating : engine::RatingsEstandar) {
            ratings << QString::number(rating);
        }
        return ratings;
    }
    default:
        return {};
    }
}

QStringList DelegadoAlimentadores::Circuitos(const QAbstractItemModel& modelo, int fila) {
    // Empty: fed from the service. The circuits of the other rows, each once.
    QStringList circuitos{QString()};
    for (int f = 0; f < modelo.rowCount(); ++f) {
        const QString circuito = modelo.index(f, 0).data().toString().trimmed();
        if (f != fila && !circuito.isEmpty() && !circuitos.contains(circuito)) {
            circuitos << circuito;
        }
    }
    return circuitos;
}

QWidget* DelegadoAlimentadores::createEditor(QWidget* padre, const QStyleOptionViewItem& opcion,
                                             const QModelIndex& indice) const {
    const QVariant columna = indice.data(ModeloAlimentadores::RolColumna);
    QStringList opciones = columna.isValid() ? Opciones(columna.toInt()) : QStringList();
    const bool desde =
        columna.isValid() && columna.toInt() == static_cast<int>(Columna::AlimentadoDesde);
    if (desde) {
        opciones = Circuitos(*indice.model(), indice.row());
    }
    if (opciones.isEmpty()) {
        return QStyledItemDelegate::createEditor(padre, opcion, indice);
    }
    auto* lista = new QComboBox(padre);
    lista->addItems(opciones);
    // A device may have a rating of its own, which 240.6(A) permits; a feeder may be fed
    // from a circuit not yet written.
    lista->setEditable(columna.toInt() == static_cast<int>(Columna::Proteccion) || desde);
    lista->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    lista->setAccessibleName(
        indice.model()->headerData(indice.column(), Qt::Horizontal).toString());
    return lista;
}

void DelegadoAlimentadores::setEditorData(QWidget* editor, const QModelIndex& indice) const {
    auto* lista = qobject_cast<QComboBox*>(editor);
    if (lista == nullptr) {
        QStyledItemDelegate::setEditorData(editor, indice);
        return;
    }
    // The cell may hold a choice as a file wrote it ("3", "cu", "PVC"): the same choice.
    const std::string actual = schedule::Normalizar(indice.data().toString().toStdString());
    for (int i = 0; i < lista->count(); ++i) {
        if (schedule::Normalizar(lista->itemText(i).toStdString()) == actual) {
            lista->setCurrentIndex(i);
            return;
        }
    }
    if (lista->isEditable()) {
        lista->setEditText(indice.data().toString());
    }
}

void DelegadoAlimentadores::setModelData(QWidget* editor, QAbstractItemModel* modelo,
                                         const QModelIndex& indice) const {
    if (auto* lista = qobject_cast<QComboBox*>(editor)) {
        modelo->setData(indice, lista->currentText(), Qt::EditRole);
        return;
    }
    QStyledItemDelegate::setModelData(editor, modelo, indice);
}

void DelegadoAlimentadores::updateEditorGeometry(QWidget* editor,
                                                 const QStyleOptionViewItem& opcion,
                                                 const QModelIndex& indice) const {
    QStyledItemDelegate::updateEditorGeometry(editor, opcion, indice);
    if (qobject_cast<QComboBox*>(editor) != nullptr) {
        editor->resize(std::max(editor->width(), editor->sizeHint().width()), editor->height());
    }
}
