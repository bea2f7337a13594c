// Section-type pictures: names from type numbers, drawings and user sections,
// the "Unknown" fallback, and the automated copies of user-section bitmaps.
#include "spread/SectionImages.h"

#include "platform/core/Settings.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace fs = std::filesystem;

namespace {

const fs::path kImages = fs::path(VTX_TEST_DATA) / "spread" / "images";

std::string readAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// An installation folder with "icons/" and a library folder with
// "User Sections/", both empty, set as the core library's folders.
class SectionImages : public ::testing::Test {
protected:
    void SetUp() override {
        savedLib = gSettings.libDir;
        savedVtx = gSettings.vtxDir;
        for (int i = 0;; ++i) {
            root = fs::temp_directory_path() /
                   ("vtx_sectionimages_" + std::to_string(::getpid()) + "_" + std::to_string(i));
            if (fs::create_directory(root))
                break;
        }
        icons = root / "install" / "icons";
        userSections = root / "library" / "User Sections";
        fs::create_directories(icons);
        fs::create_directories(userSections);
        gSettings.setVtxDir((root / "install").string());
        gSettings.setLibDir((root / "library").string());
    }
    void TearDown() override {
        gSettings.libDir = savedLib;
        gSettings.vtxDir = savedVtx;
        std::error_code ec;
        fs::remove_all(root, ec);
    }
    void install(const std::string& fixture, const fs::path& to) {
        fs::copy_file(kImages / fixture, to, fs::copy_options::overwrite_existing);
    }
    void addUserSection(const std::string& name) {
        install("Box Girder.bmp", userSections / (name + ".bmp"));
    }

