#pragma once

// Designs shown live in tests: the dialog fixture's installation folder (with
// the language texts) plus a library folder of its own, and an area built
// from controls given in pixels (a design without a picture converts at
// 400 x 300).

#include "UiFixture.h"
#include "designer/ui/DesignArea.h"

#include <memory>

class DesignUiTest : public uitest::UiFixture {
protected:
    void SetUp() override {
        UiFixture::SetUp();
        m_savedLibDir = gSettings.libDir;
        std::filesystem::create_directories(m_root / "library" / "Lists");
        gSettings.setLibDir(corePathOf(m_root / "library"));
        area = std::make_unique<vtx::designui::DesignArea>();
        area->design().setDynIdRange(33000, 33099);
    }
    void TearDown() override {
        area.reset();
        gSettings.libDir = m_savedLibDir;
        UiFixture::TearDown();
    }
    /// Appends a control with its rectangle in pixels; returns its window id.
    int add(Vtx_ControlType type, int left, int top, int right, int bottom,
            const char* contents = "", const char* comboList = "") {
        Vtx_DesignerControl control;
        control.type = type;
        Vtx_DlgDesignerData& design = area->design();
        design.setTopLeftX(control, left);
        design.setTopLeftY(control, top);
        design.setBottomRightX(control, right);
        design.setBottomRightY(control, bottom);
        control.contents = contents;
        control.setSplitExtComboList(comboList);
        return design.append(control);
    }
    template <class T> T* widget(int id) const { return qobject_cast<T*>(area->widgetOfId(id)); }
    Vtx_String valueOf(int id) const {
        Vtx_String value;
        EXPECT_TRUE(area->getCtrlValue(id, value)) << id;
        return value;
    }

    std::unique_ptr<vtx::designui::DesignArea> area;

private:
    Vtx_String m_savedLibDir;
};
