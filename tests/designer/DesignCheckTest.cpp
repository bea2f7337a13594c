// The author's checks of a design, on design files written into a library
// folder of the test's own, and on the designs of the sample library.

#include "DesignerFixture.h"

#include "designer/DesignCheck.h"
#include "platform/core/Files.h"

#include <filesystem>

namespace {

using Found = std::vector<std::string>;

struct Control {
    Vtx_ControlType type;
    double left, top, right, bottom; // pixels of the 200 x 100 picture
    const char* contents = "";
    const char* comboList = "";
};

class DesignCheckTest : public DesignerTest {
protected:
    /// Writes the design "Check\\D" with a 200 x 100 picture and controls.
    Vtx_String write(const std::vector<Control>& controls, bool withPicture = true) {
        std::filesystem::create_directories(nativePath(designPath("Check\\D")).parent_path());
        writePicture("Check\\D", 200, 100);
        Vtx_DlgDesignerData design;
        design.setDynIdRange(33000, 33099);
        design.attachBitmap(designPath("Check\\D", "bmp"));
        for (const Control& c : controls) {
            Vtx_DesignerControl control;
            control.type = c.type;
            control.contents = c.contents;
            control.setSplitExtComboList(c.comboList);
            design.setTopLeftX(control, c.left);
            design.setTopLeftY(control, c.top);
            design.setBottomRightX(control, c.right);
            design.setBottomRightY(control, c.bottom);
            design.append(control);
        }
        const Vtx_String path = designPath("Check\\D");
        EXPECT_TRUE(design.writeToFile(path)) << design.lastError().c_str();
        if (!withPicture)
            std::filesystem::remove(nativePath(designPath("Check\\D", "bmp")));
        return path;
    }

    /// The problems of path as "check@control".
    static Found found(const Vtx_String& path) {
        std::vector<std::string> out;
        for (const DesignProblem& problem : checkDesign(path))
            out.push_back(std::string(designCheckName(problem.check)) + "@" +
                          std::to_string(problem.control));
        return out;
    }
};

TEST_F(DesignCheckTest, AFramedRowOfControlsIsClean) {
    const std::filesystem::path lists = m_lib / "Lists";
    std::filesystem::create_directories(lists / "Blocks");
    ASSERT_EQ(writeFileAtomically((lists / "T.txt").string(), "10\r\n12\r\n"), eOk);
    const Vtx_String path = write({
        {ctGroupBox, 100, 0, 200, 100, "Plate"},
        {ctLabel, 110, 20, 150, 35, "Thickness:"},
        {ctVarCombo, 150, 20, 190, 35, "Thickness", "Lists\\T.txt"},
        // sharing an edge is no overlap
        {ctLabel, 110, 35, 150, 50, "Width:"},
        {ctVarEdit, 150, 35, 190, 50, "Width"},
        {ctVarCheck, 110, 55, 190, 70, "Stiffened", "Stiffener"},
        {ctBlockCombo, 110, 75, 190, 90, "", "Lists\\Blocks"},
        {ctGroupBox, 105, 72, 195, 95, "Inner frame"},
        // a variable edit may share its name with a label's caption
        {ctLabel, 0, 0, 50, 15, "width"},
    });
    EXPECT_EQ(found(path), Found{});
}

TEST_F(DesignCheckTest, ControlsReachingOrLyingOutsideThePictureAreReported) {
    const Vtx_String path = write({
        {ctLabel, 10, 10, 50, 20, "in"},
        {ctVarEdit, 180, 90, 210, 105, "Partly"},
        {ctVarEdit, 250, 10, 290, 20, "Wholly"},
        {ctLabel, -40, 10, 0, 20, "left of it"},
        {ctGroupBox, 0, 0, 200, 100, "exactly the picture"},
    });
    const std::vector<DesignProblem> problems = checkDesign(path);
    EXPECT_EQ(found(path), (Found{"outside@1", "outside@2", "outside@3", "overlap@4"}));
    ASSERT_EQ(problems.size(), 4u);
    EXPECT_EQ(problems[0].text(), path + ": control 1 (ctVarEdit \"Partly\"): reaches outside the "
                                         "picture (200 x 100): it is drawn from (180, 90) to "
                                         "(210, 105)");
    EXPECT_TRUE(problems[1].message.startsWith("lies outside")) << problems[1].text().c_str();
    EXPECT_TRUE(problems[2].message.startsWith("lies outside")) << problems[2].text().c_str();
}

TEST_F(DesignCheckTest, OverlapsCountUnlessAFrameHoldsTheOtherControlWhole) {
    const Vtx_String path = write({
        {ctLabel, 10, 10, 60, 25, "Width:"},
        {ctVarEdit, 55, 12, 100, 27, "Width"}, // 5 x 13 into the label
        {ctGroupBox, 120, 10, 180, 60, "Frame"},
        {ctVarEdit, 170, 12, 195, 27, "Across"}, // straddles the frame's edge
        {ctGroupBox, 125, 30, 175, 55, "Nested"},
        {ctLabel, 130, 40, 160, 50, "In both"},
    });
    const std::vector<DesignProblem> problems = checkDesign(path);
    EXPECT_EQ(found(path), (Found{"overlap@1", "overlap@3"}));
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0].message, "overlaps control 0 (ctLabel \"Width:\") by 5 x 13 pixels");
    EXPECT_EQ(problems[1].message, "overlaps control 2 (ctGroupBox \"Frame\") by 10 x 15 pixels");
}

