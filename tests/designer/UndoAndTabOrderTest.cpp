// The undo history of a design and the Tab order computed from its layout.

#include "DesignerFixture.h"

TEST(DesignUndo, EveryEditingStepUndoesAndRedoesWithItsSelection) {
    PixelDesign design;
    EXPECT_FALSE(design.canUndo());
    ASSERT_TRUE(design.addNewControl(ctVarEdit));
    ASSERT_TRUE(design.addNewControl(ctLabel));
    const int first = design.getControl(0)->resourceId;
    design.selectCtrls({first});
    ASSERT_TRUE(design.moveCurCtrls(10, 0));
    ASSERT_TRUE(design.copyCurCtrls());
    ASSERT_EQ(design.getNrControls(), 3);
    const Vtx_DesignerControl copy = *design.getControl(2);

    EXPECT_TRUE(design.undo()); // the copy
    EXPECT_EQ(design.getNrControls(), 2);
    ASSERT_EQ(design.getSelectedIds().length(), 1);
    EXPECT_EQ(design.getSelectedIds()[0], first);
    EXPECT_TRUE(design.undo()); // the move
    EXPECT_DOUBLE_EQ(design.rectOf(first).left, 80);
    EXPECT_TRUE(design.redo());
    EXPECT_DOUBLE_EQ(design.rectOf(first).left, 90);
    EXPECT_TRUE(design.redo());
    ASSERT_EQ(design.getNrControls(), 3);
    EXPECT_EQ(*design.getControl(2), copy);
    EXPECT_FALSE(design.redo());

    EXPECT_TRUE(design.undo());
    EXPECT_TRUE(design.undo());
    EXPECT_TRUE(design.undo());
    EXPECT_TRUE(design.undo());
    EXPECT_EQ(design.getNrControls(), 0);
    EXPECT_FALSE(design.undo());
    // A new change drops the steps that could have been redone.
    ASSERT_TRUE(design.addNewControl(ctVarCombo));
    EXPECT_FALSE(design.canRedo());
    EXPECT_TRUE(design.undo());
    EXPECT_EQ(design.getNrControls(), 0);
}

TEST(DesignUndo, OperationsThatChangeNothingRecordNothing) {
    PixelDesign design;
    const int a = design.add(ctVarEdit, 0, 0, 10, 10);
    design.selectCtrls({a});
    EXPECT_TRUE(design.outlineCurCtrls()); // one control: nothing moves
    EXPECT_TRUE(design.moveCurCtrls(0, 0));
    EXPECT_FALSE(design.canUndo());
    EXPECT_FALSE(design.isModified());
}

TEST(DesignUndo, GroupedChangesAreOneStep) {
    PixelDesign design;
    const int a = design.add(ctVarEdit, 0, 0, 10, 10);
    design.beginChange();
    design.getControlWrite(0)->contents = "dragged";
    design.selectCtrls({a});
    design.moveCurCtrls(5, 5);
    EXPECT_FALSE(design.undo()); // not while a change is open
    EXPECT_TRUE(design.endChange());
    EXPECT_FALSE(design.endChange()); // unmatched: ignored
    EXPECT_TRUE(design.undo());
    EXPECT_EQ(design.getControl(0)->contents, "");
    EXPECT_DOUBLE_EQ(design.rectOf(a).left, 0);
    EXPECT_FALSE(design.canUndo());
}

TEST_F(DesignerTest, ModifiedFollowsTheSavedPointThroughUndo) {
    PixelDesign design;
    design.addNewControl(ctVarEdit);
    ASSERT_TRUE(design.writeToFile(designPath("saved")));
    EXPECT_FALSE(design.isModified());
    ASSERT_TRUE(design.setControlProps(0, ctVarCombo, "Grade", "grades.txt"));
    EXPECT_TRUE(design.isModified());
    design.undo();
    EXPECT_FALSE(design.isModified());
    design.undo(); // before the save
    EXPECT_TRUE(design.isModified());
    design.redo();
    EXPECT_FALSE(design.isModified());
    design.setModified(true); // a new picture
    EXPECT_TRUE(design.isModified());
    // Reading starts a fresh history.
    ASSERT_TRUE(design.readFromFile(designPath("saved"), false));
    EXPECT_FALSE(design.isModified());
    EXPECT_FALSE(design.canUndo());
}

