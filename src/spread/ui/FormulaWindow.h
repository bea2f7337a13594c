#pragma once

/// The formula dialog on the desktop ("Formulas", resource 133): a window
/// over a KsFormulaDialog record, whose grid it shows in placeholder 1004.
/// The file-name field (1000) with a browse button, "Load from File"
/// (1087), "Save to File" (1001), the "Style" radio buttons (1005-1007),
/// "Auto calculate" (1106), "Recalculate" (1107), OK and Cancel.
///
///     auto* window = new FormulaWindow(FormulaDialogMode::EvaluateCell, file);
///     window->record().setCell(1, 1);
///     window->openRecord();                     // loads, evaluates, shows
///
/// The window deletes itself when closed. A file that cannot be loaded or
/// saved is said in a message box (with the reason) and on the command line
/// ("Load failed", "Save failed"); the grid keeps what it showed.

#include "platform/ui/VtxDialog.h"

#ifndef Q_MOC_RUN
#include "spread/FormulaDialog.h"
#endif

#include <memory>

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QPushButton;

namespace vtx::spreadui {

class QtDialogHost;
class SpreadView;

class FormulaWindow : public vtx::ui::VtxDialog {
    Q_OBJECT
public:
    FormulaWindow(FormulaDialogMode mode, const Vtx_String& fileName, QWidget* parent = nullptr);
    ~FormulaWindow() override;

    KsFormulaDialog& record() { return *m_record; }
    /// Opens the record (loading and evaluating as its mode says) in this
    /// window and shows it; false when its grid cannot be made.
    bool openRecord();
    SpreadView* view() const;

    /// Every formula window open now (the module closes them when it unloads).
    static QList<FormulaWindow*> openWindows();

private:
    void buildControls();
    void showRecord();
    bool takeFileName();
    void browse();
    void load();
    void save();

    std::unique_ptr<QtDialogHost> m_host;
    std::unique_ptr<KsFormulaDialog> m_record;
    QLineEdit* m_fileName = nullptr;
    QButtonGroup* m_styles = nullptr;
    QCheckBox* m_autoCalculate = nullptr;
    QPushButton* m_recalculate = nullptr;
};

} // namespace vtx::spreadui
