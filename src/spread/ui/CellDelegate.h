#pragma once

/// Draws and edits the cells of a grid by their cell types: text and edit
/// cells in a line edit (at most the cell's length), number cells in a spin
/// box with their decimals and bounds, combo cells in a combo box of their
/// items, check boxes with the two module pictures (toggled by a click or the
/// space bar), pictures stretched and centred, static text as a header.

#include <QStyledItemDelegate>

namespace vtx::spreadui {

class SheetTableModel;

class CellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit CellDelegate(SheetTableModel& model, QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

protected:
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

private:
    SheetTableModel& m_model;
};

} // namespace vtx::spreadui
