#include "standards/ui/GenVarsDialog.h"

#include "standards/KsSSDlgsMgr.h"

#include "platform/ui/ModalStart.h"
#include "platform/ui/UiText.h"
#include "spread/ui/CellLook.h"
#include "spread/ui/QtDialogHost.h"
#include "spread/ui/SheetTableModel.h"
#include "spread/ui/SpreadView.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <string>

namespace vtx::standardsui {

namespace {

constexpr int kTemplate = 256;
constexpr int kTitleText = 1764;
constexpr int kDrawingLabelText = 1762;
constexpr int kStandardsLabelText = 1763;
constexpr int kFilterHintText = 606;
constexpr int kNamelessHintText = 607;
constexpr int kNameText = 347;
constexpr int kValueText = 86;
constexpr int kFilterText = 1543;
constexpr int kOverrideText = 1765;
constexpr int kAddIcon = 257;
constexpr int kDeleteIcon = 258;
constexpr int kAddTip = 1767;
constexpr int kDeleteTip = 1768;

/// A plus or minus sign, for when the module has no icon of its own.
QIcon signIcon(bool plus, const QColor& color) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QPen(color, 2));
    painter.drawLine(3, 8, 13, 8);
    if (plus)
        painter.drawLine(8, 3, 8, 13);
    return QIcon(pixmap);
}

QWidget* placeholder(int id, QWidget* parent) {
    auto* widget = new QWidget(parent);
    widget->setMinimumSize(320, 110);
    vtx::ui::VtxDialog::setControlId(widget, id);
    return widget;
}

QLabel* label(int text, QWidget* parent, bool heading) {
    auto* result = new QLabel(vtx::ui::uiText(text), parent);
    result->setWordWrap(!heading);
    if (heading) {
        QFont font = result->font();
        font.setBold(true);
        result->setFont(font);
    }
    return result;
}

} // namespace

GenVarsDialog::GenVarsDialog(QWidget* parent)
    : VtxDialog(kTemplate, "DLG_GENVARS", parent),
      m_drawing(kGenVarsDrawingGrid, {kNameText, kValueText, kFilterText}),
      m_standards(kGenVarsStandardsGrid, {kNameText, kValueText, kOverrideText, kFilterText}) {
    setWindowTitle(vtx::ui::uiText(kTitleText));
    setSizeGripEnabled(true);
    auto* layout = new QVBoxLayout(this);
    struct Section {
        int label;
        int grid;
        int add;
        int remove;
        int hint;
    };
    QToolButton* buttons[2][2] = {};
    int index = 0;
    for (const Section& section :
         {Section{kDrawingLabelText, kGenVarsDrawingGrid, kGenVarsDrawingAdd, kGenVarsDrawingDelete,
                  kFilterHintText},
          Section{kStandardsLabelText, kGenVarsStandardsGrid, kGenVarsStandardsAdd,
                  kGenVarsStandardsDelete, kNamelessHintText}}) {
        layout->addWidget(label(section.label, this, true));
        auto* row = new QHBoxLayout;
        row->addWidget(placeholder(section.grid, this), 1);
        auto* side = new QVBoxLayout;
        buttons[index][0] = iconButton(section.add, kAddIcon, kAddTip, true);
        buttons[index][1] = iconButton(section.remove, kDeleteIcon, kDeleteTip, false);
        side->addWidget(buttons[index][0]);
        side->addWidget(buttons[index][1]);
        side->addStretch(1);
        row->addLayout(side);
        layout->addLayout(row, 1);
        layout->addWidget(label(section.hint, this, false));
        layout->addSpacing(8);
        ++index;
    }
    auto* box = new QDialogButtonBox(this);
    QPushButton* ok = box->addButton(vtx::ui::uiText(1), QDialogButtonBox::AcceptRole);
    QPushButton* cancel = box->addButton(vtx::ui::uiText(2), QDialogButtonBox::RejectRole);
    setControlId(ok, 1);
    setControlId(cancel, 2);
    ok->setDefault(true);
    connect(box, &QDialogButtonBox::accepted, this, &GenVarsDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &GenVarsDialog::reject);
    layout->addWidget(box);

    m_host = std::make_unique<vtx::spreadui::QtDialogHost>(*this);
    m_drawing.create(*m_host);
    m_standards.create(*m_host);
    wireGrid(m_drawing, buttons[0][0], buttons[0][1]);
    wireGrid(m_standards, buttons[1][0], buttons[1][1]);
    resize(640, 520);
}

GenVarsDialog::~GenVarsDialog() = default;

QToolButton* GenVarsDialog::iconButton(int id, int icon, int tip, bool add) {
    auto* button = new QToolButton(this);
    QPixmap picture =
        vtx::spreadui::cellPicture(std::to_string(icon), vtx::sheet::PictureStyle::Icon);
    if (picture.isNull())
        picture =
            vtx::spreadui::cellPicture(std::to_string(icon), vtx::sheet::PictureStyle::Bitmap);
    button->setIcon(picture.isNull() ? signIcon(add, palette().color(QPalette::ButtonText))
                                     : QIcon(picture));
    button->setIconSize(QSize(16, 16));
    button->setToolTip(vtx::ui::uiText(tip));
    setControlId(button, id);
    return button;
}

void GenVarsDialog::wireGrid(GenVarsGrid& grid, QToolButton* add, QToolButton* remove) {
    connect(add, &QToolButton::clicked, this, [&grid] { grid.addRow(); });
    connect(remove, &QToolButton::clicked, this, [&grid] { grid.deleteSelectedRows(); });
    if (vtx::spreadui::SpreadView* view = grid.view()) {
        connect(view, &QAbstractItemView::clicked, this, [&grid](const QModelIndex& index) {
            using vtx::spreadui::SheetTableModel;
            if (SheetTableModel::sheetColumn(index) == grid.pickColumn())
                grid.pickFilter(SheetTableModel::sheetRow(index));
        });
        view->installEventFilter(this);
    }
}

bool GenVarsDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F4) {
        for (GenVarsGrid* grid : {&m_drawing, &m_standards}) {
            if (watched == grid->view()) {
                grid->pickFilter(grid->activeRow());
                return true;
            }
        }
    }
    return VtxDialog::eventFilter(watched, event);
}

void GenVarsDialog::setRecord(const KsAutoStandardsData& record) {
    m_drawing.setColumns({record.dwgGenVars(), record.dwgGenValues(), record.dwgGenFilters()});
    m_standards.setColumns({record.stdGenVars(), record.stdGenValues(), record.stdGenOverrides(),
                            record.stdGenFilters()});
}

KsAutoStandardsData GenVarsDialog::record() const {
    KsAutoStandardsData result;
    const std::vector<Vtx_StringArray> drawing = m_drawing.columns();
    result.setDwgGenGroup(drawing[0], drawing[1], drawing[2]);
    const std::vector<Vtx_StringArray> standards = m_standards.columns();
    result.setStdGenGroup(standards[0], standards[1], standards[2], standards[3]);
    return result;
}

} // namespace vtx::standardsui

bool StartDlgGenVars(KsAutoStandardsData& data) {
    return vtx::ui::runModalStart<vtx::standardsui::GenVarsDialog>(data);
}
