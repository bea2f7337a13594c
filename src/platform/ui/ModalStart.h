#pragma once

/// What every modal Start function of the module does, in one place: while
/// the call lasts the module's own resources are current; the dialog is made
/// without a parent window; the caller's record is copied into it; the
/// dialog runs modally; only when it ends with OK is its record copied back,
/// and the result is true. Otherwise the caller's record is left as it was.
///
/// A dialog used here has setRecord(const Record&) and record():
///
///     VTX_MODULE_API bool StartDlgGenVars(KsAutoStandardsData& data) {
///         return vtx::ui::runModalStart<GenVarsDialog>(data);
///     }

#include "platform/Exports.h"
#include "platform/host/Resources.h"

#include <QDialog>

#include <utility>

class QWidget;

namespace vtx::ui {

/// The module's resource source, made current by the Start functions: set
/// by the module when it loads (null when it unloads).
VTX_UI_API void setModuleResources(const ResourceSource* source);
VTX_UI_API const ResourceSource* moduleResources();

/// The host's main window as a widget, the parent of the module's modeless
/// windows (the bill window): set by the host program when its window is
/// made (null when it goes); null in a program without one.
VTX_UI_API void setHostMainWindow(QWidget* window);
VTX_UI_API QWidget* hostMainWindow();

/// Makes the module's resources current for the life of the scope.
class VTX_UI_API ModuleResourcesScope {
public:
    ModuleResourcesScope();
    ~ModuleResourcesScope();
    ModuleResourcesScope(const ModuleResourcesScope&) = delete;
    ModuleResourcesScope& operator=(const ModuleResourcesScope&) = delete;

private:
    const ResourceSource* m_previous;
};

/// The modal pattern for dialog type Dialog, made from args.
template <class Dialog, class Record, class... Args>
bool runModalStart(Record& record, Args&&... args) {
    ModuleResourcesScope resources;
    Dialog dialog(std::forward<Args>(args)...);
    dialog.setRecord(record);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    record = dialog.record();
    return true;
}

/// The host's editor-command bracket around work in the drawing: the dialog
/// hides while the host works and shows again at the end of the scope.
class VTX_UI_API EditorCommandBracket {
public:
    explicit EditorCommandBracket(QWidget* dialog);
    ~EditorCommandBracket();
    EditorCommandBracket(const EditorCommandBracket&) = delete;
    EditorCommandBracket& operator=(const EditorCommandBracket&) = delete;

private:
    QWidget* m_dialog;
    bool m_wasVisible;
};

} // namespace vtx::ui