    fs::path root, icons, userSections;
    Vtx_String savedLib, savedVtx;
};

TEST(SectionTypeName, CoversTheNumbersOneToTwentyFourOnly) {
    EXPECT_EQ(getSectionTypeName(1), "ProfSectionI");
    EXPECT_EQ(getSectionTypeName(3), "ProfSectionHL");
    EXPECT_EQ(getSectionTypeName(19), "ProfSectionSigma+");
    EXPECT_EQ(getSectionTypeName(24), "ProfSectionDouble Cleat");
    EXPECT_EQ(getSectionTypeName(0), "");
    EXPECT_EQ(getSectionTypeName(25), "");
    EXPECT_EQ(getSectionTypeName(-3), "");
}

TEST_F(SectionImages, TypeNumberFindsItsPictureInTheAskedSizeOnly) {
    EXPECT_EQ(getSectionImageFile("3", "", true), "Unknown-big.bmp");
    install("ProfSectionHL-big.bmp", icons / "ProfSectionHL-big.bmp");
    EXPECT_EQ(getSectionImageFile("3", "", true), "ProfSectionHL-big.bmp");
    EXPECT_EQ(getSectionImageFile("3", "", false), "Unknown-small.bmp")
        << "the big picture must not stand in for the small one";
    EXPECT_EQ(getSectionImageFile("1", "", true), "Unknown-big.bmp");
}

TEST_F(SectionImages, TypeTextThatIsNoKnownNumberGivesUnknown) {
    // A file named by the suffix alone must not be found for an empty base.
    install("ProfSectionI-small.bmp", icons / "-small.bmp");
    install("ProfSectionI-small.bmp", icons / "ProfSectionI-small.bmp");
    EXPECT_EQ(getSectionImageFile("abc", "", false), "Unknown-small.bmp");
    EXPECT_EQ(getSectionImageFile("99", "", false), "Unknown-small.bmp");
    EXPECT_EQ(getSectionImageFile("1x", "", false), "Unknown-small.bmp");
    EXPECT_EQ(getSectionImageFile(" 1 ", "", false), "ProfSectionI-small.bmp");
}

TEST_F(SectionImages, DrawingSectionKeepsItsSubFolder) {
    install("ProfSectionI-small.bmp", icons / "Gantry Rail-small.bmp");
    EXPECT_EQ(getSectionImageFile("Gantry Rail.dwg", "", false), "Gantry Rail-small.bmp");
    EXPECT_EQ(getSectionImageFile("Gantry Rail.DWG", "", false), "Gantry Rail-small.bmp");
    EXPECT_EQ(getSectionImageFile("Gantry Rail.dwg", "", true), "Unknown-big.bmp");

    // The picture lies under the drawing's sub-folders in the icon folder;
    // a picture of the same name elsewhere is another section's.
    fs::create_directories(icons / "Sections" / "Rails");
    install("ProfSectionI-small.bmp", icons / "Sections" / "Rails" / "Gantry Rail-small.bmp");
    EXPECT_EQ(getSectionImageFile("Sections\\Rails\\Gantry Rail.dwg", "", false),
              "Sections\\Rails\\Gantry Rail-small.bmp");
    EXPECT_EQ(getSectionImageFile("Sections/Rails/Gantry Rail.dwg", "", false),
              "Sections\\Rails\\Gantry Rail-small.bmp");
    EXPECT_EQ(getSectionImageFile("Sections\\Cranes\\Gantry Rail.dwg", "", false),
              "Unknown-small.bmp");

    // Nothing outside the icon folder is reached.
    install("ProfSectionI-small.bmp", root / "install" / "Escaped-small.bmp");
    EXPECT_EQ(getSectionImageFile("..\\Escaped.dwg", "", false), "Unknown-small.bmp");
    EXPECT_EQ(getSectionImageFile((root / "install" / "Escaped.dwg").string(), "", false),
              "Unknown-small.bmp");
    EXPECT_EQ(getSectionImageFile("Other.dwg", "", false), "Unknown-small.bmp")
        << "drawing sections get no automated copy";
    EXPECT_FALSE(fs::exists(icons / "Other-automated.bmp"));
}

TEST_F(SectionImages, PictureNamesIgnoreLetterCase) {
    // The result is the name as it is spelt on disk, so that it opens.
    install("ProfSectionHL-big.bmp", icons / "profsectionhl-BIG.bmp");
    EXPECT_EQ(getSectionImageFile("3", "", true), "profsectionhl-BIG.bmp");
    fs::create_directories(icons / "sections" / "rails");
    install("ProfSectionI-small.bmp", icons / "sections" / "rails" / "gantry rail-small.bmp");
    EXPECT_EQ(getSectionImageFile("Sections\\Rails\\Gantry Rail.dwg", "", false),
              "sections\\rails\\gantry rail-small.bmp");
    install("ProfSectionI-small.bmp", icons / "UNKNOWN-small.bmp");
    EXPECT_EQ(getSectionImageFile("99", "", false), "UNKNOWN-small.bmp");

    // A user section's bitmap and its copy are found whatever their case;
    // the copy is named after the bitmap as spelt on disk.
    fs::remove_all(userSections);
    fs::create_directories(root / "library" / "user sections");
    install("Box Girder.bmp", root / "library" / "user sections" / "box girder.BMP");
    EXPECT_EQ(getSectionImageFile("", "User Sections\\Box Girder.bmp", false),
              "box girder-automated.bmp");
    EXPECT_EQ(readAll(icons / "box girder-automated.bmp"), readAll(kImages / "Box Girder.bmp"));
    Vtx_String picture;
    ASSERT_TRUE(ensureAutomatedImage("BOX GIRDER", picture));
    EXPECT_EQ(picture, "box girder-automated.bmp") << "one copy, not one per spelling";
    int files = 0;
    for (const auto& entry : fs::directory_iterator(icons))
        files += entry.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, 3) << "profsectionhl-BIG, UNKNOWN-small and the one copy";
}

