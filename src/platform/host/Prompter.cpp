#include "platform/host/Prompter.h"

#include "platform/host/CommandLine.h"

bool messageOffers(MessageButtons buttons, MessageResult result) {
    using R = MessageResult;
    switch (buttons) {
    case MessageButtons::Ok:
        return result == R::Ok;
    case MessageButtons::OkCancel:
        return result == R::Ok || result == R::Cancel;
    case MessageButtons::YesNo:
        return result == R::Yes || result == R::No;
    case MessageButtons::YesNoCancel:
        return result == R::Yes || result == R::No || result == R::Cancel;
    case MessageButtons::RetryCancel:
        return result == R::Retry || result == R::Cancel;
    case MessageButtons::AbortRetryIgnore:
        return result == R::Abort || result == R::Retry || result == R::Ignore;
    }
    return false;
}

MessageResult declineAnswer(MessageButtons buttons) {
    for (MessageResult r : {MessageResult::Cancel, MessageResult::No, MessageResult::Abort})
        if (messageOffers(buttons, r))
            return r;
    return MessageResult::Ok;
}

const char* messageResultName(MessageResult result) {
    switch (result) {
    case MessageResult::Ok:
        return "Ok";
    case MessageResult::Cancel:
        return "Cancel";
    case MessageResult::Yes:
        return "Yes";
    case MessageResult::No:
        return "No";
    case MessageResult::Retry:
        return "Retry";
    case MessageResult::Abort:
        return "Abort";
    case MessageResult::Ignore:
        return "Ignore";
    }
    return "?";
}

MessageResult Prompter::messageBox(const Vtx_String& text, const Vtx_String& caption,
                                   MessageButtons buttons, MessageIcon icon) {
    MessageRecord record{text, caption, buttons, icon, MessageResult::Ok};
    MessageResult answer = askMessage(record);
    record.answer = messageOffers(buttons, answer) ? answer : declineAnswer(buttons);
    m_messages.push_back(record);
    return record.answer;
}

bool Prompter::fileDialog(const FileDialogRequest& request, Vtx_String& path) {
    Vtx_String chosen;
    bool ok = askFile(request, chosen) && !chosen.isEmpty();
    m_fileDialogs.push_back(
        {request, ok ? chosen : Vtx_String(), ok ? Vtx_StringArray{chosen} : Vtx_StringArray()});
    if (ok)
        path = chosen;
    return ok;
}

bool Prompter::filesDialog(const FileDialogRequest& request, Vtx_StringArray& paths) {
    FileDialogRequest multi = request;
    multi.mode = FileDialogRequest::Mode::Open;
    multi.multiSelect = true;
    Vtx_StringArray chosen;
    bool ok = askFiles(multi, chosen);
    Vtx_StringArray kept;
    for (const Vtx_String& path : chosen)
        if (!path.isEmpty())
            kept.append(path);
    ok = ok && !kept.isEmpty();
    m_fileDialogs.push_back({multi, ok ? kept[0] : Vtx_String(), ok ? kept : Vtx_StringArray()});
    if (ok)
        paths = kept;
    return ok;
}

bool Prompter::askFiles(const FileDialogRequest& request, Vtx_StringArray& paths) {
    Vtx_String path;
    if (!askFile(request, path) || path.isEmpty())
        return false;
    paths = Vtx_StringArray{path};
    return true;
}

bool Prompter::textInput(TextInputRequest& request) {
    Vtx_String value = request.value;
    bool accepted = askText(request, value);
    if (accepted && request.editShown && value.isEmpty())
        accepted = false;
    if (!request.editShown)
        value = request.value;
    m_textInputs.push_back({request, accepted, accepted ? value : Vtx_String()});
    if (accepted)
        request.value = value;
    return accepted;
}

void Prompter::clearLog() {
    m_messages.clear();
    m_fileDialogs.clear();
    m_textInputs.clear();
}

