#include "platform/ui/QtPrompter.h"

#include "platform/core/Files.h"
#include "platform/ui/TextInputDialog.h"
#include "platform/ui/UiText.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace vtx::ui {

namespace {

QMessageBox::StandardButtons qtButtons(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::Ok:
        return QMessageBox::Ok;
    case MessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    case MessageButtons::AbortRetryIgnore:
        return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon qtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::None:
        return QMessageBox::NoIcon;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

MessageResult moduleResult(int button) {
    switch (button) {
    case QMessageBox::Ok:
        return MessageResult::Ok;
    case QMessageBox::Yes:
        return MessageResult::Yes;
    case QMessageBox::No:
        return MessageResult::No;
    case QMessageBox::Retry:
        return MessageResult::Retry;
    case QMessageBox::Abort:
        return MessageResult::Abort;
    case QMessageBox::Ignore:
        return MessageResult::Ignore;
    default:
        return MessageResult::Cancel;
    }
}

// A chosen path as the module keeps it; false for a name its texts cannot
// hold (said in a message box, as the batch tool refuses such names).
bool chosenPath(const QString& chosen, Vtx_String& path, QWidget* parent) {
    Vtx_String text;
    if (!moduleText(chosen, text)) {
        QMessageBox::warning(parent, QString(),
                             chosen + QStringLiteral("\n") + uiGeneralText(kUnholdableTextNumber));
        return false;
    }
    path = text;
    return true;
}

QString startPath(const FileDialogRequest& request) {
    Vtx_String start = request.folder;
    if (!start.isEmpty() && !start.endsWith("\\") && !start.endsWith("/"))
        start.append('\\');
    start.append(request.fileName);
    return start.isEmpty() ? QString() : QString::fromStdString(nativePath(start).string());
}

} // namespace

QStringList qtNameFilters(const Vtx_String& filter) {
    QStringList names;
    const QStringList parts = qtText(filter).split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        // Qt takes the patterns from the parentheses of the description.
        names << (parts[i].contains(QLatin1Char('('))
                      ? parts[i]
                      : parts[i] + QStringLiteral(" (") + patterns + QStringLiteral(")"));
    }
    return names;
}

QWidget* QtPrompter::parent() const {
    return m_parent ? m_parent.data() : QApplication::activeWindow();
}

MessageResult QtPrompter::askMessage(const MessageRecord& message) {
    QMessageBox box(qtIcon(message.icon), qtText(message.caption), qtText(message.text),
                    qtButtons(message.buttons), parent());
    return moduleResult(box.exec());
}

bool QtPrompter::askFile(const FileDialogRequest& request, Vtx_String& path) {
    QFileDialog dialog(parent(), qtText(request.caption), startPath(request));
    dialog.setNameFilters(qtNameFilters(request.filter));
    dialog.setDefaultSuffix(qtText(request.defaultExtension));
    const bool save = request.mode == FileDialogRequest::Mode::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    return chosenPath(dialog.selectedFiles().front(), path, parent());
}

bool QtPrompter::askFiles(const FileDialogRequest& request, Vtx_StringArray& paths) {
    QFileDialog dialog(parent(), qtText(request.caption), startPath(request));
    dialog.setNameFilters(qtNameFilters(request.filter));
    dialog.setFileMode(QFileDialog::ExistingFiles);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    paths = Vtx_StringArray();
    for (const QString& chosen : dialog.selectedFiles()) {
        Vtx_String path;
        if (chosenPath(chosen, path, parent()))
            paths.append(path);
    }
    return !paths.isEmpty();
}

bool QtPrompter::askText(const TextInputRequest& request, Vtx_String& value) {
    TextInputRequest asked = request;
    if (!runTextInput(asked, parent()))
        return false;
    value = asked.value;
    return true;
}

} // namespace vtx::ui
