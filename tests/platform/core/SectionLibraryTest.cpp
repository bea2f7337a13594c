// The section library record: the sample's groups and types read and
// written back, bad files refused with their line, the group operations the
// editor relies on, the library's name lists and texts in every language.
#include "CoreTestSupport.h"

#include "platform/core/SectionLibrary.h"
#include "platform/core/Settings.h"

#include <filesystem>

namespace {

namespace fs = std::filesystem;

const fs::path kSample = fs::path(VTX_SAMPLE_DIR);

class SectionLibraryRecord : public ::testing::Test {
protected:
    void SetUp() override {
        m_savedLib = gSettings.libDir;
        m_savedVtx = gSettings.vtxDir;
        fs::create_directories(folder.path() / "library");
        fs::copy(kSample / "library" / "prof", folder.path() / "library" / "prof");
        fs::copy(kSample / "install", folder.path() / "install", fs::copy_options::recursive);
        gSettings.setLibDir(folder.core() + "library\\");
        gSettings.setVtxDir(folder.core() + "install\\");
        resetLanguageTexts();
    }
    void TearDown() override {
        gSettings.libDir = m_savedLib;
        gSettings.vtxDir = m_savedVtx;
        resetLanguageTexts();
    }
    /// Reads a library file holding bytes; the reason of a refusal in reason.
    ErrorStatus readBytes(const std::string& bytes, DlgEditLibData& data, Vtx_String& reason) {
        folder.put("lib.tbl", bytes);
        return data.readFromFile(folder.file("lib.tbl"), &reason);
    }

