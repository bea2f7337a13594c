#include "platform/core/DlgSizeStore.h"

#include "platform/core/Files.h"
#include "platform/core/PropertiesList.h"
#include "platform/core/Settings.h"
#include "platform/core/StringUtils.h"

#include <filesystem>
#include <system_error>

namespace {

Vtx_String& storeFolder() {
    static Vtx_String folder;
    return folder;
}

Vtx_String currentFolder() {
    const Vtx_String& folder = storeFolder().isEmpty() ? gSettings.vtxDir : storeFolder();
    if (folder.isEmpty() || folder.endsWith("\\") || folder.endsWith("/"))
        return folder;
    return folder + "\\";
}

bool validExtent(int extent) {
    return extent >= 1 && extent <= kMaxDlgExtent;
}

bool parseSize(const Vtx_String& text, Vtx_DlgSize& size) {
    Vtx_StringArray parts;
    splitStringAtSymbol(text, ' ', parts, true);
    if (parts.length() != 4)
        return false;
    Vtx_DlgSize parsed;
    if (!parts[0].toInt(parsed.left) || !parts[1].toInt(parsed.top) ||
        !parts[2].toInt(parsed.width) || !parts[3].toInt(parsed.height))
        return false;
    if (!validExtent(parsed.width) || !validExtent(parsed.height))
        return false;
    size = parsed;
    return true;
}

} // namespace

void setDlgSizeFolder(const Vtx_String& folder) {
    storeFolder() = folder;
}

Vtx_String dlgSizeFile() {
    Vtx_String folder = currentFolder();
    return folder.isEmpty() ? Vtx_String() : folder + kDlgSizeFileName;
}

bool getDlgSize(const Vtx_String& dlgName, Vtx_DlgSize& size) {
    Vtx_String file = dlgSizeFile();
    if (file.isEmpty() || dlgName.isEmpty())
        return false;
    Vtx_PropertiesList store;
    Vtx_String text;
    return store.readFromFile(file) == eOk && store.getProperty(dlgName, text) == eOk &&
           parseSize(text, size);
}

ErrorStatus WriteDlgSize(const Vtx_String& dlgName, const Vtx_DlgSize& size) {
    if (dlgName.isEmpty())
        return eInvalidName;
    if (!validExtent(size.width) || !validExtent(size.height))
        return eInvalidInput;
    Vtx_String folder = currentFolder();
    if (folder.isEmpty())
        return eNotApplicable;
    std::error_code ec;
    std::filesystem::create_directories(nativePath(folder), ec);

    Vtx_String file = folder + kDlgSizeFileName;
    Vtx_PropertiesList store;
    if (store.readFromFile(file) != eOk)
        store.clear();
    Vtx_String text = Vtx_String::fromInt(size.left) + " " + Vtx_String::fromInt(size.top) + " " +
                      Vtx_String::fromInt(size.width) + " " + Vtx_String::fromInt(size.height);
    if (ErrorStatus status = store.setProperty(dlgName, text); status != eOk)
        return status;
    return store.writeToFile(file) == eOk ? eOk : eFileAccessErr;
}
