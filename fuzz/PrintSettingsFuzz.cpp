// Fuzz target of the print-settings text, the form shared by a sheet's tag
// and the ".ksd" settings files. Round trips: the store written as text
// reads back to the same text; the settings written to a store, to a grid's
// tag and to a settings file read back equal; and a grid prepared with the
// settings (fonts applied) saves a sheet file that its reader accepts.

#include "FuzzSupport.h"

#include "platform/core/Settings.h"
#include "platform/sheet/SheetModel.h"
#include "spread/DialogHost.h"
#include "spread/PrintSettings.h"
#include "spread/VtxSpread.h"

#include <string>

namespace {

constexpr int kPlaceholder = 1;

void checkStoreText(const KsSettingsStore& store) {
    Vtx_String second;
    Vtx_String reason;
    FUZZ_CHECK(store.toText(second, &reason),
               "a store read from text cannot be written: " + reason.str());
    KsSettingsStore back;
    Vtx_StringArray skipped;
    FUZZ_CHECK(back.fromText(second.view(), "second", &skipped),
               "the written store leaves entries out when read back: " +
                   (skipped.isEmpty() ? std::string() : skipped[0].str()));
    Vtx_String third;
    FUZZ_CHECK(back.toText(third), "a store read from text cannot be written");
    FUZZ_CHECK_SAME(second.str(), third.str(), "written again, the settings text changes");
}

void checkStore(const KsPrintSettings& settings) {
    KsSettingsStore store;
    settings.writeToStore(store);
    KsPrintSettings back;
    back.readFromStore(store);
    FUZZ_CHECK(back == settings, "the settings written to a store read back otherwise");
}

// The settings file as a set of a grid for a bill: the grid's tag and the
// grid's sheet file must read back.
void checkGrid(const KsPrintSettings& fromFile) {
    HiddenDialogHost dialog;
    dialog.addPlaceholder(kPlaceholder, {0, 0, 400, 300});
    Vtx_Spread grid;
    FUZZ_CHECK(grid.createInDialog(&dialog, kPlaceholder, true), "no grid");
    KsPrintSettings settings;
    if (!settings.loadSettingsIntoGrid(&grid, "Input", true))
        return;
    KsPrintSettings tag;
    Vtx_String reason;
    FUZZ_CHECK(tag.readFromGrid(&grid, &reason), "the tag written does not read: " + reason.str());
    FUZZ_CHECK(tag == fromFile, "the settings in the grid's tag differ from the file's");

    const std::string second = grid.model()->saveToText();
    vtx::sheet::SheetModel reloaded;
    std::string why;
    FUZZ_CHECK(reloaded.loadFromText(second, "second", &why),
               "the grid with these settings saves a sheet file that does not load: " + why);
    FUZZ_CHECK_SAME(second, reloaded.saveToText(), "the grid's sheet file, saved again, changes");

    FUZZ_CHECK(settings.writeToFile("Second", &reason),
               "the settings cannot be written: " + reason.str());
    KsPrintSettings back;
    FUZZ_CHECK(back.readFromFile("Second", &reason),
               "the written settings file does not read: " + reason.str());
    FUZZ_CHECK(back == settings, "the written settings file reads back otherwise");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool folders = [] {
        gSettings.setVtxDir(fuzz::corePathOf(fuzz::tempFolder() + "/install"));
        return true;
    }();
    (void)folders;
    const std::string_view bytes = fuzz::asText(data, size);
    // Entries the reader leaves out cost only themselves; the rest is read
    // and must round-trip like a whole text.
    KsSettingsStore store;
    store.fromText(bytes, "input");
    checkStoreText(store);
    KsPrintSettings settings;
    settings.readFromStore(store);
    checkStore(settings);

    fuzz::writeTempFile("install/Input.ksd", bytes);
    KsPrintSettings fromFile;
    Vtx_String reason;
    FUZZ_CHECK(fromFile.readFromFile("Input", &reason),
               "a settings text that reads from memory is refused in a file: " + reason.str());
    FUZZ_CHECK(fromFile == settings, "the settings file reads otherwise than its text");
    checkGrid(fromFile);
    return 0;
}