namespace {

// Tab positions of the controls in list order.
std::vector<int> tabOrders(const Vtx_DlgDesignerData& design) {
    std::vector<int> orders;
    for (int i = 0; i < design.getNrControls(); ++i)
        orders.push_back(design.getControl(i)->tabOrder);
    return orders;
}

Vtx_DesignerControl factorControl(Vtx_ControlType type, double left, double top, double bottom) {
    Vtx_DesignerControl control;
    control.type = type;
    control.topLeftX = left;
    control.topLeftY = top;
    control.bottomRightX = left + 0.1;
    control.bottomRightY = bottom;
    return control;
}

} // namespace

TEST(DesignTabOrder, RowsStartAtTheTopControlAndRunToItsBottom) {
    Vtx_DesignerControl a = factorControl(ctVarEdit, 0.5, 0.1, 0.15);
    Vtx_DesignerControl b = factorControl(ctVarEdit, 0.2, 0.1, 0.3);
    Vtx_DesignerControl c = factorControl(ctVarEdit, 0.0, 0.2, 0.25);
    PixelDesign abc;
    abc.append(a);
    abc.append(b);
    abc.append(c);
    abc.sortAllControls();
    EXPECT_EQ(tabOrders(abc), (std::vector<int>{2, 1, 3}));

    PixelDesign bac;
    bac.append(b);
    bac.append(a);
    bac.append(c);
    bac.sortAllControls();
    EXPECT_EQ(tabOrders(bac), (std::vector<int>{2, 3, 1}));

    // A control whose top equals the top control's bottom is in its row.
    PixelDesign touching;
    Vtx_DesignerControl d = factorControl(ctVarEdit, 0.0, 0.15, 0.2);
    touching.append(a);
    touching.append(d);
    touching.sortAllControls();
    EXPECT_EQ(tabOrders(touching), (std::vector<int>{2, 1}));
}

TEST(DesignTabOrder, LabelsFramesAndReadOnlyControlsGetNoPosition) {
    PixelDesign design;
    Vtx_DesignerControl label = factorControl(ctLabel, 0, 0, 0.1);
    Vtx_DesignerControl frame = factorControl(ctGroupBox, 0, 0, 1);
    Vtx_DesignerControl locked = factorControl(ctVarEdit, 0, 0, 0.1);
    locked.readOnly = true;
    locked.tabOrder = 7; // a stale position is cleared
    Vtx_DesignerControl edit = factorControl(ctVarEdit, 0.3, 0, 0.1);
    Vtx_DesignerControl below = factorControl(ctVarCheck, 0, 0.5, 0.6);
    for (Vtx_DesignerControl* control : {&label, &frame, &locked, &edit, &below})
        design.append(*control);
    design.sortAllControls();
    EXPECT_EQ(tabOrders(design), (std::vector<int>{0, 0, 0, 1, 2}));
}

TEST(DesignTabOrder, TabTargetsAndTheirEnds) {
    PixelDesign design;
    for (double top : {0.1, 0.3, 0.5}) {
        Vtx_DesignerControl control = factorControl(ctVarEdit, 0, top, top);
        design.append(control);
    }
    design.sortAllControls();
    int i = -1;
    EXPECT_EQ(design.tabTarget(1, false, i), tmhHandled);
    EXPECT_EQ(i, 1);
    EXPECT_EQ(design.tabTarget(3, false, i), tmhPastLast);
    EXPECT_EQ(design.tabTarget(1, true, i), tmhBeforeFirst);
    EXPECT_EQ(design.tabTarget(3, true, i), tmhHandled);
    EXPECT_EQ(i, 1);
    EXPECT_TRUE(design.focusTarget(true, i));
    EXPECT_EQ(i, 0);
    EXPECT_TRUE(design.focusTarget(false, i));
    EXPECT_EQ(i, 2);
    for (int n = 0; n < 3; ++n)
        design.getControlWrite(n)->readOnly = true;
    EXPECT_EQ(design.tabTarget(1, false, i), tmhNotHandled);
    EXPECT_FALSE(design.focusTarget(true, i));
}
