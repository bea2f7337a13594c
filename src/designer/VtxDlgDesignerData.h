#pragma once

/// One dialog design: its controls, its name and background picture, its
/// file, the editing and layout operations of the designer and their undo
/// history. This part needs no window: the selection is a list of control
/// window ids kept here, and geometry is computed from the factors and the
/// picture's size. Live controls are made by the window layer on top.
///
///     Vtx_DlgDesignerData design;
///     design.setDynIdRange(33000, 33099);
///     if (!design.readFromFile(getDesignerRootFolder() + "EndPlate\\EndPlate.txt", true))
///         report(design.lastError());
///     design.selectCtrls({33000, 33001});
///     design.alignCurCtrls(Vtx_AlignEdge::Left);
///     design.undo();
///     design.writeToFile(getDesignerRootFolder() + "EndPlate\\Copy.txt");

#include "designer/DesignGeometry.h"
#include "designer/VtxDesignerControl.h"
#include "platform/Exports.h"
#include "platform/core/VtxArray.h"
#include "platform/core/VtxString.h"

#include <memory>

namespace designer {
class DesignHistory;
struct DesignState;
} // namespace designer

/// What the Tab key did among the designed controls.
enum Vtx_TabMsgHandle : int {
    tmhHandled = 0,     ///< the focus moves to another control
    tmhNotHandled = 1,  ///< not a Tab key or nothing to move through
    tmhPastLast = 2,    ///< Tab forward from the last position
    tmhBeforeFirst = 3, ///< Tab backward from the first position
};

/// Edges and centre lines that alignCurCtrls lines up.
enum class Vtx_AlignEdge { Left, Right, Top, Bottom, CentreX, CentreY };
/// What matchSizeOfCurCtrls copies from the reference control.
enum class Vtx_SizeMatch { Width, Height, Both };

/// Controls a design file may list; a larger count is a damaged file.
constexpr int kMaxDesignControls = 1000;
/// The picture size that pixel conversions use while a design has no
/// picture, so that such a design can still be edited.
constexpr int kNoPictureWidth = 400;
constexpr int kNoPictureHeight = 300;

class VTX_MODULE_API Vtx_DlgDesignerData {
public:
    Vtx_DlgDesignerData();
    virtual ~Vtx_DlgDesignerData();
    /// A design belongs to the dialog it is attached to: a copy starts as a
    /// new, empty design, and assignment leaves the target as it is.
    Vtx_DlgDesignerData(const Vtx_DlgDesignerData&);
    Vtx_DlgDesignerData& operator=(const Vtx_DlgDesignerData&);

    // ---- file (DlgDesignerFile.cpp) ----

    /// Reads the design file at path, and with withBitmap the picture beside
    /// it (same path, extension "bmp"). False with the design unchanged when
    /// the path is not below the root folder, no file is there or it is not
    /// a design file. A file with unusable controls (a negative or too large
    /// count, a type outside 0 to 30, a position that is not a number) is
    /// read as far as it is usable: the design takes the name and the good
    /// controls, and the result is false. lastError() tells why; the reason
    /// is also printed as an error on the host's command line. The undo
    /// history is emptied and the design is not modified.
    bool readFromFile(const Vtx_String& path, bool withBitmap);
    /// Writes the design to path (whole, through a temporary file) and takes
    /// the path's design name; the picture of the old name is copied beside
    /// the new file when the name changes. Refused (false, nothing written,
    /// name and modified flag unchanged) when the path is not below the root
    /// folder; false too when the file cannot be written. On success the
    /// design is no longer modified.
    bool writeToFile(const Vtx_String& path);
    /// Takes the picture size from the bitmap file at path. False with
    /// nothing changed when there is no file; false with size 0 x 0 when it
    /// is not a readable bitmap.
    bool attachBitmap(const Vtx_String& path);
    /// Picture size in pixels, 0 x 0 without a picture.
    void getImageSize(int& width, int& height) const;
    /// The picture file last attached; empty when none.
    const Vtx_String& bitmapPath() const { return m_bitmapPath; }
    /// The design name ("EndPlate\\EndPlate"); empty for a new design.
    const Vtx_String& designName() const { return m_name; }
    /// Why the last read or write failed; empty after a success.
    const Vtx_String& lastError() const { return m_lastError; }
    /// True when the design changed since it was read or saved (undoing back
    /// to the saved state counts as unchanged).
    bool isModified() const;
    /// Marks a change made outside the undo history (a new picture), or,
    /// with false, the current state as saved.
    void setModified(bool modified);
    /// Prints every control's factors on the host's command line.
    void printPositions() const;

