// The host's Dialogs menu: the dialog designer on the sample design of the
// library.

#include "HostWindow.h"

#include "designer/DesignFiles.h"
#include "designer/DesignerDialogs.h"
#include "platform/core/Files.h"
#include "platform/host/Host.h"

#include <QMenuBar>

namespace host {

namespace {

constexpr const char* kSampleDesign = "EndPlate\\EndPlate";

} // namespace

void HostWindow::buildDialogsMenu() {
    QMenu* menu = menuBar()->addMenu(QStringLiteral("&Dialogs"));
    menu->addAction(QStringLiteral("Dialog &designer..."), this,
                    [this] { openDesigner(getDesignerRootFolder() + kSampleDesign + ".txt"); });
}

bool HostWindow::openDesigner(const Vtx_String& path) {
    if (!m_moduleLoaded) {
        hostPrintf("*Error* The module is not loaded.\n");
        return false;
    }
    if (!fileExists(path))
        hostPrintf("There is no design %s; the designer opens on an empty one.\n", path.c_str());
    const bool ok = StartDlgDesigner(path);
    hostPrintf("The dialog designer was left with %s.\n", ok ? "OK" : "the close box");
    return ok;
}

} // namespace host
