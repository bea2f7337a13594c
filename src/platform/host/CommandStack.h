#pragma once

#include "platform/Exports.h"
#include "platform/core/ErrorStatus.h"
#include "platform/core/VtxString.h"
#include "platform/core/VtxStringArray.h"

#include <functional>
#include <vector>

/// The host's registered-command stack: named groups of named commands that
/// modules add when they load and must remove before they unload (a handler
/// left behind would point into an unloaded library).
///
/// Group and command names compare without regard to letter case. A command
/// name is unique across all groups, as the user types it on the command line.
///
///     HostCommandStack& stack = Host::current().commandStack();
///     stack.addCommand("VORTEX_SS", "SSEDIT", [] { ... });
///     stack.runCommand("ssedit");
///     stack.removeGroup("VORTEX_SS");
class VTX_HOST_API HostCommandStack {
public:
    /// The stack's name in the host's system registry.
    static constexpr const char* kName = "ACAD_REGISTERED_COMMANDS";

    using Handler = std::function<void()>;

    /// eOk; eInvalidName for an empty name; eDuplicateKey when the group exists.
    ErrorStatus addGroup(const Vtx_String& group);
    /// Adds a command to group, making the group when needed. eInvalidName
    /// for an empty group or command name or an empty handler; eDuplicateKey
    /// when a command of that name exists in any group.
    ErrorStatus addCommand(const Vtx_String& group, const Vtx_String& command, Handler handler);
    /// Removes a group with all its commands; eKeyNotFound when there is none.
    ErrorStatus removeGroup(const Vtx_String& group);
    /// Removes one command; eKeyNotFound when the group has no such command.
    ErrorStatus removeCommand(const Vtx_String& group, const Vtx_String& command);

    bool hasGroup(const Vtx_String& group) const;
    bool hasCommand(const Vtx_String& command) const;
    /// The group that holds command, or an empty text.
    Vtx_String groupOf(const Vtx_String& command) const;
    Vtx_StringArray groupNames() const;
    /// The commands of group in the order they were added (empty when none).
    Vtx_StringArray commandNames(const Vtx_String& group) const;

    /// Runs a command's handler. The handler may change the stack, even remove
    /// its own group. eKeyNotFound when no group has the command.
    ErrorStatus runCommand(const Vtx_String& command);

private:
    struct Command {
        Vtx_String name;
        Handler handler;
    };
    struct Group {
        Vtx_String name;
        std::vector<Command> commands;
    };

    Group* findGroup(const Vtx_String& group);
    const Group* findGroup(const Vtx_String& group) const;
    const Command* findCommand(const Vtx_String& command) const;

    std::vector<Group> m_groups;
};
