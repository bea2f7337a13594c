#include "platform/host/Host.h"

#include <cstdarg>

namespace {

Host* gCurrentHost = nullptr;

Host& defaultHost() {
    // Never destroyed: see Host::current().
    static Host* host = new Host;
    return *host;
}

} // namespace

Host::Host() = default;

Host::~Host() {
    m_linker.unloadAll();
    if (gCurrentHost == this)
        gCurrentHost = nullptr;
}

Prompter* Host::setPrompter(Prompter* prompter) {
    Prompter* previous = m_prompter;
    m_prompter = prompter;
    return previous;
}

Host& Host::current() {
    return gCurrentHost ? *gCurrentHost : defaultHost();
}

Host* Host::setCurrent(Host* host) {
    Host* previous = gCurrentHost;
    gCurrentHost = host;
    return previous;
}

void hostPrintf(const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    Host::current().commandLine().vprintf(format, args);
    va_end(args);
}

void hostPostCommand(const Vtx_String& command) {
    Host::current().commands().postCommand(command);
}

void hostPostCommandPrompt() {
    Host::current().commands().postCommandPrompt();
}

HostWindow hostMainWindow() {
    return Host::current().editor().mainWindow();
}

void hostBeginEditorCommand() {
    Host::current().editor().beginEditorCommand();
}

ErrorStatus hostCompleteEditorCommand() {
    return Host::current().editor().completeEditorCommand();
}

void hostUpdateDisplay() {
    Host::current().editor().updateDisplay();
}

Prompter& hostPrompter() {
    return Host::current().prompter();
}