    // ---- controls (DlgDesignerData.cpp) ----

    int getNrControls() const { return m_controls.length(); }
    /// Control at list position i; null when out of range.
    const Vtx_DesignerControl* getControl(const int& i) const;
    /// As getControl, for changing it in place: such changes bypass the undo
    /// history unless made between beginChange() and endChange().
    Vtx_DesignerControl* getControlWrite(const int& i);
    /// The control whose window id is id; null when none.
    Vtx_DesignerControl* getControlFromRes(const int& id);
    /// List position of the first control with window id id; false (i
    /// unchanged) when id is not positive or no control has it.
    bool findCtrlFromResource(const int& id, int& i) const;
    /// Gives control the lowest window id of the id range that no control
    /// has (0 when all are taken), appends a copy and returns the id.
    int append(Vtx_DesignerControl& control);
    /// Removes list position i; ignored when out of range.
    void removeControl(const int& i);
    /// The contents of every variable edit, in list order.
    void getAllCtrlNames(Vtx_StringArray& names) const;
    /// The window ids given to controls (both ends included); 0 and 0 for a
    /// new design. Every control takes a new id from the range, in list
    /// order, and the selection is cleared.
    void setDynIdRange(int firstDynId, int lastDynId);
    int firstDynId() const { return m_firstDynId; }
    int lastDynId() const { return m_lastDynId; }

    // ---- coordinates (DlgDesignerGeometry.cpp) ----

    /// A factor in pixels: f x width (horizontal) or f x height.
    double factorToPixels(bool horizontal, double factor) const;
    /// Pixels as a factor: px / width or px / height.
    double pixelsToFactor(bool horizontal, double pixels) const;
    double getTopLeftX(const Vtx_DesignerControl& control) const;
    double getTopLeftY(const Vtx_DesignerControl& control) const;
    double getBottomRightX(const Vtx_DesignerControl& control) const;
    double getBottomRightY(const Vtx_DesignerControl& control) const;
    void setTopLeftX(Vtx_DesignerControl& control, double pixels) const;
    void setTopLeftY(Vtx_DesignerControl& control, double pixels) const;
    void setBottomRightX(Vtx_DesignerControl& control, double pixels) const;
    void setBottomRightY(Vtx_DesignerControl& control, double pixels) const;
    double getWidth(const Vtx_DesignerControl& control) const;
    double getHeight(const Vtx_DesignerControl& control) const;
    /// Right edge := left edge + width.
    void setWidth(Vtx_DesignerControl& control, double width) const;
    /// Top edge := bottom edge - height (the bottom edge stays).
    void setHeight(Vtx_DesignerControl& control, double height) const;
    /// The control's rectangle in pixels, unrounded.
    Vtx_DesignRect pixelRect(const Vtx_DesignerControl& control) const;
    /// The rectangle a live control is drawn in: each edge rounded to a
    /// whole pixel.
    Vtx_DesignRect drawRect(const Vtx_DesignerControl& control) const;

    // ---- selection (DlgDesignerData.cpp) ----

    /// Selects the controls with the given window ids, in that order; ids
    /// of no control are skipped.
    void selectCtrls(const Vtx_Array<int>& ids);
    /// Adds the control to the selection or takes it out; false when no
    /// control has the id.
    bool toggleSelection(int id);
    void clearSelection() { m_selection.removeAll(); }
    /// Window ids of the selected controls, in selection order.
    const Vtx_Array<int>& getSelectedIds() const { return m_selection; }
    /// List position of the control selected alone; -1 otherwise.
    int getCurSel() const;

    // ---- editing, recorded for undo (DlgDesignerEdit.cpp, DlgDesignerAlign.cpp) ----

