// KsPrintSettings: settings files, the registry defaults and preparing a grid.
#include "spread/PrintSettings.h"

#include "platform/core/Files.h"
#include "platform/core/Settings.h"
#include "platform/core/StringUtils.h"
#include "platform/host/Host.h"
#include "platform/sheet/SheetModel.h"
#include "spread/VtxSpread.h"

namespace {

constexpr int kSettingsGridColumns = 6;
constexpr int kSettingsGridRows = 11;
constexpr int kSettingsEditLength = 100;
constexpr int kTextTipFloating = 2;
constexpr int kTextTipDelay = 10;

// Reads a registry text as the settings accept it: text values only, none
// longer than kPrintSettingsMaxRegistryText bytes.
bool readRegistryText(const char* name, Vtx_String& value) {
    Vtx_String text;
    if (Host::current().registry().getText(kPrintSettingsRegistryKey, name, text) != eOk)
        return false;
    if (text.length() > kPrintSettingsMaxRegistryText)
        return false;
    value = text;
    return true;
}

// Set names ignore letter case, as the family's file system does: when no
// file has the name as written, one whose name differs only in case is taken.
Vtx_String findSettingsFile(const Vtx_String& path) {
    if (path.isEmpty() || fileExists(path))
        return path;
    const Vtx_String folder = path.left(path.findLast('\\') + 1);
    const Vtx_String found = findFileIgnoringCase(folder, path.mid(folder.length()));
    return found.isEmpty() ? path : folder + found;
}

bool setFileExists(const Vtx_String& setName) {
    const Vtx_String path = KsPrintSettings::settingsFilePath(setName);
    return !path.isEmpty() && fileExists(findSettingsFile(path));
}

} // namespace

Vtx_String KsPrintSettings::installFolder() {
    Vtx_String folder = gSettings.vtxDir;
    folder.replaceSubString("/", "\\");
    // A root folder ("\\") keeps its one backslash.
    while (folder.length() > 1 && folder.endsWith("\\"))
        folder.removeAt(folder.length() - 1);
    if (folder.isEmpty())
        return folder;
    if (!folder.endsWith("\\"))
        folder.append('\\');
    return folder;
}

Vtx_String KsPrintSettings::settingsFilePath(const Vtx_String& setName) {
    const Vtx_String folder = installFolder();
    if (folder.isEmpty() || setName.isEmpty() || hasInvalidFileNameChars(setName) ||
        setName == "." || setName == "..")
        return {};
    return folder + setName + "." + kPrintSettingsExtension;
}

bool KsPrintSettings::readFromFile(const Vtx_String& setName, Vtx_String* reason) {
    setDefaults();
    m_valid = true;
    const Vtx_String path = settingsFilePath(setName);
    if (path.isEmpty()) {
        if (reason)
            *reason = "print settings \"" + setName + "\": no settings file for this name";
        return false;
    }
    std::string bytes;
    if (readFileBytes(findSettingsFile(path), bytes, reason) != eOk)
        return false;
    KsSettingsStore store;
    Vtx_StringArray skipped;
    store.fromText(bytes, path, &skipped);
    readFromStore(store);
    m_skipped = skipped;
    return true;
}

bool KsPrintSettings::writeToFile(const Vtx_String& setName, Vtx_String* reason) const {
    const Vtx_String path = settingsFilePath(setName);
    if (path.isEmpty()) {
        if (reason)
            *reason = "print settings \"" + setName + "\": no settings file for this name";
        return false;
    }
    KsSettingsStore store;
    writeToStore(store);
    Vtx_String text;
    if (!store.toText(text, reason))
        return false;
    if (writeFileAtomically(findSettingsFile(path), text.view()) != eOk) {
        if (reason)
            *reason = path + ": cannot be written";
        return false;
    }
    return true;
}

bool KsPrintSettings::readRegistryDefaults() {
    const bool language = readRegistryText("Language", m_language);
    const bool defaultSet = readRegistryText("Default Settings", m_defaultSetName);
    return language && defaultSet;
}

bool KsPrintSettings::loadSettingsIntoGrid(Vtx_Spread* grid, const Vtx_String& setName,
                                           bool reset) {
    if (!grid || !grid->isCreated())
        return false;
    grid->setOption(12, true);
    grid->setOption(25, true);
    grid->setOption(vtx::sheet::kOptionAutoCalc, true);
    grid->setOption(21, true);

    bool written = true;
    if (reset) {
        grid->setMaxCols(kSettingsGridColumns, false);
        grid->setMaxRows(kSettingsGridRows, false);
        grid->setEditCells(1, 1, kSettingsGridColumns, kSettingsGridRows, kEditStyleSettings,
                           kSettingsEditLength);
        Vtx_String reason;
        if (!readFromFile(setName, &reason)) {
            // A set that is missing falls back silently; one that cannot be
            // read is worth a line on the command line, since its owner lost it.
            if (setFileExists(setName))
                hostPrintf("*Error* %s\n", reason.c_str());
            readRegistryDefaults();
            reason.clear();
            if (!readFromFile(m_defaultSetName, &reason) && setFileExists(m_defaultSetName))
                hostPrintf("*Error* %s\n", reason.c_str());
        }
        // The set is used with the entries it could give; each one it could
        // not is named, so that its owner can mend the file.
        for (const Vtx_String& line : m_skipped)
            hostPrintf("*Error* %s\n", line.c_str());
        m_grid = grid;
        written = writeToGrid(grid);
        if (!m_fontName.isEmpty() && m_textHeight > 0) {
            const int columns = grid->getMaxCols();
            const int rows = grid->getMaxRows();
            grid->setRangeFont(1, 1, columns, rows, m_fontName, m_textHeight, false);
            grid->setRangeFont(1, 0, columns, 0, m_fontName, m_textHeight, true);
            grid->setRangeFont(0, 1, 0, rows, m_fontName, m_textHeight, true);
        }
    }

    vtx::sheet::SheetAppearance& appearance = grid->model()->appearance();
    appearance.textTipMode = kTextTipFloating;
    appearance.textTipDelay = kTextTipDelay;
    appearance.cellNoteIndicator = kCellNoteIndicatorOff;
    return written;
}
