#include "platform/host/HostEditor.h"

#include "platform/host/CommandLine.h"

void HostEditor::beginEditorCommand() {
    ++m_depth;
    ++m_begins;
}

ErrorStatus HostEditor::completeEditorCommand() {
    return endEditorCommand(m_completes, "completed");
}

ErrorStatus HostEditor::cancelEditorCommand() {
    return endEditorCommand(m_cancels, "cancelled");
}

ErrorStatus HostEditor::endEditorCommand(int& counter, const char* what) {
    if (m_depth == 0) {
        ++m_unbalanced;
        m_commandLine.printf("*Error* Editor command %s without a begin.\n", what);
        return eNotApplicable;
    }
    --m_depth;
    ++counter;
    return eOk;
}

bool HostEditor::setFocus(HostWindow window) {
    if (!window.isValid())
        return false;
    m_focus = window;
    return true;
}

void HostEditor::reset() {
    m_depth = 0;
    m_begins = 0;
    m_completes = 0;
    m_cancels = 0;
    m_unbalanced = 0;
    m_displayUpdates = 0;
    m_focus = kMainWindow;
}
