#include "spread/ui/BillWindowView.h"

#include "platform/ui/ModalStart.h"
#include "platform/ui/UiText.h"
#include "platform/ui/VtxDialog.h"
#include "spread/BillWindow.h"
#include "spread/ui/QtDialogHost.h"
#include "spread/ui/SpreadView.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace vtx::spreadui {

using vtx::ui::uiText;
using vtx::ui::VtxDialog;

namespace {

constexpr int kOkButton = 1;
constexpr int kCancelButton = 2;

} // namespace

BillWindowView::BillWindowView(QWidget* parent)
    : m_dialog(new VtxDialog(kBillWindowResource, kBillWindowSizeKey, parent)) {
    VtxDialog* dialog = m_dialog.data();
    dialog->setWindowTitle(QStringLiteral("Bill"));
    dialog->setModal(false);
    // A bill fills while the user goes on in the drawing.
    dialog->setAttribute(Qt::WA_ShowWithoutActivating);
    auto* layout = new QVBoxLayout(dialog);
    auto* placeholder = new QWidget(dialog);
    placeholder->setMinimumSize(kBillGridRect.width(), kBillGridRect.height());
    VtxDialog::setControlId(placeholder, kBillGridPlaceholder);
    layout->addWidget(placeholder, 1);
    auto* buttons = new QDialogButtonBox(dialog);
    QPushButton* ok = buttons->addButton(uiText(kOkButton), QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton(uiText(kCancelButton), QDialogButtonBox::RejectRole);
    VtxDialog::setControlId(ok, kOkButton);
    VtxDialog::setControlId(cancel, kCancelButton);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    layout->addWidget(buttons);
    m_host = std::make_unique<QtDialogHost>(*dialog);
    dialog->show();
}

BillWindowView::~BillWindowView() {
    m_host.reset();
    delete m_dialog.data();
}

SpreadView* BillWindowView::view() const {
    return m_host->view(kBillGridPlaceholder);
}

bool BillWindowView::placeholderRect(int id, Vtx_Rect& rect) const {
    return m_host->placeholderRect(id, rect);
}

bool BillWindowView::replacePlaceholder(int id, Vtx_Spread& grid, const Vtx_Rect& rect) {
    return m_host->replacePlaceholder(id, grid, rect);
}

bool BillWindowView::askText(const Vtx_String& title, const Vtx_String& prompt, Vtx_String& text) {
    return m_host->askText(title, prompt, text);
}

std::unique_ptr<Vtx_DialogHost> makeBillWindowView() {
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr)
        return nullptr;
    return std::make_unique<BillWindowView>(vtx::ui::hostMainWindow());
}

} // namespace vtx::spreadui
