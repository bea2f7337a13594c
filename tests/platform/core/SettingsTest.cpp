#include "platform/core/Settings.h"

#include "CoreTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(Settings, FoldersGetTheirClosingBackslash) {
    Vtx_Settings settings;
    settings.setLibDir("C:\\Lib");
    EXPECT_EQ(settings.libDir, "C:\\Lib\\");
    settings.setLibDir("C:\\Lib\\");
    EXPECT_EQ(settings.libDir, "C:\\Lib\\");
    settings.setVtxDir("/opt/vtx/");
    EXPECT_EQ(settings.vtxDir, "/opt/vtx\\");
    settings.setVtxDir("");
    EXPECT_EQ(settings.vtxDir, "");
}

// Language texts against an installation folder of the test's own.
class LanguageTextsTest : public testing::Test {
protected:
    void SetUp() override {
        m_saved = gSettings;
        gSettings.setVtxDir(m_install.core());
        gSettings.workLanguage = "English";
        resetLanguageTexts();
        putTexts("English", "[General]\n1\tOK\n7\tFile error\n[Dialog]\n1\tOK\n2\tCancel\n"
                            "3\tLine\\none\\ttab \\\\ back\n");
    }
    void TearDown() override {
        gSettings = m_saved;
        resetLanguageTexts();
    }
    void putTexts(const std::string& language, const std::string& body) {
        m_install.put("Texts\\" + language + ".txt", "VtxLanguageTexts version 1\n" + body);
    }

    CoreTempFolder m_install;
    Vtx_Settings m_saved;
};

TEST_F(LanguageTextsTest, GeneralAndDialogTextsAreNumberedApart) {
    EXPECT_EQ(string(7), "File error");
    EXPECT_EQ(dialString(7), "#7");
    EXPECT_EQ(dialString(2), "Cancel");
    EXPECT_EQ(string(2), "#2");
    EXPECT_EQ(dialString(3), "Line\none\ttab \\ back");
    EXPECT_EQ(dialString(-5), "#-5");
    EXPECT_EQ(languageTextsProblem(), "");
}

TEST_F(LanguageTextsTest, WorkLanguageFallsBackToEnglish) {
    putTexts("Deutsch", "[Dialog]\n2\tAbbrechen\n4\tGr\xC3\xB6\xC3\x9F"
                        "e\n");
    gSettings.workLanguage = "Deutsch";
    EXPECT_EQ(dialString(2), "Abbrechen");
    EXPECT_EQ(dialString(4), "Gr\xF6\xDF"
                             "e")
        << "UTF-8 on disk, Windows-1252 in memory";
    EXPECT_EQ(dialString(1), "OK") << "missing in German, taken from English";
    EXPECT_EQ(dialString(99), "#99");

    gSettings.workLanguage = "Francais";
    EXPECT_EQ(dialString(2), "Cancel") << "a language without a file uses English";
    EXPECT_EQ(languageTextsProblem(), "") << "a missing translation is no problem";
}

TEST_F(LanguageTextsTest, TablesAreCachedUntilReset) {
    EXPECT_EQ(dialString(2), "Cancel");
    putTexts("English", "[Dialog]\n2\tAbort\n");
    EXPECT_EQ(dialString(2), "Cancel");
    resetLanguageTexts();
    EXPECT_EQ(dialString(2), "Abort");

    CoreTempFolder other;
    other.put("Texts\\English.txt", "VtxLanguageTexts version 1\n[Dialog]\n2\tStop\n");
    gSettings.setVtxDir(other.core());
    EXPECT_EQ(dialString(2), "Stop") << "another installation folder takes effect at once";
}

TEST_F(LanguageTextsTest, BadTableFallsBackAndReportsFileAndLine) {
    putTexts("Deutsch", "[Dialog]\n1\tJa\n2\n");
    gSettings.workLanguage = "Deutsch";
    EXPECT_EQ(dialString(1), "OK");
    Vtx_String problem = languageTextsProblem();
    EXPECT_TRUE(problem.hasSubString("Deutsch.txt: line 4:")) << problem.c_str();
}

TEST_F(LanguageTextsTest, LanguageNameNeverLeavesTheTextsFolder) {
    m_install.put("secret.txt", "VtxLanguageTexts version 1\n[Dialog]\n2\tLeaked\n");
    for (const char* language : {"..\\secret", "../secret", "..", ""}) {
        gSettings.workLanguage = language;
        EXPECT_EQ(languageTextsPath(language), "") << language;
        EXPECT_EQ(dialString(2), "Cancel") << language;
    }
}

TEST_F(LanguageTextsTest, BadContentIsRefusedWithItsLine) {
    const std::vector<std::pair<std::string, std::string>> files = {
        {"Language texts\n[Dialog]\n", "line 1:"},
        {"VtxLanguageTexts version 1\n1\tOK\n", "line 2:"},
        {"VtxLanguageTexts version 1\n[Menus]\n", "line 2:"},
        {"VtxLanguageTexts version 1\n[Dialog]\n1 OK\n", "line 3:"},
        {"VtxLanguageTexts version 1\n[Dialog]\n-1\tOK\n", "line 3:"},
        {"VtxLanguageTexts version 1\n[Dialog]\n1234567890\tOK\n", "line 3:"},
        {"VtxLanguageTexts version 1\n[Dialog]\n1\tOK\n\n1\tAgain\n", "line 5:"},
        {"VtxLanguageTexts version 1\n[Dialog]\n1\tC:\\Temp\n", "line 3:"},
        {"VtxLanguageTexts version 1\n[Dialog]\n1\tGr\xF6\xDF"
         "e\n",
         "line 3:"},
    };
    for (const auto& [content, where] : files) {
        m_install.put("bad.txt", content);
        Vtx_LanguageTexts texts;
        texts.dialog[5] = "kept";
        Vtx_String reason;
        EXPECT_EQ(readLanguageTexts(m_install.file("bad.txt"), texts, &reason), eBadFileFormat)
            << content;
        EXPECT_TRUE(reason.hasSubString(m_install.file("bad.txt") + ": " + Vtx_String(where)))
            << reason.c_str();
        EXPECT_EQ(texts.dialog.size(), 1u);
    }
}

TEST(LanguageTextsSample, ShippedEnglishTableReads) {
    Vtx_LanguageTexts texts;
    Vtx_String reason;
    ASSERT_EQ(readLanguageTexts(VTX_SAMPLE_DIR "/install/Texts/English.txt", texts, &reason), eOk)
        << reason.c_str();
    EXPECT_EQ(texts.dialog.at(1), "OK");
    EXPECT_EQ(texts.dialog.at(2), "Cancel");
    EXPECT_EQ(texts.general.at(1), "OK");
    EXPECT_EQ(texts.general.at(2), "Cancel");
}

} // namespace
