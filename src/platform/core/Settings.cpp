#include "platform/core/Settings.h"

Vtx_Settings gSettings;

namespace {

Vtx_String folderWithClosingSeparator(const Vtx_String& folder) {
    if (folder.isEmpty() || folder.endsWith("\\"))
        return folder;
    if (folder.endsWith("/"))
        return folder.left(folder.length() - 1) + "\\";
    return folder + "\\";
}

} // namespace

void Vtx_Settings::setLibDir(const Vtx_String& folder) {
    libDir = folderWithClosingSeparator(folder);
}

void Vtx_Settings::setVtxDir(const Vtx_String& folder) {
    vtxDir = folderWithClosingSeparator(folder);
}

Vtx_String GetCurLanguage() {
    return gSettings.workLanguage;
}
