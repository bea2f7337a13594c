// Fuzz target of the language-text reader. The format has no writer; the
// checks are its promises: texts are replaced only when the file reads, the
// numbers stay in their range, and a text looked up is the one read.

#include "FuzzSupport.h"

#include "platform/core/Settings.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool folders = [] {
        gSettings.setVtxDir(fuzz::corePathOf(fuzz::tempFolder() + "/install"));
        gSettings.workLanguage = "Fuzz";
        return true;
    }();
    (void)folders;
    const std::string path =
        fuzz::writeTempFile("install/Texts/Fuzz.txt", fuzz::asText(data, size));

    Vtx_LanguageTexts texts;
    texts.general[-1] = "before";
    Vtx_String reason;
    if (readLanguageTexts(fuzz::corePathOf(path), texts, &reason) != eOk) {
        FUZZ_CHECK(texts.general.size() == 1 && texts.general.count(-1) == 1,
                   "a refused file changed the texts");
        FUZZ_CHECK(!reason.isEmpty(), "a refused file gives no reason");
        return 0;
    }
    resetLanguageTexts();
    for (const auto* table : {&texts.general, &texts.dialog}) {
        int looked = 0;
        for (const auto& [number, text] : *table) {
            FUZZ_CHECK(number >= 0 && number <= 999999999, "a text number out of range");
            const Vtx_String shown = table == &texts.general ? string(number) : dialString(number);
            FUZZ_CHECK(shown == text, "text " + std::to_string(number) + " is looked up otherwise");
            if (++looked == 8)
                break;
        }
    }
    return 0;
}