void BatchPrompter::printWarning(const Vtx_String& caption, const Vtx_String& text) const {
    if (!m_print || m_commandLine == nullptr)
        return;
    Vtx_String line("Warning: ");
    if (!caption.isEmpty())
        line.append(caption).append(": ");
    line.append(text);
    if (!line.endsWith("\n"))
        line.append('\n');
    m_commandLine->print(line.view());
}

bool BatchPrompter::askText(const TextInputRequest& request, Vtx_String&) {
    printWarning(request.caption, request.prompt);
    return false;
}

MessageResult BatchPrompter::askMessage(const MessageRecord& message) {
    printWarning(message.caption, message.text);
    if (messageOffers(message.buttons, m_defaultAnswer))
        return m_defaultAnswer;
    switch (message.buttons) {
    case MessageButtons::YesNo:
    case MessageButtons::YesNoCancel:
        return MessageResult::Yes;
    case MessageButtons::RetryCancel:
        return MessageResult::Retry;
    case MessageButtons::AbortRetryIgnore:
        return MessageResult::Abort;
    case MessageButtons::Ok:
    case MessageButtons::OkCancel:
        break;
    }
    return MessageResult::Ok;
}

bool BatchPrompter::askFile(const FileDialogRequest&, Vtx_String& path) {
    if (m_fileAnswer.isEmpty())
        return false;
    path = m_fileAnswer;
    return true;
}

void ScriptedPrompter::queueMessageAnswer(MessageResult answer) {
    m_answers.push_back({Kind::Message, answer, {}, {}});
}

void ScriptedPrompter::queueFileAnswer(const Vtx_String& path) {
    m_answers.push_back({Kind::File, MessageResult::Ok, Vtx_StringArray{path}, {}});
}

void ScriptedPrompter::queueFilesAnswer(const Vtx_StringArray& paths) {
    m_answers.push_back({Kind::Files, MessageResult::Ok, paths, {}});
}

void ScriptedPrompter::queueTextAnswer(const Vtx_String& text) {
    m_answers.push_back({Kind::Text, MessageResult::Ok, {}, text});
}

void ScriptedPrompter::queueTextCancel() {
    m_answers.push_back({Kind::Text, MessageResult::Cancel, {}, {}});
}

bool ScriptedPrompter::takeAnswer(Kind kind, const Vtx_String& question, Answer& answer) {
    static const char* const kNames[] = {"message", "file", "files", "text"};
    if (m_answers.empty() || m_answers.front().kind != kind) {
        m_faults.push_back(Vtx_String("no ") + kNames[static_cast<int>(kind)] +
                           " answer queued for: " + question);
        return false;
    }
    answer = m_answers.front();
    m_answers.pop_front();
    return true;
}

MessageResult ScriptedPrompter::askMessage(const MessageRecord& message) {
    Answer answer;
    if (!takeAnswer(Kind::Message, message.text, answer))
        return declineAnswer(message.buttons);
    if (!messageOffers(message.buttons, answer.message)) {
        m_faults.push_back(Vtx_String("answer ") + messageResultName(answer.message) +
                           " not offered by: " + message.text);
        return declineAnswer(message.buttons);
    }
    return answer.message;
}

bool ScriptedPrompter::askFile(const FileDialogRequest& request, Vtx_String& path) {
    Answer answer;
    if (!takeAnswer(Kind::File, request.caption, answer))
        return false;
    path = answer.paths[0];
    return !path.isEmpty();
}

bool ScriptedPrompter::askFiles(const FileDialogRequest& request, Vtx_StringArray& paths) {
    Answer answer;
    if (!takeAnswer(Kind::Files, request.caption, answer))
        return false;
    paths = answer.paths;
    return !paths.isEmpty();
}

bool ScriptedPrompter::askText(const TextInputRequest& request, Vtx_String& value) {
    Answer answer;
    if (!takeAnswer(Kind::Text, request.prompt, answer) || answer.message == MessageResult::Cancel)
        return false;
    if (request.editShown && answer.text.isEmpty()) {
        // The dialog does not close on OK with nothing typed: no user could
        // have given this answer.
        m_faults.push_back(Vtx_String("an empty text cannot be accepted: ") + request.prompt);
        return false;
    }
    value = answer.text;
    return true;
}
