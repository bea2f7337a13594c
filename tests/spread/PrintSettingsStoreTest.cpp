// The print settings' key/value store, its 0xA4 text form, and the record
// read from the settings files under tests/data/spread/printsettings/.
#include "spread/PrintSettings.h"

#include "platform/core/Files.h"
#include "platform/core/Settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string kSep = "\xA4";

std::string entry(const std::string& key, int type, const std::string& value) {
    return key + kSep + std::to_string(type) + kSep + value + kSep;
}

std::vector<std::string> texts(const Vtx_StringArray& list) {
    std::vector<std::string> out;
    for (const Vtx_String& text : list)
        out.push_back(text.str());
    return out;
}

// Points the installation folder at the fixture files for one test.
class PrintSettingsSets : public ::testing::Test {
protected:
    void SetUp() override {
        m_saved = gSettings.vtxDir;
        gSettings.setVtxDir(std::string(VTX_TEST_DATA) + "/spread/printsettings/");
    }
    void TearDown() override { gSettings.vtxDir = m_saved; }

private:
    Vtx_String m_saved;
};

} // namespace

TEST(PrintSettingsStore, KeysIgnoreCaseAndKeepTheirPlaceAndFirstSpelling) {
    KsSettingsStore store;
    store.setText("defaultFont", "Arial");
    store.setInt("marginLeft", 9);
    store.setText("DEFAULTFONT", "Courier");
    store.setInt("MarginLeft", 4);
    ASSERT_EQ(store.count(), 2);
    EXPECT_EQ(store.entry(0).key.str(), "defaultFont");
    EXPECT_EQ(store.entry(0).text.str(), "Courier");
    EXPECT_EQ(store.entry(1).integer, 4);

    // A key set to another type changes its type and drops the old value.
    store.setInt("defaultfont", 3);
    int number = 0;
    Vtx_String text = "untouched";
    EXPECT_TRUE(store.getInt("DefaultFont", number));
    EXPECT_EQ(number, 3);
    EXPECT_FALSE(store.getText("defaultFont", text));
    EXPECT_EQ(text.str(), "untouched");
    EXPECT_TRUE(store.entry(0).text.isEmpty());
}

TEST(PrintSettingsStore, TextFormIsKeyTypeValueEachClosedBySeparator) {
    KsSettingsStore store;
    store.setText("footerFile", "");
    store.setInt("marginTop", -5);
    store.setText("varValues0", "Gr\xF6\xDF"
                                "e \x80");
    Vtx_String text;
    ASSERT_TRUE(store.toText(text));
    EXPECT_EQ(text.str(), entry("footerFile", 4, "") + entry("marginTop", 2, "-5") +
                              entry("varValues0", 4,
                                    "Gr\xF6\xDF"
                                    "e \x80"));

    KsSettingsStore back;
    ASSERT_TRUE(back.fromText(text.view(), "tag"));
    Vtx_String again;
    ASSERT_TRUE(back.toText(again));
    EXPECT_EQ(again.str(), text.str());
}

TEST(PrintSettingsStore, IncompleteTrailingEntryIsIgnored) {
    struct Row {
        std::string text;
        int entries;
    };
    const std::vector<Row> rows = {
        {"", 0},
        {"defaultFont", 0},
        {"marginTop" + kSep + "2" + kSep, 0},
        {"marginTop" + kSep + "2" + kSep + "5", 0},
        {entry("marginTop", 2, "5") + "border" + kSep + "2", 1},
        {entry("marginTop", 2, "5") + entry("border", 2, "0") + "x", 2},
        // A trailing entry cannot be "damaged": it is not read at all.
        {entry("marginTop", 2, "5") + "border" + kSep + "two" + kSep + "x", 1},
    };
    for (const Row& row : rows) {
        KsSettingsStore store;
        Vtx_StringArray skipped;
        EXPECT_TRUE(store.fromText(row.text, "tag", &skipped)) << row.text;
        EXPECT_EQ(skipped.length(), 0) << row.text;
        EXPECT_EQ(store.count(), row.entries) << row.text;
    }
}