    CoreTempFolder folder;

private:
    Vtx_String m_savedLib;
    Vtx_String m_savedVtx;
};

TEST_F(SectionLibraryRecord, ReadsTheSampleAndWritesItBackByteForByte) {
    DlgEditLibData data;
    Vtx_String reason;
    ASSERT_EQ(data.readFromFile(DlgEditLibData::libraryFile(), &reason), eOk) << reason.str();
    EXPECT_EQ(data.languages, (Vtx_StringArray{"English", "German", "French", "Dutch"}));
    ASSERT_EQ(data.groups.length(), 5);
    EXPECT_EQ(data.groups[1].name, "Channels");
    EXPECT_EQ(data.groups[1].names[1], "U-Profile");
    EXPECT_FALSE(data.groups[4].enabled);
    ASSERT_EQ(data.types.length(), 7);
    EXPECT_EQ(data.types[0].tableName, "IPE");
    EXPECT_EQ(data.types[0].groupId, 0);
    EXPECT_EQ(data.types[0].image, "ProfSectionI");
    // French names carry bytes beyond ASCII; they come back unchanged.
    EXPECT_EQ(data.groups[0].names[2], Vtx_String("Profil\xE9s en I"));

    ASSERT_EQ(data.writeToFile(folder.file("copy.tbl")), eOk);
    EXPECT_EQ(folder.get("copy.tbl"), folder.get("library/prof/Sections.tbl"));
}

TEST_F(SectionLibraryRecord, RefusesBadFilesNamingTheLineAndKeepsTheRecord) {
    DlgEditLibData data;
    ASSERT_EQ(data.readFromFile(DlgEditLibData::libraryFile()), eOk);
    const DlgEditLibData before = data;
    const std::string head = "vtx-table 1\nlanguages\tEnglish\tGerman\n";
    const struct {
        std::string bytes;
        const char* line;
    } cases[] = {
        {"vtx-table 1\ngroup\t0\tA\t1\t\tA\tA\n", "line 2"},
        {head + "group\t0\tA\t1\t\tA\n" + "group\t0\tB\t1\t\tB\n", "line 4"},
        {head + "group\tx\tA\t1\t\tA\n", "line 3"},
        {head + "group\t0\tA\tyes\t\tA\n", "line 3"},
        {head + "type\t0\t1\t\tIPE\ta\tb\tc\n", "line 3"}, // three names, two languages
        {head + "type\t-2\t1\t\tIPE\n", "line 3"},
        {head + "\nsection\t0\n", "line 4"},
    };
    for (const auto& bad : cases) {
        Vtx_String reason;
        EXPECT_EQ(readBytes(bad.bytes, data, reason), eBadFileFormat) << bad.bytes;
        EXPECT_TRUE(reason.hasSubString("lib.tbl")) << reason.str();
        EXPECT_TRUE(reason.hasSubString(bad.line)) << reason.str();
        EXPECT_TRUE(data.groups == before.groups && data.types == before.types);
    }
    // Missing names are empty texts, so every entry has one per language.
    Vtx_String reason;
    ASSERT_EQ(readBytes(head + "type\t-1\t0\t\tFL\n", data, reason), eOk) << reason.str();
    EXPECT_EQ(data.types[0].names, (Vtx_StringArray{"", ""}));
    EXPECT_FALSE(data.types[0].enabled);
}

TEST_F(SectionLibraryRecord, GroupOperationsKeepIdsAndTypesConsistent) {
    DlgEditLibData data;
    ASSERT_EQ(data.readFromFile(DlgEditLibData::libraryFile()), eOk);
    // Ids go with their groups when groups move, so types keep their group.
    ASSERT_TRUE(data.groups.swap(0, 1));
    EXPECT_EQ(data.groups.findId(0), 1);
    EXPECT_FALSE(data.groups.swap(0, 5));

    const int added = data.groups.appendNewGrp("New group", data.languages.length());
    EXPECT_EQ(added, 5);
    EXPECT_EQ(data.groups[added].id, 5); // above every id in use
    EXPECT_EQ(data.groups[added].names.length(), 4);

    // Removing a group leaves its types without a group, not with a stale id.
    ASSERT_TRUE(data.removeGroup(data.groups.findId(0)));
    EXPECT_EQ(data.groups.findId(0), -1);
    for (int t = 0; t < 3; ++t)
        EXPECT_EQ(data.types[t].groupId, -1);
    EXPECT_EQ(data.types[3].groupId, 1);
    EXPECT_FALSE(data.removeGroup(99));
}

TEST_F(SectionLibraryRecord, ListsTablesTemplatesAndPicturesOfTheLibrary) {
    folder.put("library/prof/Special.dwg", "x");
    DlgEditLibData data;
    data.GetAvailableFiles();
    EXPECT_EQ(data.tableNames, (Vtx_StringArray{"FL", "HEA", "HEB", "IPE", "L", "RHS", "UPN"}));
    EXPECT_EQ(data.templateFiles, (Vtx_StringArray{"Special.dwg"}));
    ASSERT_TRUE(data.images.contains("ProfSectionI"));
    EXPECT_TRUE(data.images.contains("Unknown"));
    EXPECT_EQ(data.images.find("ProfSectionI"), data.images.find("ProfSectionI", false));
    EXPECT_EQ(data.images.length(), 7); // each picture once for both sizes

    gSettings.setLibDir(folder.core() + "nowhere\\");
    data.GetAvailableFiles();
    EXPECT_TRUE(data.tableNames.isEmpty());
}

TEST_F(SectionLibraryRecord, TextsInEveryLanguageFallBackToEnglish) {
    folder.put("install/Texts/German.txt",
               "VtxLanguageTexts version 1\n[Dialog]\n779\tNeue Tabelle\n");
    const Vtx_StringArray texts = dialStringAllLangs(779, {"English", "German", "French"});
    EXPECT_EQ(arrToStr(texts, '|'), "New table|Neue Tabelle|New table")
        << languageTextsProblem().str();
    EXPECT_EQ(dialStringAllLangs(99999, {"German"}), (Vtx_StringArray{"#99999"}));

    DlgEditLibData data;
    data.languages = {"English", "German"};
    gSettings.workLanguage = "German";
    EXPECT_EQ(data.shownName({"Angle", "Winkel"}), "Winkel");
    EXPECT_EQ(data.shownName({"Angle", ""}, "key"), "key");
    gSettings.workLanguage = "Korean"; // not a language of the library: the first one
    EXPECT_EQ(data.shownName({"Angle", "Winkel"}), "Angle");
    gSettings.workLanguage = "English";
}

} // namespace
