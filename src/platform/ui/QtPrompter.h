#pragma once

/// The prompter of a desktop session: real message boxes, file dialogs and
/// the text-input dialog. Tests use the host's ScriptedPrompter instead, and
/// batch work the BatchPrompter; all three log every question alike.
///
///     vtx::ui::QtPrompter prompter(mainWindow);
///     Host::current().setPrompter(&prompter);

#include "platform/Exports.h"
#include "platform/host/Prompter.h"

#include <QPointer>
#include <QWidget>

namespace vtx::ui {

class VTX_UI_API QtPrompter : public Prompter {
public:
    /// Questions are shown over parent (null: the active window).
    explicit QtPrompter(QWidget* parent = nullptr) : m_parent(parent) {}

protected:
    MessageResult askMessage(const MessageRecord& message) override;
    bool askFile(const FileDialogRequest& request, Vtx_String& path) override;
    bool askFiles(const FileDialogRequest& request, Vtx_StringArray& paths) override;
    bool askText(const TextInputRequest& request, Vtx_String& value) override;

private:
    QWidget* parent() const;

    QPointer<QWidget> m_parent;
};

/// The Qt name filters of a "description|pattern|..." filter text
/// ("Spreadsheets (*.kss)|*.kss" gives "Spreadsheets (*.kss)").
VTX_UI_API QStringList qtNameFilters(const Vtx_String& filter);

} // namespace vtx::ui