TEST_F(SectionImages, UserSectionPrefersItsInstalledPicture) {
    addUserSection("Box Girder");
    install("ProfSectionI-small.bmp", icons / "Box Girder-small.bmp");
    EXPECT_EQ(getSectionImageFile("", "User Sections\\Box Girder.bmp", false),
              "Box Girder-small.bmp");
    EXPECT_EQ(getSectionImageFile("", "user sections/Box Girder.bmp", false),
              "Box Girder-small.bmp");
    EXPECT_EQ(getSectionImageFile("", "Box Girder.bmp", false), "Box Girder-small.bmp");
    EXPECT_FALSE(fs::exists(icons / "Box Girder-automated.bmp"));
}

TEST_F(SectionImages, UserSectionWithoutSmallPictureGetsAnAutomatedCopy) {
    addUserSection("Box Girder");
    EXPECT_EQ(getSectionImageFile("", "User Sections\\Box Girder.bmp", true), "Unknown-big.bmp");
    EXPECT_FALSE(fs::exists(icons / "Box Girder-automated.bmp")) << "the big size never copies";

    EXPECT_EQ(getSectionImageFile("", "User Sections\\Box Girder.bmp", false),
              "Box Girder-automated.bmp");
    EXPECT_EQ(readAll(icons / "Box Girder-automated.bmp"), readAll(kImages / "Box Girder.bmp"));

    EXPECT_EQ(getSectionImageFile("", "User Sections\\Missing.bmp", false), "Unknown-small.bmp");
    EXPECT_EQ(getSectionImageFile("", "", false), "Unknown-small.bmp");
}

TEST_F(SectionImages, AutomatedCopyFollowsANewerSourceAndKeepsANewerCopy) {
    addUserSection("Box Girder");
    const fs::path copy = icons / "Box Girder-automated.bmp";
    const fs::path source = userSections / "Box Girder.bmp";
    Vtx_String picture;

    // A stale copy is replaced by the source.
    std::ofstream(copy, std::ios::binary) << "stale";
    fs::last_write_time(copy, fs::last_write_time(source) - std::chrono::hours(1));
    ASSERT_TRUE(ensureAutomatedImage("Box Girder", picture));
    EXPECT_EQ(picture, "Box Girder-automated.bmp");
    EXPECT_EQ(readAll(copy), readAll(source));

    // A copy newer than the source is left alone, and still counts.
    std::ofstream(copy, std::ios::binary) << "edited by hand";
    fs::last_write_time(copy, fs::last_write_time(source) + std::chrono::hours(1));
    picture.clear();
    ASSERT_TRUE(ensureAutomatedImage("Box Girder", picture));
    EXPECT_EQ(picture, "Box Girder-automated.bmp");
    EXPECT_EQ(readAll(copy), "edited by hand");

    // No temporary file is left beside the copy.
    int files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(icons))
        ++files;
    EXPECT_EQ(files, 1);
}

TEST_F(SectionImages, AutomatedCopyFailsWithoutSourceOrOutsideItsFolders) {
    Vtx_String picture = "kept";
    EXPECT_FALSE(ensureAutomatedImage("Nothing", picture));
    EXPECT_FALSE(ensureAutomatedImage("", picture));
    // A bitmap beside "User Sections" must not be reached through "..".
    install("Box Girder.bmp", root / "library" / "Escaped.bmp");
    EXPECT_FALSE(ensureAutomatedImage("..\\Escaped", picture));
    EXPECT_FALSE(ensureAutomatedImage("../Escaped", picture));
    EXPECT_FALSE(fs::exists(root / "install" / "Escaped-automated.bmp"));
    EXPECT_EQ(picture, "kept");

    // The icon folder missing: the copy cannot be written.
    addUserSection("Box Girder");
    fs::remove_all(icons);
    EXPECT_FALSE(ensureAutomatedImage("Box Girder", picture));
    EXPECT_EQ(getSectionImageFile("", "Box Girder.bmp", false), "Unknown-small.bmp");
}

} // namespace
