#include "spread/BillWindow.h"

#include "platform/host/Host.h"
#include "spread/VtxSpread.h"

namespace {

BillWindowMaker gBillWindowMaker = nullptr;

std::unique_ptr<Vtx_DialogHost> makeBillDialog() {
    if (gBillWindowMaker != nullptr)
        if (std::unique_ptr<Vtx_DialogHost> shown = gBillWindowMaker())
            return shown;
    auto hidden = std::make_unique<HiddenDialogHost>();
    hidden->addPlaceholder(kBillGridPlaceholder, kBillGridRect);
    return hidden;
}

} // namespace

void setBillWindowMaker(BillWindowMaker maker) {
    gBillWindowMaker = maker;
}

KsBillWindow::KsBillWindow() = default;

KsBillWindow::~KsBillWindow() {
    destroy();
}

bool KsBillWindow::create() {
    if (exists())
        return true;
    std::unique_ptr<Vtx_DialogHost> dialog = makeBillDialog();
    auto grid = std::make_unique<Vtx_Spread>();
    if (!grid->createInDialog(dialog.get(), kBillGridPlaceholder, false))
        return false;
    HostEditor& editor = Host::current().editor();
    m_parent = editor.mainWindow();
    m_handle = editor.newWindow();
    m_dialog = std::move(dialog);
    m_grid = std::move(grid);
    // A modeless window takes the focus when it opens; the user goes on
    // working in the drawing.
    editor.setFocus(m_parent);
    return true;
}

void KsBillWindow::destroy() {
    // The grid goes before the dialog it lives in.
    m_grid.reset();
    m_dialog.reset();
    m_handle = {};
}

Vtx_Spread* KsBillWindow::grid() const {
    return m_dialog && m_grid && m_grid->isCreated() ? m_grid.get() : nullptr;
}
