// Design files on disk: round trips, damaged files, names below the root
// folder, pictures beside the designs.

#include "DesignerFixture.h"

#include "platform/core/Files.h"
#include "platform/host/Host.h"

namespace fs = std::filesystem;

TEST_F(DesignerTest, WrittenDesignReadsBackAndWritesTheSameBytes) {
    PixelDesign design;
    design.add(ctVarEdit, 10, 20, 110, 38, "Thickness");
    const int flex = design.add(ctFlexBtn, 0.5, 1.25, 30, 40, "Width");
    design.getControlFromRes(flex)->setSplitExtComboList("grp;a;b");
    const int calc = design.add(ctCalcButton1, 1, 2, 3, 4, "Calc ä=\\");
    design.getControlFromRes(calc)->setSplitExtComboList("p1;p2;p3;p4;list.txt");
    const Vtx_String first = designPath("sub\\first");
    ASSERT_TRUE(design.writeToFile(first)) << design.lastError().c_str();
    EXPECT_EQ(design.designName(), "sub\\first");

    PixelDesign again;
    ASSERT_TRUE(again.readFromFile(first, true)) << again.lastError().c_str();
    ASSERT_EQ(again.getNrControls(), 3);
    for (int i = 0; i < 3; ++i) {
        Vtx_DesignerControl expected = *design.getControl(i);
        EXPECT_EQ(*again.getControl(i), expected) << "control " << i;
    }
    const Vtx_String second = designPath("second");
    ASSERT_TRUE(again.writeToFile(second));
    EXPECT_EQ(readBytes(first), readBytes(second));
    EXPECT_NE(readBytes(first).find("comboList1=grp;a;b;\r\n"), std::string::npos);
}

TEST_F(DesignerTest, MissingKeysGiveDefaults) {
    PixelDesign none;
    EXPECT_TRUE(none.readFromFile(writeDesign("none", "other=1\r\n"), false));
    EXPECT_EQ(none.getNrControls(), 0);
    EXPECT_EQ(none.designName(), "none");

    PixelDesign sparse;
    ASSERT_TRUE(sparse.readFromFile(
        writeDesign("sparse", "nrOfControls=2\r\ntopLeftX0=0.5\r\ntype1=3\r\n"), false));
    ASSERT_EQ(sparse.getNrControls(), 2);
    EXPECT_EQ(sparse.getControl(0)->type, ctLabel);
    EXPECT_EQ(sparse.getControl(0)->topLeftX, 0.5);
    EXPECT_EQ(sparse.getControl(0)->bottomRightY, 0);
    EXPECT_EQ(sparse.getControl(1)->type, ctVarCombo);
    EXPECT_EQ(sparse.getControl(1)->resourceId, 33001);
}

TEST_F(DesignerTest, DamagedControlListsReadAsFarAsTheyAreUsable) {
    struct Case {
        const char* body;
        int controls;
        const char* says;
    };
    const Case cases[] = {
        {"nrOfControls=-3\r\n", 0, "nrOfControls = \"-3\""},
        {"nrOfControls=two\r\n", 0, "nrOfControls = \"two\""},
        {"nrOfControls=99999999\r\n", kMaxDesignControls, "more than the 1000"},
        {"nrOfControls=3\r\ntype1=31\r\n", 2, "type1 = \"31\""},
        {"nrOfControls=2\r\ntype0=-1\r\n", 1, "type0"},
        {"nrOfControls=2\r\ntopLeftY1=nan\r\n", 1, "topLeftY1 = \"nan\""},
        {"nrOfControls=2\r\nbottomRightX0=1e300\r\n", 1, "bottomRightX0"},
    };
    for (const Case& c : cases) {
        Host::current().commandLine().clear();
        PixelDesign design;
        EXPECT_FALSE(design.readFromFile(writeDesign("bad", c.body), false)) << c.body;
        EXPECT_EQ(design.getNrControls(), c.controls) << c.body;
        EXPECT_TRUE(design.lastError().hasSubString(c.says)) << design.lastError().c_str();
        EXPECT_TRUE(design.lastError().hasSubString("bad.txt")) << design.lastError().c_str();
        EXPECT_TRUE(Host::current().commandLine().contains("*Error*"));
        EXPECT_EQ(design.designName(), "bad");
        EXPECT_FALSE(design.isModified());
    }
}

TEST_F(DesignerTest, UnreadableFilesLeaveTheDesignAsItWas) {
    PixelDesign design;
    design.add(ctLabel, 0, 0, 10, 10, "kept");
    const Vtx_String notDesign = writeDesign("garbage", "");
    ASSERT_EQ(writeFileAtomically(notDesign, "\x01\x02 not a design"), eOk);
    const Vtx_String outside = Vtx_String((m_lib / "outside.txt").string().c_str());
    ASSERT_EQ(writeFileAtomically(outside, "VtxProperties version 1\r\nnrOfControls=0\r\n"), eOk);

    for (const Vtx_String& path : {notDesign, outside, designPath("missing")}) {
        EXPECT_FALSE(design.readFromFile(path, true)) << path.c_str();
        EXPECT_FALSE(design.lastError().isEmpty());
        ASSERT_EQ(design.getNrControls(), 1);
        EXPECT_EQ(design.getControl(0)->contents, "kept");
        EXPECT_TRUE(design.designName().isEmpty());
    }
}

