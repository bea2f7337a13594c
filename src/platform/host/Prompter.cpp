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
    m_fileDialogs.push_back({request, ok ? chosen : Vtx_String()});
    if (ok)
        path = chosen;
    return ok;
}

void Prompter::clearLog() {
    m_messages.clear();
    m_fileDialogs.clear();
}

MessageResult BatchPrompter::askMessage(const MessageRecord& message) {
    if (m_print && m_commandLine != nullptr) {
        Vtx_String line("Warning: ");
        if (!message.caption.isEmpty())
            line.append(message.caption).append(": ");
        line.append(message.text);
        if (!line.endsWith("\n"))
            line.append('\n');
        m_commandLine->print(line.view());
    }
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
    m_answers.push_back({false, answer, {}});
}

void ScriptedPrompter::queueFileAnswer(const Vtx_String& path) {
    m_answers.push_back({true, MessageResult::Ok, path});
}

MessageResult ScriptedPrompter::askMessage(const MessageRecord& message) {
    if (m_answers.empty() || m_answers.front().isFile) {
        m_faults.push_back(Vtx_String("no message answer queued for: ") + message.text);
        return declineAnswer(message.buttons);
    }
    MessageResult answer = m_answers.front().message;
    m_answers.pop_front();
    if (!messageOffers(message.buttons, answer)) {
        m_faults.push_back(Vtx_String("answer ") + messageResultName(answer) +
                           " not offered by: " + message.text);
        return declineAnswer(message.buttons);
    }
    return answer;
}

bool ScriptedPrompter::askFile(const FileDialogRequest& request, Vtx_String& path) {
    if (m_answers.empty() || !m_answers.front().isFile) {
        m_faults.push_back(Vtx_String("no file answer queued for: ") + request.caption);
        return false;
    }
    path = m_answers.front().path;
    m_answers.pop_front();
    return !path.isEmpty();
}
