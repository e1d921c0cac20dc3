#include "schedule_window/feeder_delegate.h"

#include "schedule/columns.h"
#include "schedule/text.h"
#include "schedule_window/feeder_model.h"

#include <QComboBox>

using schedule::Columna;

QStringList DelegadoAlimentadores::Opciones(int columna) {
    QStringList opciones;
    for (const std::string& opcion : schedule::OpcionesDe(static_cast<Columna>(columna))) {
        opciones << QString::fromStdString(opcion);
    }
    return opciones;
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
        columna.isValid() && schedule::Descripcion(static_cast<Columna>(columna.toInt())).clase ==
                                 schedule::Clase::OtraFila;
    if (desde) {
        opciones = Circuitos(*indice.model(), indice.row());
    }
    if (opciones.isEmpty()) {
        return QStyledItemDelegate::createEditor(padre, opcion, indice);
    }
    auto* lista = new QComboBox(padre);
    lista->addItems(opciones);
    lista->setEditable(schedule::Descripcion(static_cast<Columna>(columna.toInt())).otraOpcion);
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