TEST_F(DesignerTest, PathsClimbingOutOfTheRootHaveNoDesignName) {
    Vtx_String name = "unchanged";
    EXPECT_FALSE(designNameOfPath(designPath("..\\..\\escape"), name));
    EXPECT_FALSE(designNameOfPath(getDesignerRootFolder() + ".txt", name));
    EXPECT_FALSE(designNameOfPath(designPath("a\\\\b"), name));
    EXPECT_EQ(name, "unchanged");
    Vtx_String root = getDesignerRootFolder();
    root.replaceSubString("\\", "/");
    EXPECT_TRUE(designNameOfPath(root.upper() + "Sub/Plate.TXT", name));
    EXPECT_EQ(name, "Sub\\Plate");
}

TEST_F(DesignerTest, SaveOutsideTheRootIsRefusedAndKeepsTheModifiedFlag) {
    PixelDesign design;
    design.addNewControl(ctVarEdit);
    ASSERT_TRUE(design.isModified());
    const Vtx_String outside = Vtx_String((m_lib / "elsewhere.txt").string().c_str());
    Host::current().commandLine().clear();
    EXPECT_FALSE(design.writeToFile(outside));
    EXPECT_FALSE(fileExists(outside));
    EXPECT_TRUE(design.isModified());
    EXPECT_TRUE(design.designName().isEmpty());
    EXPECT_TRUE(design.lastError().hasSubString("not saved"));
    EXPECT_TRUE(Host::current().commandLine().contains("*Error*"));

    EXPECT_TRUE(design.writeToFile(designPath("inside")));
    EXPECT_FALSE(design.isModified());
}

TEST_F(DesignerTest, FailedWriteIsReportedAndKeepsTheName) {
    PixelDesign design;
    design.addNewControl(ctLabel);
    // A folder where the file should go cannot be replaced by it.
    fs::create_directories(nativePath(designPath("taken")));
    EXPECT_FALSE(design.writeToFile(designPath("taken")));
    EXPECT_TRUE(design.lastError().hasSubString("could not be written"));
    EXPECT_TRUE(design.designName().isEmpty());
    EXPECT_TRUE(design.isModified());
}

TEST_F(DesignerTest, PictureSizeComesFromTheBitmapBesideTheDesign) {
    writeDesign("plate", "nrOfControls=0\r\n");
    writePicture("plate", 320, 240);
    PixelDesign design;
    int width = -1, height = -1;
    ASSERT_TRUE(design.readFromFile(designPath("plate"), false));
    design.getImageSize(width, height);
    EXPECT_EQ(width, 0);
    ASSERT_TRUE(design.readFromFile(designPath("plate"), true));
    design.getImageSize(width, height);
    EXPECT_EQ(width, 320);
    EXPECT_EQ(height, 240);
    EXPECT_DOUBLE_EQ(design.factorToPixels(true, 0.5), 160);
    EXPECT_DOUBLE_EQ(design.pixelsToFactor(false, 60), 0.25);

    // A missing picture keeps the old one; a broken one is reported.
    writeDesign("bare", "nrOfControls=0\r\n");
    ASSERT_TRUE(design.readFromFile(designPath("bare"), true));
    design.getImageSize(width, height);
    EXPECT_EQ(width, 320);
    writeDesign("broken", "nrOfControls=0\r\n");
    ASSERT_EQ(writeFileAtomically(designPath("broken", "bmp"), "BM short"), eOk);
    EXPECT_FALSE(design.readFromFile(designPath("broken"), true));
    design.getImageSize(width, height);
    EXPECT_EQ(width, 0);
    EXPECT_TRUE(design.lastError().hasSubString("broken.bmp"));
}

TEST_F(DesignerTest, SavingUnderANewNameCarriesThePictureAlong) {
    writeDesign("A", "nrOfControls=0\r\n");
    writePicture("A", 50, 40);
    PixelDesign design;
    ASSERT_TRUE(design.readFromFile(designPath("A"), true));
    ASSERT_TRUE(design.writeToFile(designPath("B")));
    EXPECT_TRUE(fileExists(designPath("B")));
    EXPECT_EQ(readBytes(designPath("B", "bmp")), readBytes(designPath("A", "bmp")));
    EXPECT_EQ(design.designName(), "B");
    // Saving again under the same name copies nothing onto itself.
    EXPECT_TRUE(design.writeToFile(designPath("B")));
    EXPECT_EQ(readBytes(designPath("B", "bmp")).size(), readBytes(designPath("A", "bmp")).size());
}

TEST_F(DesignerTest, ModuleImagesListsEveryDesignSorted) {
    writeDesign("y", "");
    writeDesign("sub\\x", "");
    writeDesign("B", "");
    writePicture("B", 2, 2);
    Vtx_StringArray names;
    getModuleImages(names);
    ASSERT_EQ(names.length(), 3);
    EXPECT_EQ(names[0], "B");
    EXPECT_EQ(names[1], "sub\\x");
    EXPECT_EQ(names[2], "y");

    fs::remove_all(m_lib / "Dialog Templates");
    getModuleImages(names);
    EXPECT_EQ(names.length(), 0);
}
