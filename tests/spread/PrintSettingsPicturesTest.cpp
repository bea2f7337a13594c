// Header and footer pictures of the print settings: locating them from a
// stored path, storing paths relative, and carrying them along with a saved
// spreadsheet. Real files in a temporary folder:
//
//   root/install/               the installation folder
//   root/lib/sheets/, lib/pics/ a spreadsheet's folder and a picture folder
//   root/work/bills/            where bills are saved
#include "spread/PrintSettings.h"

#include "GridFolderTest.h"

#include "platform/core/Files.h"
#include "platform/core/Settings.h"
#include "spread/VtxSpread.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

class PrintSettingsPictures : public GridFolderTest {
protected:
    PrintSettingsPictures()
        : GridFolderTest("vtx_picture_test_", {"install/Pictures", "lib/sheets/Pictures",
                                               "lib/pics", "work/bills", "other", "a", "b"}) {}
    std::string read(const std::string& relative) { return readBytes(path(relative)); }
    // The resolved path, with "/" shown as "\\" (both name the same file).
    std::string resolve(const std::string& reference, const std::string& stored) {
        Vtx_String found =
            KsPrintSettings::resolvePicture(reference.empty() ? "" : path(reference), stored);
        found.replaceSubString("/", "\\");
        return found.str();
    }
};

} // namespace

TEST_F(PrintSettingsPictures, DotDotBackslashClimbsFromTheReferenceFilesFolder) {
    write("lib/pics/logo.emf", "emf");
    EXPECT_EQ(resolve("lib/sheets/bill.kss", "..\\pics\\logo.emf"),
              path("lib/pics/logo.emf").str());
    EXPECT_EQ(resolve("lib/sheets/bill.kss", "../pics/logo.emf"), path("lib/pics/logo.emf").str());

    // Every leading "..\" climbs one folder, not just the first.
    write("top.bmp", "top");
    EXPECT_EQ(resolve("lib/sheets/bill.kss", "..\\..\\top.bmp"), path("top.bmp").str());

    // Without the picture there, the installation folder's parent is tried.
    write("other/x.bmp", "x");
    EXPECT_EQ(resolve("lib/sheets/bill.kss", "..\\other\\x.bmp"), path("other/x.bmp").str());
}

TEST_F(PrintSettingsPictures, LookupOrderAndPathsLeftAsTheyAre) {
    write("install/Pictures/head.bmp", "install");
    write("lib/sheets/Pictures/head.bmp", "beside");
    write("install/Pictures/foot.bmp", "install");
    EXPECT_EQ(resolve("lib/sheets/bill.kss", "Pictures\\head.bmp"),
              path("lib/sheets/Pictures/head.bmp").str());
    EXPECT_EQ(resolve("lib/sheets/bill.kss", "Pictures\\foot.bmp"),
              path("install/Pictures/foot.bmp").str());
    EXPECT_EQ(resolve("", "Pictures\\foot.bmp"), path("install/Pictures/foot.bmp").str());

    for (const char* stored : {"Pictures\\none.bmp", "..\\none.bmp", "C:\\pics\\head.bmp",
                               "\\\\server\\pics\\head.bmp", ""})
        EXPECT_EQ(resolve("lib/sheets/bill.kss", stored), stored);
    const std::string absolute = path("lib/sheets/Pictures/head.bmp").str();
    EXPECT_EQ(resolve("work/bills/b.kss", absolute), absolute);
}

TEST_F(PrintSettingsPictures, StoredPathsAreMadeRelative) {
    KsPrintSettings settings;
    settings.setHeaderFile(path("work/bill.kss"), path("work/pics/h.bmp"));
    EXPECT_EQ(settings.headerFile().str(), "pics\\h.bmp");
    Vtx_String otherCase = path("WORK/pics/h.bmp");
    otherCase.replaceSubString("\\", "/");
    settings.setHeaderFile(path("work/bill.kss"), otherCase);
    EXPECT_EQ(settings.headerFile().str(), "pics/h.bmp") << "case and separators do not matter";
    settings.setFooterFile(path("work/bill.kss"), path("install/Pictures/f.bmp"));
    EXPECT_EQ(settings.footerFile().str(), "Pictures\\f.bmp");
    settings.setFooterFile(path("work/bill.kss"), path("workshop/f.bmp"));
    EXPECT_EQ(settings.footerFile().str(), path("workshop/f.bmp").str());
}