TEST_F(DesignCheckTest, AMissingOrUnreadablePictureIsReportedAndPlacesAreNotJudged) {
    const Vtx_String path = write({{ctVarEdit, 150, 80, 300, 120, "Far"}}, false);
    EXPECT_EQ(found(path), (Found{"picture@-1"}));

    ASSERT_EQ(writeFileAtomically(designPath("Check\\D", "bmp"), "not a bitmap"), eOk);
    const std::vector<DesignProblem> problems = checkDesign(path);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].check, DesignCheck::Picture);
    EXPECT_TRUE(problems[0].message.hasSubString("not a bitmap")) << problems[0].text().c_str();
}

TEST_F(DesignCheckTest, ComboListsMustNameExistingFilesAndFolders) {
    const Vtx_String path = write({
        {ctVarCombo, 0, 0, 50, 15, "Thickness", "Lists\\Missing.txt"},
        {ctBlockCombo, 0, 20, 50, 35, "", "Blocks\\Nowhere"},
        {ctVarCombo, 0, 40, 50, 55, "Weld"}, // no list: the binding fills it
        {ctLabel, 0, 60, 50, 75, "Label", "Lists\\Missing.txt"},
    });
    EXPECT_EQ(found(path), (Found{"combo-list@0", "combo-list@1"}));
}

TEST_F(DesignCheckTest, AVariableBoundTwiceIsReportedCaseIgnored) {
    const Vtx_String path = write({
        {ctVarEdit, 0, 0, 50, 15, "Width"},
        {ctVarCombo, 0, 20, 50, 35, "WIDTH"},
        {ctVarCheck, 0, 40, 50, 55, "Width as a caption", "width"},
        {ctVarEdit, 0, 60, 50, 75, "Height"},
        {ctVarCheck, 0, 80, 50, 95, "Height", "Stiffener"},
    });
    const std::vector<DesignProblem> problems = checkDesign(path);
    EXPECT_EQ(found(path), (Found{"duplicate-variable@1", "duplicate-variable@2"}));
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0].message,
              "binds the variable \"WIDTH\" that control 0 (ctVarEdit \"Width\") binds already");
}

TEST_F(DesignCheckTest, ControlsThatShowAVariableMustNameIt) {
    const Vtx_String path = write({
        {ctVarEdit, 0, 0, 50, 15, "  "},
        {ctVarCheck, 0, 20, 50, 35, "Caption only"},
        {ctCalcButton1, 0, 40, 50, 55, "Calc", ";part2;;;"},
        {ctBoltCount1, 0, 60, 50, 75, ""}, // the macro's unnamed bolt pattern
        {ctLabel, 0, 80, 50, 95, ""},
        {ctGroupBox, 60, 0, 200, 100, ""},
    });
    EXPECT_EQ(found(path), (Found{"missing-name@0", "missing-name@1", "missing-name@2"}));
    EXPECT_EQ(checkDesign(path)[1].message, "names no variable (its combo list is empty)");
}

TEST_F(DesignCheckTest, DamagedControlsAreReportedWithTheirPlaceInTheFile) {
    const Vtx_String path = writeDesign(
        "Check\\Raw", "nrOfControls=4\r\n"
                      "type0=42\r\ncontents0=Future\r\n"
                      "type1=2\r\ntopLeftX1=abc\r\ncontents1=Broken\r\n"
                      "type2=x\r\n"
                      "type3=0\r\ntopLeftX3=0.1\r\ntopLeftY3=0.1\r\nbottomRightX3=0.1\r\n"
                      "bottomRightY3=0.3\r\ncontents3=Thin\r\n");
    writePicture("Check\\Raw", 200, 100);
    const std::vector<DesignProblem> problems = checkDesign(path);
    EXPECT_EQ(found(path),
              (Found{"unknown-type@0", "bad-position@1", "unknown-type@2", "no-area@3"}));
    ASSERT_EQ(problems.size(), 4u);
    EXPECT_EQ(problems[0].controlText(), "control 0 (type 42 \"Future\")");
    EXPECT_EQ(problems[2].controlText(), "control 2 (bad type \"\")");

    const Vtx_String badCount = writeDesign("Check\\Count", "nrOfControls=-3\r\n");
    writePicture("Check\\Count", 10, 10);
    EXPECT_EQ(found(badCount), (Found{"unreadable@-1"}));
}

TEST_F(DesignCheckTest, MoreControlsThanADialogHasIdsForIsOneProblem) {
    // Small labels side by side in three rows, none overlapping.
    std::vector<Control> controls;
    for (int i = 0; i < 101; ++i)
        controls.push_back({ctLabel, 4.0 * (i % 50), 5.0 + 30 * (i / 50), 4.0 * (i % 50) + 3,
                            30.0 + 30 * (i / 50)});
    EXPECT_EQ(found(write(controls)), (Found{"too-many-controls@-1"}));
    controls.pop_back();
    EXPECT_EQ(found(write(controls)), Found{});
}

TEST_F(DesignCheckTest, AFileThatIsNoDesignIsOneProblem) {
    EXPECT_EQ(found(designPath("Check\\None")), (Found{"unreadable@-1"}));
    writeDesign("Check\\Text", "");
    ASSERT_EQ(writeFileAtomically(designPath("Check\\Text"), "just some text\r\n"), eOk);
    EXPECT_EQ(found(designPath("Check\\Text")), (Found{"unreadable@-1"}));
}

TEST(SampleDesignCheck, EveryDesignOfTheSampleLibraryIsClean) {
    const Vtx_String oldLibDir = gSettings.libDir;
    gSettings.setLibDir(VTX_SAMPLE_DIR "/library");
    Vtx_StringArray names;
    getModuleImages(names);
    EXPECT_GE(names.length(), 7);
    for (const Vtx_String& name : names)
        for (const DesignProblem& problem : checkDesign(designFilePath(name, "txt")))
            ADD_FAILURE() << problem.text().c_str();
    gSettings.libDir = oldLibDir;
}

} // namespace
