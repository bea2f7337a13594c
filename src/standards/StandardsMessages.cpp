#include "standards/StandardsMessages.h"

#include "platform/core/Settings.h"
#include "platform/host/Host.h"

void showStandardsWarning(const Vtx_String& text, const Vtx_String& caption, bool always) {
    if (!always && !gSettings.current.standardsDiagnostics)
        return;
    Host::current().prompter().messageBox(text, caption, MessageButtons::Ok, MessageIcon::Warning);
}
