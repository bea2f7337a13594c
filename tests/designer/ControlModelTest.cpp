// One control's properties and the design's control list: ext combo lists,
// the type table, window ids, names.

#include "DesignerFixture.h"

#include "platform/core/Files.h"

TEST(DesignerControl, ExtComboListsSplitByTypeAndMergeWithEveryPart) {
    Vtx_DesignerControl flex;
    flex.type = ctFlexBtn;
    flex.setSplitExtComboList("a;b;c");
    EXPECT_EQ(flex.flexGroup, "a");
    EXPECT_EQ(flex.flexPart2, "b");
    EXPECT_EQ(flex.flexPart3, "c");
    EXPECT_EQ(flex.flexPart4, "");
    EXPECT_EQ(flex.getMergedExtComboList(), "a;b;c;");

    Vtx_DesignerControl combo;
    combo.type = ctVarCombo;
    combo.setSplitExtComboList("items.txt;more");
    EXPECT_EQ(combo.comboList, "items.txt;more");
    EXPECT_EQ(combo.getMergedExtComboList(), "items.txt;more");

    Vtx_DesignerControl calc;
    calc.type = ctCalcButton1;
    calc.setSplitExtComboList("1;2;3;4;5;6");
    EXPECT_EQ(calc.calcPart1, "1");
    EXPECT_EQ(calc.calcPart4, "4");
    EXPECT_EQ(calc.comboList, "5");
    EXPECT_EQ(calc.getMergedExtComboList(), "1;2;3;4;5");
    calc.setSplitExtComboList("x");
    EXPECT_EQ(calc.calcPart2, "");
    EXPECT_EQ(calc.comboList, "");
    EXPECT_EQ(calc.getMergedExtComboList(), "x;;;;");
}

TEST(DesignerControl, TypeTableGivesWindowClassesAndHints) {
    EXPECT_STREQ(windowClassName(ctLabel), "STATIC");
    EXPECT_STREQ(windowClassName(ctGroupBox), "BUTTON");
    EXPECT_STREQ(windowClassName(ctBoltCount2), "EDIT");
    EXPECT_STREQ(windowClassName(ctCutCombo), "COMBOBOX");
    EXPECT_STREQ(windowClassName(ctFlexBtn), "BUTTON");
    EXPECT_STREQ(windowClassName(static_cast<Vtx_ControlType>(31)), "STATIC");
    EXPECT_TRUE(controlTypeText(static_cast<Vtx_ControlType>(-1)).isEmpty());
    // Every type has a text of its own.
    Vtx_StringArray texts;
    for (int type = 0; type < kControlTypeCount; ++type) {
        const Vtx_String text = controlTypeText(static_cast<Vtx_ControlType>(type));
        EXPECT_FALSE(texts.contains(text)) << type << " " << text.c_str();
        texts.append(text);
    }
    EXPECT_TRUE(controlTypeText(ctBoltCount1).hasSubString(" 1: "));
    EXPECT_EQ(comboListHint(ctFlexBtn).view().find(';') != std::string_view::npos, true);
    EXPECT_TRUE(comboListHint(ctVarEdit).isEmpty());
    EXPECT_TRUE(contentsHint(ctBoltCombo).isEmpty());
    EXPECT_TRUE(editsComboList(ctVarCheck));
    EXPECT_FALSE(editsComboList(ctProfCombo));
}

TEST_F(DesignerTest, ComboItemsComeFromTheNamedFileOnly) {
    const Vtx_String list = Vtx_String((m_lib / "items.txt").string().c_str());
    ASSERT_EQ(ObjectExportWriteFile(list, {"S235", "S355"}), eOk);
    Vtx_DesignerControl combo;
    combo.type = ctVarCombo;
    Vtx_StringArray items{"old"};
    combo.getComboItemsFromFile(items);
    EXPECT_EQ(items.length(), 1);
    combo.comboList = list + ".missing";
    combo.getComboItemsFromFile(items);
    EXPECT_EQ(items[0], "old");
    combo.comboList = list;
    combo.getComboItemsFromFile(items);
    ASSERT_EQ(items.length(), 2);
    EXPECT_EQ(items[1], "S355");
}

TEST(DesignerData, AppendGivesTheLowestFreeIdAndZeroWhenTheRangeIsFull) {
    PixelDesign design;
    for (int n = 0; n < 100; ++n)
        EXPECT_EQ(design.add(ctLabel, 0, 0, 1, 1), 33000 + n);
    EXPECT_EQ(design.add(ctLabel, 0, 0, 1, 1), 0);
    EXPECT_EQ(design.getNrControls(), 101);
    design.removeControl(5);
    design.removeControl(7);
    EXPECT_EQ(design.add(ctLabel, 0, 0, 1, 1), 33005);
    int i = -1;
    EXPECT_FALSE(design.findCtrlFromResource(0, i));
    EXPECT_EQ(i, -1);
    EXPECT_TRUE(design.findCtrlFromResource(33010, i));
    EXPECT_EQ(i, 8);
    EXPECT_EQ(design.getControl(101), nullptr);
    EXPECT_EQ(design.getControlWrite(-1), nullptr);
}

TEST(DesignerData, CopiesStartAsNewDesignsAndAssignmentChangesNothing) {
    PixelDesign design;
    design.add(ctVarEdit, 0, 0, 10, 10, "a");
    Vtx_DlgDesignerData copy(design);
    EXPECT_EQ(copy.getNrControls(), 0);
    EXPECT_EQ(copy.firstDynId(), 0);
    Vtx_DlgDesignerData target;
    target = design;
    EXPECT_EQ(target.getNrControls(), 0);
}

TEST(DesignerData, NamesListOnlyVariableEdits) {
    PixelDesign design;
    design.add(ctVarEdit, 0, 0, 1, 1, "Width");
    design.add(ctVarCombo, 0, 0, 1, 1, "Grade");
    design.add(ctVarEdit, 0, 0, 1, 1, "Height");
    Vtx_StringArray names{"stale"};
    design.getAllCtrlNames(names);
    ASSERT_EQ(names.length(), 2);
    EXPECT_EQ(names[0], "Width");
    EXPECT_EQ(names[1], "Height");
}
