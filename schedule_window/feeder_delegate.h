// Editing a schedule's cells: the choice columns with a list of their choices, the others
// as text.
#pragma once

#include <QStyledItemDelegate>

class DelegadoAlimentadores : public QStyledItemDelegate {
    Q_OBJECT
    Q_DISABLE_COPY(DelegadoAlimentadores)

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The choices a column offers, or none for a column typed as text.
    static QStringList Opciones(int columna);
    // The circuits a row may be fed from: none, and those of the other rows.
    static QStringList Circuitos(const QAbstractItemModel& modelo, int fila);

    QWidget* createEditor(QWidget* padre, const QStyleOptionViewItem& opcion,
                          const QModelIndex& indice) const override;
    void setEditorData(QWidget* editor, const QModelIndex& indice) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* modelo,
                      const QModelIndex& indice) const override;
    // A list is never narrower than its longest choice, whatever the column's width.
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& opcion,
                              const QModelIndex& indice) const override;
};
