#pragma once

/// A design shown live: a widget area that draws the design's background
/// picture (pure white transparent, at the top-left corner in its own size)
/// and holds one Qt control per design control, placed by its factors. The
/// controls carry their window ids (VtxDialog::setControlId), so the dialog
/// around the area finds them by id; other code reads and writes their
/// values by window id.
///
///     DesignArea* area = new DesignArea(dialog);
///     area->design().setDynIdRange(33000, 33099);
///     area->readFromFile(getDesignerRootFolder() + "EndPlate\\EndPlate.txt");
///     // ... bind the controls, removeControl() the ones that cannot be bound
///     area->redrawAllControls();
///     area->setCtrlValue(33004, "150");
///     Vtx_String width;
///     area->getCtrlValue(33004, width);
///
/// The area owns its design; the live controls end with the area.

#include <QPixmap>
#include <QPointer>
#include <QVector>
#include <QWidget>

#ifndef Q_MOC_RUN
#include "designer/VtxDlgDesignerData.h"
#include "platform/core/VtxStringArray.h"
#endif

namespace vtx::designui {

/// The module's icon resource that flex buttons show.
constexpr int kFlexButtonIcon = 239;
/// Height a run-time combo's drop-down list has room for, counted from the
/// control's top, as the designs are laid out for.
constexpr int kComboDropHeight = 200;

class DesignArea : public QWidget {
    Q_OBJECT
public:
    /// In design mode (the designer window) every control but labels is
    /// disabled so that clicks reach the designer, and the area is filled
    /// with the button-face colour under the picture.
    explicit DesignArea(QWidget* parent = nullptr, bool designMode = false);
    ~DesignArea() override;

    Vtx_DlgDesignerData& design() { return m_design; }
    const Vtx_DlgDesignerData& design() const { return m_design; }
    bool designMode() const { return m_designMode; }

    /// Reads the design file and its picture (the bitmap beside it). The
    /// design's result: false with lastError() on the design when refused or
    /// damaged; the picture is taken whenever there is one.
    bool readFromFile(const Vtx_String& path);
    /// Takes the bitmap at path as the picture. Nothing changes when there is
    /// no file; a file that is no readable bitmap leaves no picture (0 x 0)
    /// and gives false.
    bool attachBitmap(const Vtx_String& path);
    /// The picture as drawn (white made transparent); null when none.
    const QPixmap& picture() const { return m_picture; }

    /// Replaces the live controls by one per design control, in list order.
    /// At run time the Tab order is computed first and given to Qt.
    void redrawAllControls();
    /// Moves and sizes every live control to its factors again, without
    /// making it anew (after the designer changed geometry only).
    void placeAllControls();
    /// The live control of list position i (as drawn); null when none.
    QWidget* controlWidget(int i) const;
    /// The live control with window id id; null when none.
    QWidget* widgetOfId(int id) const;
    int drawnCount() const { return static_cast<int>(m_drawn.size()); }

    // ---- values by window id (DesignValues.cpp) ----

    /// The control's value: a check box its state ("0", "1" or the
    /// undetermined text), a cut combo its selected index, any other its
    /// text. False when no drawn control has the id or its text cannot be
    /// held as module text.
    bool getCtrlValue(const int& id, Vtx_String& value) const;
    /// Sets the value the same way; calculation buttons ignore it (true).
    /// False when no drawn control has the id, or a list-only combo has no
    /// item of that text.
    bool setCtrlValue(const int& id, const Vtx_String& value);
    /// Disables (true) or enables a variable edit or combo; the control's
    /// readOnly field stays. False for other types and unknown ids.
    bool setCtrlReadOnly(const int& id, const bool& readOnly);
    bool isADynControl(const int& id) const;
    bool getDynControlType(const int& id, Vtx_ControlType& type) const;
    bool isTypeBoltCount(const int& id) const;
    /// First variable edit or combo whose contents equal the text (case
    /// ignored); i is its list position.
    bool findEditCtrlWithContents(const Vtx_String& contents, int& i) const;

    // ---- geometry read back from the live controls ----

    /// Refreshes control i's factors from its live control's rectangle.
    /// False (factors unchanged) when the controls are not drawn as listed.
    bool getSizeFromControl(const int& i);
    bool getSizeFromAllControls();
    /// id := window id of the focused control; false when it is none of the
    /// design's.
    bool getFocusedDynControl(int& id) const;
    /// Focuses the first (Tab position 1) or last control; an edit's text is
    /// selected. False when there is none.
    bool setFocusToCtrl(bool first);

    // ---- flex-button groups (FlexButtons.cpp); group names ignore case ----

    /// all := every flex button of the group, withPart3 := those with a
    /// non-empty third part (list positions). An empty name gives two empty
    /// lists and true.
    bool getFlexBtnsInGroup(const Vtx_String& group, Vtx_Array<int>& all,
                            Vtx_Array<int>& withPart3) const;
    /// Every group name once, in list order.
    bool getFlexBtnsGroups(Vtx_StringArray& groups) const;
    bool findFlexButton(const Vtx_String& group, const Vtx_String& contents, int& i) const;
    bool getAllFlexVarsOfGroup(const Vtx_String& group, Vtx_StringArray& vars) const;
    bool getFlexBtnGroupName(const int& id, Vtx_String& group, Vtx_String& contents) const;
    /// Sets (a status of 2 becomes 0, also for the caller) or gets the check
    /// state of the flex button at list position i.
    bool getSetFlexBtnStatus(const bool& set, const int& i, int& status);
    bool getFlexBtnStatus(const int& i, int& status);
    bool setFlexBtnStatus(const Vtx_String& group, const Vtx_String& contents, const int& status);
    bool hideAllFlexBtns(const Vtx_String& group);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* drawControl(const Vtx_DesignerControl& control);
    void fillCombo(const Vtx_DesignerControl& control, QWidget* widget) const;
    void applyTabOrder();
    /// Position in the drawn list of the control with window id id, when it
    /// is also a position of the control list; -1 otherwise.
    int drawnPosition(int id) const;
    const QPixmap& flexIcon();

    Vtx_DlgDesignerData m_design;
    bool m_designMode;
    QPixmap m_picture;
    QPixmap m_flexIcon;
    QVector<QPointer<QWidget>> m_drawn;
};

/// A cut combo's value and a check value as the controls keep them
/// (DesignValues.cpp).
bool getCheckValue(const QWidget* widget, Vtx_String& value);
bool setCheckValue(QWidget* widget, const Vtx_String& value);

} // namespace vtx::designui