TEST(PrintSettingsStore, UnknownTypesKeepNoTextAndBadNumbersCostOnlyTheirEntry) {
    KsSettingsStore store;
    ASSERT_TRUE(store.fromText(entry("scale", 3, "1.5") + entry("count", 7, "12"), "tag"));
    ASSERT_EQ(store.count(), 2);
    EXPECT_EQ(store.entry(0).type, 3);
    EXPECT_TRUE(store.entry(0).text.isEmpty());
    EXPECT_EQ(store.entry(1).integer, 12);
    int value = 0;
    EXPECT_FALSE(store.getInt("count", value)) << "only type 2 is an integer entry";

    // An integer that is no number is left out; the entries on either side
    // of it are read.
    Vtx_StringArray skipped;
    EXPECT_FALSE(store.fromText(entry("a", 2, "1") + entry("b", 2, "1x") + entry("c", 4, "x") +
                                    entry("d", 2, "99999999999"),
                                "set.ksd", &skipped));
    ASSERT_EQ(store.count(), 2);
    EXPECT_EQ(store.entry(0).key.str(), "a");
    EXPECT_EQ(store.entry(1).text.str(), "x");
    ASSERT_EQ(skipped.length(), 2) << "one line per entry left out";
    EXPECT_NE(skipped[0].str().find("set.ksd: entry 2 (byte 6): value \"1x\" of key \"b\""),
              std::string::npos)
        << skipped[0].str();
    EXPECT_NE(skipped[1].str().find("entry 4"), std::string::npos) << "beyond the int range";

    // So is an entry whose type is no number.
    EXPECT_FALSE(store.fromText(entry("a", 4, "x") + entry("b", -1, "1") + "z" + kSep + "?" + kSep +
                                    "1" + kSep + entry("w", 2, "7"),
                                "tag", &skipped));
    EXPECT_EQ(store.count(), 3);
    EXPECT_TRUE(store.getInt("w", value));
    EXPECT_EQ(value, 7);
    ASSERT_EQ(skipped.length(), 1);
    EXPECT_NE(skipped[0].str().find("entry 3"), std::string::npos) << skipped[0].str();
}

TEST(PrintSettingsStore, ALargeTextReadsInLinearTime) {
    std::string text;
    const int count = 20000; // pairs; quadratic look-ups would take many seconds
    for (int i = 0; i < count; ++i)
        text += entry("varNames" + std::to_string(i), 4, "n") +
                entry("varValues" + std::to_string(i), 4, "v");
    KsSettingsStore store;
    ASSERT_TRUE(store.fromText(text, "tag"));
    EXPECT_EQ(store.count(), 2 * count);
    KsPrintSettings settings;
    settings.readFromStore(store);
    EXPECT_EQ(settings.variableValues().length(), count);
}

TEST(PrintSettingsStore, SeparatorInsideATextIsNeverWritten) {
    KsSettingsStore store;
    store.setText("varValues0", "10 \xA4 12");
    Vtx_String text = "before";
    Vtx_String reason;
    EXPECT_FALSE(store.toText(text, &reason));
    EXPECT_EQ(text.str(), "before");
    EXPECT_NE(reason.str().find("varValues0"), std::string::npos);
}

TEST(PrintSettingsRecord, DefaultsAndTheKeyOrderOfAWrittenStore) {
    KsPrintSettings settings;
    EXPECT_FALSE(settings.isValid());
    settings.readFromStore(KsSettingsStore());
    EXPECT_TRUE(settings.isValid());
    EXPECT_EQ(settings.fontName().str(), "Tahoma");
    EXPECT_EQ(settings.textHeight(), 13);
    EXPECT_EQ(settings.marginLeft(), 9);
    EXPECT_EQ(settings.marginBottom(), 5);
    EXPECT_TRUE(settings.smartPrint() && settings.colors() && settings.colHeader() &&
                settings.rowHeader() && settings.cellSeparators() && settings.border());

    settings.setVariables(Vtx_StringArray{"Date", "Title"}, Vtx_StringArray{"today", "Bill"});
    KsSettingsStore store;
    settings.writeToStore(store);
    std::vector<std::string> keys;
    for (int i = 0; i < store.count(); ++i)
        keys.push_back(store.entry(i).key.str());
    const std::vector<std::string> expected = {
        "defaultFont", "defaultTextHeight", "headerFile",     "footerFile", "marginLeft",
        "marginRight", "marginTop",         "marginBottom",   "smartPrint", "colors",
        "colHeader",   "rowHeader",         "cellSeperators", "border",     "varNames0",
        "varNames1",   "varValues0",        "varValues1"};
    EXPECT_EQ(keys, expected);
}

