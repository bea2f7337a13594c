#pragma once

/// The text-input dialog (template 8069): asks for one line of text, or with
/// the edit hidden shows a message with OK and Cancel. The prompt is static
/// 8600, the text edit 8003, the buttons OK (1) and Cancel (2). OK closes
/// only when the edit is hidden or holds text; the text then becomes the
/// value and the dialog is accepted. Cancel closes without change.

#include "platform/Exports.h"
#include "platform/ui/VtxDialog.h"
#ifndef Q_MOC_RUN
#include "platform/host/Prompter.h"
#endif

class QLabel;
class QLineEdit;
class QPushButton;

namespace vtx::ui {

class VTX_UI_API TextInputDialog : public VtxDialog {
    Q_OBJECT
public:
    explicit TextInputDialog(const TextInputRequest& request, QWidget* parent = nullptr);

    /// The request with the value typed (set when accepted).
    const TextInputRequest& request() const { return m_request; }

    void accept() override;

private:
    TextInputRequest m_request;
    QLabel* m_prompt;
    QLineEdit* m_edit;
};

/// Runs the dialog modally; true when accepted, with request.value set.
VTX_UI_API bool runTextInput(TextInputRequest& request, QWidget* parent = nullptr);

} // namespace vtx::ui
