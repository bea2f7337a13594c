#pragma once

/// The designer window (size kept under "DLG_DLGDESIGNER"): one design's
/// picture with its controls in design mode (window ids 33000 to 33099), the
/// mouse layer that selects, moves and resizes them, the tool buttons, and a
/// property strip at the bottom that edits the control selected alone (type,
/// contents, combo list). Every change goes through the design's operations,
/// so Ctrl+Z and Ctrl+Y undo and redo all of them; the arrow keys nudge and
/// the right-click menu aligns, distributes and matches sizes. Leaving a
/// changed design (OK, the close box, opening another one) asks whether to
/// save it; Escape does not close the window.
///
///     DesignerWindow window(getDesignerRootFolder() + "EndPlate\\EndPlate.txt");
///     if (window.exec() == QDialog::Accepted) ...

#include "platform/ui/VtxDialog.h"

#ifndef Q_MOC_RUN
#include "designer/VtxDlgDesignerData.h"
#include "platform/ui/ResizableLayout.h"
#endif

#include <map>

class QAction;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QToolButton;

namespace vtx::designui {

class DesignArea;
class DesignTracker;

/// Control ids of the window.
enum DesignerControl : int {
    kDesignerTypeFrame = 1015,
    kDesignerType = 1005,
    kDesignerContentsFrame = 1016,
    kDesignerContents = 1304,
    kDesignerComboFrame = 1017,
    kDesignerComboList = 1305,
    kDesignerOpen = 1299,
    kDesignerSaveAs = 1302,
    kDesignerAdd = 1300,
    kDesignerRemove = 1301,
    kDesignerWidth = 1306,
    kDesignerHeight = 1307,
    kDesignerOutline = 1200,
    kDesignerStickRight = 1201,
    kDesignerCopy = 1199,
    kDesignerBackground = 1303,
    kDesignerArea = 1298,
};

/// The window ids designed controls get in the designer.
constexpr int kDesignerFirstId = 33000;
constexpr int kDesignerLastId = 33099;

/// The commands of the right-click menu (and their keys).
enum class DesignerCommand {
    Undo,
    Redo,
    AlignLeft,
    AlignRight,
    AlignTop,
    AlignBottom,
    AlignCentreX,
    AlignCentreY,
    DistributeX,
    DistributeY,
    SameWidth,
    SameHeight,
    SameSize,
};

class DesignerWindow : public vtx::ui::VtxDialog {
    Q_OBJECT
public:
    /// Opens on the design at startPath; an empty path, or one without a
    /// file, gives an empty design.
    explicit DesignerWindow(const Vtx_String& startPath, QWidget* parent = nullptr);
    ~DesignerWindow() override;

    DesignArea* area() const { return m_area; }
    DesignTracker* tracker() const { return m_tracker; }
    Vtx_DlgDesignerData& design();
    QAction* commandAction(DesignerCommand command) const;

    /// Asks whether to save a changed design: true when the action that
    /// asked may go on (saved, or the user said No), false on Cancel or
    /// when saving failed. No question for an unchanged design.
    bool promptToSave();
    /// Button 1299: the save prompt, then a design file to open.
    bool openDesign();
    /// Button 1302: saves under a name the user picks; true when saved.
    bool saveDesignAs();
    /// Button 1303: a picture copied beside the design as its background.
    bool chooseBackground();

    void accept() override;
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildStrip();
    void buildCommands();
    void placeControls();
    /// Reads the design at path with its picture and draws it anew.
    void loadDesign(const Vtx_String& path);
    /// Draws the controls anew and keeps the selection.
    void redraw();
    void updateTitle();
    /// Shows the control selected alone in the property strip.
    void updateProps();
    /// Takes the strip's values into the control selected alone.
    void propsEdited(bool typeChanged);
    /// Ends the undo step of typing in the strip, if one is open.
    void endTyping();
    /// Runs an editing operation: true when it changed the design.
    void edit(bool changed);
    void runCommand(DesignerCommand command);
    void askSize(bool horizontal);
    /// Writes the design to path; a refusal is shown with its reason.
    bool writeTo(const Vtx_String& path);
    /// The folder the file dialogs start in.
    Vtx_String designFolder() const;
    QToolButton* toolButton(int id, int icon);
    void showFailure(const Vtx_String& reason);

    DesignArea* m_area = nullptr;
    DesignTracker* m_tracker = nullptr;
    QComboBox* m_type = nullptr;
    QLineEdit* m_contents = nullptr;
    QLineEdit* m_comboList = nullptr;
    QGroupBox* m_contentsFrame = nullptr;
    QGroupBox* m_comboFrame = nullptr;
    vtx::ui::ResizableLayout m_layout;
    std::map<DesignerCommand, QAction*> m_commands;
    bool m_updatingProps = false;
    bool m_typing = false;
};

} // namespace vtx::designui
