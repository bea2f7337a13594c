#include "spread/ui/SpreadWindows.h"

#include "spread/BillWindow.h"
#include "spread/ui/BillWindowView.h"
#include "spread/ui/FormulaWindow.h"

namespace vtx::spreadui {

void installSpreadWindows() {
    setBillWindowMaker(&makeBillWindowView);
}

void removeSpreadWindows() {
    setBillWindowMaker(nullptr);
    for (FormulaWindow* window : FormulaWindow::openWindows())
        delete window;
}

} // namespace vtx::spreadui