    /// Appends a control of type with the text "new" (dialog text 171), 30
    /// x 18 pixels at a fifth of the picture. Always true.
    bool addNewControl(Vtx_ControlType type);
    /// Copies the selected controls 20 pixels right and down; the copies
    /// become the selection. False without a selection.
    bool copyCurCtrls();
    /// Removes the selected controls. False without a selection.
    bool removeCurControls();
    /// Sets the width (horizontal) or height of list position i to pixels,
    /// keeping its top-left corner; ignored when i is out of range.
    void changeCtrlSize(int i, bool horizontal, double pixels);
    /// changeCtrlSize for every selected control; false without a selection
    /// or for a negative or non-finite size.
    bool changeCurCtrlsSize(bool horizontal, double pixels);
    /// Aligns the bottoms of the selected controls to the most left one,
    /// keeping heights. False without a selection.
    bool outlineCurCtrls();
    /// Of exactly two selected controls, puts the right one directly right
    /// of the left one at its height, keeping its width. False otherwise.
    bool stickRightCurCtrls();
    /// Lines up an edge or centre of the selected controls with the first
    /// selected one, keeping sizes. False with fewer than two selected.
    bool alignCurCtrls(Vtx_AlignEdge edge);
    /// Spaces three or more selected controls evenly between the outermost
    /// two, left to right (horizontal) or top to bottom. False with fewer.
    bool distributeCurCtrls(bool horizontal);
    /// Gives the selected controls the width, height or both of the first
    /// selected one, keeping their top-left corners. False with fewer than two.
    bool matchSizeOfCurCtrls(Vtx_SizeMatch what);
    /// Moves the selected controls by dx, dy pixels. With snap, the
    /// selection's bounding rectangle is snapped after the move (to the grid
    /// and to the controls outside the selection). False without a selection.
    bool moveCurCtrls(double dx, double dy, const Vtx_SnapOptions* snap = nullptr);
    /// Sets type, contents and combo list (split for the new type) of list
    /// position i. False when i is out of range.
    bool setControlProps(int i, Vtx_ControlType type, const Vtx_String& contents,
                         const Vtx_String& comboList);

    // ---- undo (DlgDesignerData.cpp) ----

    /// Groups the changes until the matching endChange() into one undo step
    /// (calls nest). Needed only around changes made through
    /// getControlWrite(), such as a drag in the designer window.
    void beginChange();
    /// Ends a group; true when the controls changed (a step was recorded).
    bool endChange();
    bool undo();
    bool redo();
    bool canUndo() const;
    bool canRedo() const;

    // ---- Tab order (DlgDesignerTabs.cpp) ----

    /// Numbers the controls a user can Tab to, in rows from top to bottom
    /// and within a row from left to right, from 1; every other control gets 0.
    void sortAllControls();
    /// First control in list order at Tab position t.
    bool findCtrlWithTabOrder(const int& t, int& i) const;
    /// True when a control is not read-only.
    bool containsEditableCtrls() const;
    /// Where Tab (or Shift+Tab, backward) moves from Tab position t: the
    /// control's list position i with tmhHandled, or tmhPastLast /
    /// tmhBeforeFirst at the ends; tmhNotHandled when every control is
    /// read-only.
    Vtx_TabMsgHandle tabTarget(int t, bool backward, int& i) const;
    /// The control that gets the focus first (position 1) or last (the
    /// highest position); false when there is none.
    bool focusTarget(bool first, int& i) const;

protected:
    /// Design name of path (see designNameOfPath); name unchanged on false.
    bool getNameFromFile(const Vtx_String& path, Vtx_String& name) const;
    /// Of the ids whose controls exist, the one with the smallest left edge
    /// (the first of equals). False when there is none; i is then -1 when
    /// ids was not empty.
    bool findMostLeftCtrl(Vtx_Array<int> ids, int& i) const;

private:
    designer::DesignState currentState() const;
    void restoreState(const designer::DesignState& state);
    /// Undoes (forward false) or redoes one step.
    bool step(bool forward);
    /// The design name of path, or a reported failure saying what was not done.
    bool nameBelowRoot(const Vtx_String& path, Vtx_String& name, const char* notDone);
    void fail(const Vtx_String& message);
    int effectiveWidth() const;
    int effectiveHeight() const;
    /// Moves every edge of control by dx, dy pixels.
    void shiftControl(Vtx_DesignerControl& control, double dx, double dy) const;
    /// Positions of the selected controls, in selection order.
    Vtx_Array<int> selectedPositions() const;

    Vtx_Array<Vtx_DesignerControl> m_controls;
    Vtx_Array<int> m_selection;
    Vtx_String m_name;
    Vtx_String m_bitmapPath;
    Vtx_String m_lastError;
    int m_imageWidth = 0;
    int m_imageHeight = 0;
    int m_firstDynId = 0;
    int m_lastDynId = 0;
    bool m_modifiedOutside = false;
    int m_changeDepth = 0;
    std::unique_ptr<designer::DesignState> m_changeStart;
    std::unique_ptr<designer::DesignHistory> m_history;
};