TEST_F(PrintSettingsSets, AWholeSetWith8BitTexts) {
    KsPrintSettings settings;
    Vtx_String reason;
    ASSERT_TRUE(settings.readFromFile("Bill", &reason)) << reason.str();
    EXPECT_EQ(settings.fontName().str(), "Arial");
    EXPECT_EQ(settings.textHeight(), 10);
    EXPECT_EQ(settings.headerFile().str(), "Pictures\\logo.bmp");
    EXPECT_EQ(settings.marginLeft(), 12);
    EXPECT_EQ(settings.marginRight(), 6);
    EXPECT_EQ(settings.marginTop(), 7);
    EXPECT_EQ(settings.marginBottom(), 8);
    EXPECT_FALSE(settings.smartPrint());
    EXPECT_FALSE(settings.colHeader());
    EXPECT_FALSE(settings.cellSeparators());
    EXPECT_TRUE(settings.colors() && settings.rowHeader() && settings.border());
    EXPECT_EQ(texts(settings.variableNames()), (std::vector<std::string>{"Project", "Gr\xF6\xDF"
                                                                                    "e"}));
    EXPECT_EQ(texts(settings.variableValues()),
              (std::vector<std::string>{"Hall \x80 12", "HEA 200"}));
}

TEST_F(PrintSettingsSets, ThreeNamesOneValueAndACutOffEntryGiveOnePair) {
    KsPrintSettings settings;
    ASSERT_TRUE(settings.readFromFile("Incomplete"));
    EXPECT_EQ(texts(settings.variableNames()), std::vector<std::string>{"Date"});
    EXPECT_EQ(texts(settings.variableValues()), std::vector<std::string>{"7 December"});
    EXPECT_EQ(settings.marginTop(), 11) << "entries before the cut-off one are read";
}

TEST_F(PrintSettingsSets, KeysDifferingInCaseAreOneKey) {
    KsPrintSettings settings;
    ASSERT_TRUE(settings.readFromFile("MixedCase"));
    EXPECT_EQ(settings.fontName().str(), "Verdana") << "the later entry replaces the earlier";
    EXPECT_EQ(settings.marginLeft(), 20);
    EXPECT_EQ(texts(settings.variableNames()), std::vector<std::string>{"Weight"});
    EXPECT_EQ(texts(settings.variableValues()), std::vector<std::string>{"12.5 kg"});
}

TEST_F(PrintSettingsSets, EntriesOfTheWrongTypeLeaveTheDefaults) {
    KsPrintSettings settings;
    ASSERT_TRUE(settings.readFromFile("FlagAsText"));
    EXPECT_TRUE(settings.smartPrint()) << "a flag stored as text is ignored";
    EXPECT_TRUE(settings.colors());
    EXPECT_FALSE(settings.colHeader());
    EXPECT_TRUE(settings.border()) << "any non-zero number is true";
    EXPECT_EQ(settings.textHeight(), 13);
    EXPECT_EQ(settings.fontName().str(), "Tahoma");
    // The names stop at the integer entry "varNames1"; the values are cut to match.
    EXPECT_EQ(texts(settings.variableNames()), std::vector<std::string>{"A"});
    EXPECT_EQ(texts(settings.variableValues()), std::vector<std::string>{"1"});
}

TEST_F(PrintSettingsSets, ABadIntegerEntryCostsOnlyItselfAndIsNamed) {
    KsPrintSettings settings;
    ASSERT_TRUE(settings.readFromFile("Damaged"));
    EXPECT_EQ(settings.fontName().str(), "Arial") << "the entry before the bad one";
    EXPECT_EQ(settings.marginTop(), 3) << "the entry after the bad one";
    EXPECT_EQ(settings.marginLeft(), 9) << "the bad entry leaves the default";
    ASSERT_EQ(settings.skippedEntries().length(), 1);
    const std::string line = settings.skippedEntries()[0].str();
    EXPECT_NE(line.find("Damaged.ksd: entry 2"), std::string::npos) << line;
    EXPECT_NE(line.find("nine"), std::string::npos) << line;

    ASSERT_TRUE(settings.readFromFile("Bill"));
    EXPECT_EQ(settings.skippedEntries().length(), 0) << "each read starts afresh";
}

TEST(PrintSettingsSample, TheShippedDefaultSetIsWhatTheWriterWritesForTheDefaults) {
    std::string bytes;
    ASSERT_EQ(
        readFileBytes(std::string(VTX_TEST_DATA) + "/../../sample/install/Default.ksd", bytes),
        eOk);
    KsPrintSettings defaults;
    defaults.readFromStore(KsSettingsStore());
    KsSettingsStore store;
    defaults.writeToStore(store);
    Vtx_String text;
    ASSERT_TRUE(store.toText(text));
    EXPECT_EQ(bytes, text.str());
}
