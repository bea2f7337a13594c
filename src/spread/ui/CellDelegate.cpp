#include "spread/ui/CellDelegate.h"

#include "platform/ui/UiText.h"
#include "spread/VtxSpread.h"
#include "spread/ui/CellLook.h"
#include "spread/ui/SheetTableModel.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QSpinBox>

namespace vtx::spreadui {

using vtx::sheet::BorderSide;
using vtx::sheet::CellKind;
using vtx::sheet::CellStyle;
using vtx::sheet::PictureStyle;

namespace {

// Combo style bits: the low two bits 2 give a drop-down with an edit field,
// where any text may be typed; every other style is a list to choose from.
bool comboTakesText(std::uint32_t controlStyle) {
    return (controlStyle & 3u) == 2u;
}

QPen borderPen(const BorderSide& side) {
    QPen pen(QColor(static_cast<int>(side.color & 0xFF), static_cast<int>((side.color >> 8) & 0xFF),
                    static_cast<int>((side.color >> 16) & 0xFF)));
    pen.setWidth(side.style == 2 ? 2 : 1);
    pen.setStyle(side.style == 3 ? Qt::DotLine : side.style == 4 ? Qt::DashLine : Qt::SolidLine);
    return pen;
}

void drawBorders(QPainter& painter, const QRect& r, const CellStyle& style) {
    const QLine edges[4] = {QLine(r.topLeft(), r.bottomLeft()), QLine(r.topLeft(), r.topRight()),
                            QLine(r.topRight(), r.bottomRight()),
                            QLine(r.bottomLeft(), r.bottomRight())};
    // Inward offsets for the second line of a double border.
    const QPoint inward[4] = {{2, 0}, {0, 2}, {-2, 0}, {0, -2}};
    for (int i = 0; i < 4; ++i) {
        const BorderSide& side = style.borders[i];
        if (side.style == 0)
            continue;
        painter.setPen(borderPen(side));
        painter.drawLine(edges[i]);
        if (side.style == 5)
            painter.drawLine(edges[i].translated(inward[i]));
    }
}

// A picture stretched to fit the cell, its proportions kept, centred.
void drawPicture(QPainter& painter, const QRect& cell, const QPixmap& picture, bool shrinkOnly) {
    if (picture.isNull())
        return;
    QSize size = picture.size();
    const QSize room = cell.adjusted(1, 1, -1, -1).size();
    if (!shrinkOnly || size.width() > room.width() || size.height() > room.height())
        size.scale(room, Qt::KeepAspectRatio);
    QRect target(QPoint(), size);
    target.moveCenter(cell.center());
    painter.drawPixmap(target, picture);
}

} // namespace

CellDelegate::CellDelegate(SheetTableModel& model, QObject* parent)
    : QStyledItemDelegate(parent), m_model(model) {}

void CellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    const vtx::sheet::SheetModel* sheet = m_model.sheet();
    if (!sheet)
        return;
    const int column = SheetTableModel::sheetColumn(index);
    const int row = SheetTableModel::sheetRow(index);
    const CellStyle style = sheet->style(column, row);
    const vtx::sheet::SheetAppearance& look = sheet->appearance();
    const QPalette& palette = option.palette;
    const bool selected = option.state & QStyle::State_Selected;
    const bool header = style.type.kind == CellKind::Header;
    const QRect r = option.rect;

    painter->save();
    QColor back =
        gridColor(style.backColor, palette,
                  header ? palette.color(QPalette::Button) : palette.color(QPalette::Base));
    QColor fore =
        gridColor(style.foreColor, palette,
                  header ? palette.color(QPalette::ButtonText) : palette.color(QPalette::Text));
    if (selected) {
        back = gridColor(look.selectionBack, palette, palette.color(QPalette::Highlight));
        fore = gridColor(look.selectionFore, palette, palette.color(QPalette::HighlightedText));
    }
    painter->fillRect(r, back);

    switch (style.type.kind) {
    case CellKind::CheckBox: {
        std::string text;
        sheet->getText(column, row, vtx::sheet::TextForm::Value, text);
        const bool checked = text == "1";
        drawPicture(*painter, r,
                    cellPicture(checked ? style.type.pictureOn : style.type.pictureOff,
                                PictureStyle::Bitmap),
                    true);
        break;
    }
    case CellKind::Picture:
        drawPicture(
            *painter, r,
            cellPicture(style.type.text, style.type.pictureStyle, m_model.grid()->fileFolder()),
            false);
        break;
    default: {
        const QString text = index.data(Qt::DisplayRole).toString();
        if (text.isEmpty())
            break;
        painter->setFont(cellFont(style.font, *m_model.grid()));
        painter->setPen(fore);
        const bool number = sheet->valueType(column, row) == vtx::sheet::ValueType::Number;
        const Qt::Alignment align = Qt::AlignVCenter | (header   ? Qt::AlignHCenter
                                                        : number ? Qt::AlignRight
                                                                 : Qt::AlignLeft);
        painter->drawText(r.adjusted(3, 0, -3, 0), static_cast<int>(align), text);
        break;
    }
    }
    drawBorders(*painter, r, style);
    if (option.state & QStyle::State_HasFocus) {
        painter->setPen(QPen(palette.color(QPalette::WindowText), 2));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(r.adjusted(1, 1, -1, -1));
    }
    painter->restore();
}

