// FindReplaceDialog: its controls, opening and closing.
#include "spread/ui/FindReplaceDialog.h"

#include "platform/sheet/SheetModel.h"
#include "platform/ui/UiText.h"
#include "spread/VtxSpread.h"
#include "spread/ui/SpreadView.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vtx::spreadui {

using vtx::ui::uiText;

namespace {

constexpr int kTemplate = 218;
// Option 20 of the grid is switched off while the dialog is open.
constexpr int kOptionOffWhileFinding = 20;

QPushButton* button(QWidget* parent, int id, int textNumber) {
    auto* made = new QPushButton(uiText(textNumber), parent);
    vtx::ui::VtxDialog::setControlId(made, id);
    made->setAutoDefault(false);
    return made;
}

} // namespace

FindReplaceDialog::FindReplaceDialog(SpreadView& view)
    : VtxDialog(kTemplate, "DLG_FINDREPLACE", &view), m_view(&view),
      m_findEdit(new QLineEdit(this)), m_replaceEdit(new QLineEdit(this)) {
    // A tool window stays above the window of its grid and goes with it.
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(uiText(1136));
    setModal(false);

    auto* findLabel = new QLabel(uiText(1137), this);
    auto* replaceLabel = new QLabel(uiText(1138), this);
    setControlId(findLabel, kFindLabelId);
    setControlId(m_findEdit, kFindEditId);
    setControlId(replaceLabel, kReplaceLabelId);
    setControlId(m_replaceEdit, kReplaceEditId);
    findLabel->setBuddy(m_findEdit);
    replaceLabel->setBuddy(m_replaceEdit);
    m_findEdit->setMinimumWidth(m_findEdit->fontMetrics().averageCharWidth() * 30);

    QPushButton* findNextButton = button(this, kFindNextId, 1139);
    QPushButton* replaceButton = button(this, kReplaceId, 1140);
    QPushButton* replaceAllButton = button(this, kReplaceAllId, 1141);
    QPushButton* closeButton = button(this, kCloseId, 285);
    // Enter in either edit finds the next occurrence.
    findNextButton->setDefault(true);
    connect(findNextButton, &QPushButton::clicked, this, [this] { findNext(); });
    connect(replaceButton, &QPushButton::clicked, this, [this] { replace(); });
    connect(replaceAllButton, &QPushButton::clicked, this, [this] { replaceAll(); });
    connect(closeButton, &QPushButton::clicked, this, &FindReplaceDialog::reject);

    auto* fields = new QGridLayout;
    fields->addWidget(findLabel, 0, 0);
    fields->addWidget(m_findEdit, 0, 1);
    fields->addWidget(replaceLabel, 1, 0);
    fields->addWidget(m_replaceEdit, 1, 1);
    fields->setRowStretch(2, 1);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {findNextButton, replaceButton, replaceAllButton, closeButton})
        buttons->addWidget(b);
    buttons->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addLayout(buttons);
    // Resizable in width only: the edits take what there is.
    setMaximumHeight(sizeHint().height());

    if (Vtx_Spread* grid = view.grid()) {
        m_wasProtected = grid->getOption(vtx::sheet::kOptionProtect);
        grid->setOption(vtx::sheet::kOptionProtect, true);
        grid->setOption(kOptionOffWhileFinding, false);
        view.sync();
    }
    m_findEdit->setFocus();
}

FindReplaceDialog::~FindReplaceDialog() {
    restoreGrid();
}

void FindReplaceDialog::restoreGrid() {
    if (m_restored)
        return;
    m_restored = true;
    Vtx_Spread* grid = m_view ? m_view->grid() : nullptr;
    if (grid && !m_wasProtected) {
        grid->setOption(vtx::sheet::kOptionProtect, false);
        m_view->sync();
    }
}

void FindReplaceDialog::done(int result) {
    // Closing (button 2, Esc, the close box): the size is stored, the grid
    // is as it was, and the dialog goes; the next F3 makes a new one.
    VtxDialog::done(result);
    restoreGrid();
    deleteLater();
}

void FindReplaceDialog::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() == Qt::NoModifier && event->key() == Qt::Key_F3) {
        findNext();
        return;
    }
    if (event->modifiers() == Qt::NoModifier && event->key() == Qt::Key_F5) {
        replace();
        return;
    }
    VtxDialog::keyPressEvent(event);
}

} // namespace vtx::spreadui
