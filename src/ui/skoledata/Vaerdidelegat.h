#pragma once

#include <QStyledItemDelegate>

// Edits a cell of a Skoledatamodel: an id in a line of its own, numbers in a
// spin box within their range, references in a list of the ids that exist,
// other texts in a list of the values already used that the planner may also
// type into.
class Vaerdidelegat : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* foraelder, const QStyleOptionViewItem& valg,
                          const QModelIndex& indeks) const override;
    void setEditorData(QWidget* editor, const QModelIndex& indeks) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& indeks) const override;
};
