#pragma once

#include "platform/Exports.h"
#include "platform/host/CommandLine.h"
#include "platform/host/CommandStack.h"
#include "platform/host/DynamicLinker.h"
#include "platform/host/GlobalMemory.h"
#include "platform/host/HostEditor.h"
#include "platform/host/Prompter.h"
#include "platform/host/Registry.h"
#include "platform/host/Resources.h"

/// The CAD host as the module sees it, gathered in one object: command line,
/// posted commands, editor, registered-command stack, dynamic linker, global
/// memory, registry, resources and the prompter for message boxes and file
/// dialogs.
///
/// All host state lives in a Host object and nowhere else. Code reaches the
/// host through Host::current(); a test makes its own host current for its
/// duration, and a module library adopts the host that loaded it (see
/// HostModule). Everything runs on one thread; nothing here is locked.
///
///     Host host;
///     HostScope scope(host);          // host is current until scope ends
///     hostPrintf("*Error* Invalid index passed to insert.\n");
///     EXPECT_EQ(host.commandLine().errorLines().length(), 1);
class VTX_HOST_API Host {
public:
    Host();
    /// Unloads the modules still loaded before anything else goes.
    ~Host();
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    HostCommandLine& commandLine() { return m_commandLine; }
    HostCommandQueue& commands() { return m_commands; }
    HostEditor& editor() { return m_editor; }
    HostCommandStack& commandStack() { return m_commandStack; }
    HostGlobalMemory& memory() { return m_memory; }
    HostRegistry& registry() { return m_registry; }
    HostResources& resources() { return m_resources; }
    HostDynamicLinker& linker() { return m_linker; }

    /// The prompter in use: the one set, else the host's batch prompter.
    Prompter& prompter() { return m_prompter ? *m_prompter : m_batchPrompter; }
    /// Uses prompter (null: the batch prompter again), which must outlive its
    /// use; returns the one set before (null for the batch prompter).
    Prompter* setPrompter(Prompter* prompter);
    /// The host's own prompter, answering without asking anyone.
    BatchPrompter& batchPrompter() { return m_batchPrompter; }

    /// The current host: the one last made current, else a host made on first
    /// use that lives until the process ends (it is never destroyed, so that
    /// no module is called while the process is tearing down).
    static Host& current();
    /// Makes host current (null: the default host) and returns the host that
    /// was current before (null when that was the default host).
    static Host* setCurrent(Host* host);

private:
    HostCommandLine m_commandLine;
    HostCommandQueue m_commands;
    HostEditor m_editor{m_commandLine};
    HostCommandStack m_commandStack;
    HostGlobalMemory m_memory;
    HostRegistry m_registry;
    HostResources m_resources;
    BatchPrompter m_batchPrompter{&m_commandLine};
    Prompter* m_prompter = nullptr;
    // Last, so that modules unload while everything they use still exists.
    HostDynamicLinker m_linker{*this};
};

/// Makes a host current for the life of the scope, then restores the one
/// before.
class VTX_HOST_API HostScope {
public:
    explicit HostScope(Host& host) : m_previous(Host::setCurrent(&host)) {}
    ~HostScope() { Host::setCurrent(m_previous); }
    HostScope(const HostScope&) = delete;
    HostScope& operator=(const HostScope&) = delete;

private:
    Host* m_previous;
};

/// Shorthands for the calls the module makes most, all on Host::current().
///
/// Prints on the command line, printf-style, 8-bit text unchanged.
VTX_HOST_API void hostPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
/// Posts a command text such as "CANCELCMD".
VTX_HOST_API void hostPostCommand(const Vtx_String& command);
/// Posts a fresh command prompt.
VTX_HOST_API void hostPostCommandPrompt();
VTX_HOST_API HostWindow hostMainWindow();
VTX_HOST_API void hostBeginEditorCommand();
VTX_HOST_API ErrorStatus hostCompleteEditorCommand();
VTX_HOST_API void hostUpdateDisplay();
VTX_HOST_API Prompter& hostPrompter();
