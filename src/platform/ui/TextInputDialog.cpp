#include "platform/ui/TextInputDialog.h"

#include "platform/ui/UiText.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vtx::ui {

namespace {

constexpr int kTemplate = 8069;
constexpr int kPromptId = 8600;
constexpr int kEditId = 8003;
constexpr int kOkId = 1;
constexpr int kCancelId = 2;

} // namespace

TextInputDialog::TextInputDialog(const TextInputRequest& request, QWidget* parent)
    : VtxDialog(kTemplate, {}, parent), m_request(request), m_prompt(new QLabel(this)),
      m_edit(new QLineEdit(this)) {
    setWindowTitle(qtText(request.caption));
    m_prompt->setText(qtText(request.prompt));
    m_prompt->setWordWrap(true);
    setControlId(m_prompt, kPromptId);
    m_edit->setText(qtText(request.value));
    m_edit->setMinimumWidth(m_edit->fontMetrics().averageCharWidth() * 40);
    setControlId(m_edit, kEditId);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok =
        buttons->addButton(request.okCaption.isEmpty() ? uiText(kOkId) : qtText(request.okCaption),
                           QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton(
        request.cancelCaption.isEmpty() ? uiText(kCancelId) : qtText(request.cancelCaption),
        QDialogButtonBox::RejectRole);
    setControlId(ok, kOkId);
    setControlId(cancel, kCancelId);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &TextInputDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TextInputDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_prompt);
    layout->addWidget(m_edit);
    layout->addWidget(buttons);
    if (!request.editShown)
        m_edit->hide();
    else {
        m_edit->selectAll();
        m_edit->setFocus();
    }
}

void TextInputDialog::accept() {
    if (m_request.editShown) {
        if (m_edit->text().isEmpty())
            return; // nothing typed: the dialog stays open
        Vtx_String value;
        if (!moduleText(m_edit->text(), value)) {
            // A character the module's texts cannot hold: say so, keep the
            // dialog open with the text as typed.
            m_prompt->setText(qtText(m_request.prompt) + QStringLiteral("\n") +
                              uiGeneralText(kUnholdableTextNumber));
            return;
        }
        m_request.value = value;
    }
    VtxDialog::accept();
}

bool runTextInput(TextInputRequest& request, QWidget* parent) {
    TextInputDialog dialog(request, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    request.value = dialog.request().value;
    return true;
}

} // namespace vtx::ui