QWidget* CellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                    const QModelIndex& index) const {
    const vtx::sheet::SheetModel* sheet = m_model.sheet();
    if (!sheet)
        return nullptr;
    const int column = SheetTableModel::sheetColumn(index);
    const int row = SheetTableModel::sheetRow(index);
    const vtx::sheet::CellType type = sheet->cellType(column, row);
    const QFont font = cellFont(sheet->font(column, row), *m_model.grid());
    QWidget* editor = nullptr;
    switch (type.kind) {
    case CellKind::Number: {
        auto* spin = new QDoubleSpinBox(parent);
        spin->setDecimals(type.decimals);
        spin->setRange(type.minimum, type.maximum);
        spin->setLocale(QLocale::c()); // the grid reads "." as the decimal point
        spin->setButtonSymbols(type.spin ? QAbstractSpinBox::UpDownArrows
                                         : QAbstractSpinBox::NoButtons);
        editor = spin;
        break;
    }
    case CellKind::Integer: {
        auto* spin = new QSpinBox(parent);
        spin->setRange(static_cast<int>(std::max(type.minimum, -2147483647.0)),
                       static_cast<int>(std::min(type.maximum, 2147483647.0)));
        spin->setButtonSymbols(type.spin ? QAbstractSpinBox::UpDownArrows
                                         : QAbstractSpinBox::NoButtons);
        editor = spin;
        break;
    }
    case CellKind::Combo: {
        auto* combo = new QComboBox(parent);
        combo->addItems(vtx::ui::qtText(Vtx_String(type.text)).split(QLatin1Char('\t')));
        combo->setEditable(comboTakesText(type.controlStyle));
        editor = combo;
        break;
    }
    default: {
        auto* line = new QLineEdit(parent);
        if (type.kind == CellKind::Edit && type.maxLength > 0)
            line->setMaxLength(type.maxLength);
        line->setFrame(false);
        editor = line;
        break;
    }
    }
    editor->setFont(font);
    return editor;
}

void CellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    const QString text = index.data(Qt::EditRole).toString();
    if (auto* spin = qobject_cast<QDoubleSpinBox*>(editor)) {
        spin->setValue(text.toDouble());
        spin->selectAll();
    } else if (auto* whole = qobject_cast<QSpinBox*>(editor)) {
        whole->setValue(static_cast<int>(text.toDouble()));
        whole->selectAll();
    } else if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        const int at = combo->findText(text);
        if (at >= 0 || !combo->isEditable())
            combo->setCurrentIndex(at);
        else
            combo->setEditText(text);
    } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        line->setText(text);
    }
}

void CellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                const QModelIndex& index) const {
    QString text;
    if (auto* spin = qobject_cast<QDoubleSpinBox*>(editor))
        text = spin->cleanText().isEmpty() ? QString()
                                           : QString::number(spin->value(), 'f', spin->decimals());
    else if (auto* whole = qobject_cast<QSpinBox*>(editor))
        text = whole->cleanText().isEmpty() ? QString() : QString::number(whole->value());
    else if (auto* combo = qobject_cast<QComboBox*>(editor))
        text = combo->currentText();
    else if (auto* line = qobject_cast<QLineEdit*>(editor))
        text = line->text();
    model->setData(index, text, Qt::EditRole);
}

void CellDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                        const QModelIndex&) const {
    editor->setGeometry(option.rect);
}

bool CellDelegate::editorEvent(QEvent* event, QAbstractItemModel* model,
                               const QStyleOptionViewItem& option, const QModelIndex& index) {
    const vtx::sheet::SheetModel* sheet = m_model.sheet();
    if (!sheet)
        return false;
    const int column = SheetTableModel::sheetColumn(index);
    const int row = SheetTableModel::sheetRow(index);
    if (sheet->cellType(column, row).kind != CellKind::CheckBox ||
        !m_model.isUserEditable(column, row))
        return false;
    bool toggle = false;
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        toggle =
            mouse->button() == Qt::LeftButton && option.rect.contains(mouse->position().toPoint());
    } else if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        toggle = key == Qt::Key_Space || key == Qt::Key_Select;
    }
    if (!toggle)
        return false;
    std::string text;
    sheet->getText(column, row, vtx::sheet::TextForm::Value, text);
    return model->setData(index, text == "1" ? QStringLiteral("0") : QStringLiteral("1"),
                          Qt::EditRole);
}

} // namespace vtx::spreadui