TEST_F(PrintSettingsPictures, PicturesAreCarriedBesideTheSavedFile) {
    write("install/Pictures/head.emf", "header picture");
    write("install/Pictures/head.bmp", "header bitmap");
    write("other/foot.bmp", "footer bitmap");
    KsPrintSettings settings;
    ASSERT_TRUE(settings.readFromGrid(&grid));
    settings.setHeaderFile("", "Pictures\\head.emf");
    settings.setFooterFile("", path("other/foot.bmp"));
    const Vtx_String saved = path("work/bills/b.kss");
    ASSERT_TRUE(grid.saveFile(saved));

    ASSERT_TRUE(settings.carryPicturesAlong(saved));
    EXPECT_EQ(read("work/bills/head.emf"), "header picture");
    EXPECT_EQ(read("work/bills/head.bmp"), "header bitmap");
    EXPECT_EQ(read("work/bills/foot.bmp"), "footer bitmap");
    EXPECT_EQ(settings.headerFile().str(), "head.emf");
    EXPECT_EQ(settings.footerFile().str(), "foot.bmp");
    KsPrintSettings inTag;
    ASSERT_TRUE(inTag.readFromGrid(&grid));
    EXPECT_TRUE(inTag == settings) << "the carried paths are written into the grid's tag";

    // Saved again in the same place, the pictures beside it stay as they are.
    ASSERT_TRUE(settings.carryPicturesAlong(saved));
    EXPECT_EQ(read("work/bills/head.emf"), "header picture");
    EXPECT_EQ(settings.headerFile().str(), "head.emf");
}

TEST_F(PrintSettingsPictures, SameNamedPicturesFromTwoFoldersStayApart) {
    write("a/logo.bmp", "A");
    write("b/logo.bmp", "B");
    KsPrintSettings settings;
    ASSERT_TRUE(settings.readFromGrid(&grid));
    settings.setHeaderFile("", path("a/logo.bmp"));
    settings.setFooterFile("", path("b/logo.bmp"));
    ASSERT_TRUE(settings.carryPicturesAlong(path("work/bills/b.kss")));
    EXPECT_EQ(settings.headerFile().str(), "logo.bmp");
    EXPECT_EQ(settings.footerFile().str(), "logo_1.bmp");
    EXPECT_EQ(read("work/bills/logo.bmp"), "A");
    EXPECT_EQ(read("work/bills/logo_1.bmp"), "B");

    // One picture used for both is copied once.
    settings.setHeaderFile("", path("a/logo.bmp"));
    settings.setFooterFile("", path("a/logo.bmp"));
    ASSERT_TRUE(settings.carryPicturesAlong(path("other/c.kss")));
    EXPECT_EQ(settings.headerFile().str(), "logo.bmp");
    EXPECT_EQ(settings.footerFile().str(), "logo.bmp");
    EXPECT_FALSE(fs::exists(m_root / "other" / "logo_1.bmp"));
}

TEST_F(PrintSettingsPictures, NothingToCarryLeavesTheTag) {
    KsPrintSettings settings;
    ASSERT_TRUE(settings.readFromGrid(&grid));
    settings.setHeaderFile("", "Pictures\\missing.bmp");
    ASSERT_TRUE(grid.setSheetTag("keep"));
    EXPECT_FALSE(settings.carryPicturesAlong(path("work/bills/b.kss")));
    EXPECT_EQ(settings.headerFile().str(), "Pictures\\missing.bmp");
    Vtx_String tag;
    grid.getSheetTag(tag);
    EXPECT_EQ(tag.str(), "keep");
}
