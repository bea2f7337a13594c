#include "platform/host/CommandStack.h"

#include <algorithm>

ErrorStatus HostCommandStack::addGroup(const Vtx_String& group) {
    if (group.isEmpty())
        return eInvalidName;
    if (findGroup(group) != nullptr)
        return eDuplicateKey;
    m_groups.push_back({group, {}});
    return eOk;
}

ErrorStatus HostCommandStack::addCommand(const Vtx_String& group, const Vtx_String& command,
                                         Handler handler) {
    if (group.isEmpty() || command.isEmpty() || !handler)
        return eInvalidName;
    if (findCommand(command) != nullptr)
        return eDuplicateKey;
    Group* target = findGroup(group);
    if (target == nullptr) {
        m_groups.push_back({group, {}});
        target = &m_groups.back();
    }
    target->commands.push_back({command, std::move(handler)});
    return eOk;
}

ErrorStatus HostCommandStack::removeGroup(const Vtx_String& group) {
    auto it = std::find_if(m_groups.begin(), m_groups.end(),
                           [&](const Group& g) { return g.name.equal(group, false); });
    if (it == m_groups.end())
        return eKeyNotFound;
    m_groups.erase(it);
    return eOk;
}

ErrorStatus HostCommandStack::removeCommand(const Vtx_String& group, const Vtx_String& command) {
    Group* target = findGroup(group);
    if (target == nullptr)
        return eKeyNotFound;
    auto it = std::find_if(target->commands.begin(), target->commands.end(),
                           [&](const Command& c) { return c.name.equal(command, false); });
    if (it == target->commands.end())
        return eKeyNotFound;
    target->commands.erase(it);
    return eOk;
}

bool HostCommandStack::hasGroup(const Vtx_String& group) const {
    return findGroup(group) != nullptr;
}

bool HostCommandStack::hasCommand(const Vtx_String& command) const {
    return findCommand(command) != nullptr;
}

Vtx_String HostCommandStack::groupOf(const Vtx_String& command) const {
    for (const Group& group : m_groups)
        for (const Command& c : group.commands)
            if (c.name.equal(command, false))
                return group.name;
    return {};
}

Vtx_StringArray HostCommandStack::groupNames() const {
    Vtx_StringArray names;
    for (const Group& group : m_groups)
        names.append(group.name);
    return names;
}

Vtx_StringArray HostCommandStack::commandNames(const Vtx_String& group) const {
    Vtx_StringArray names;
    if (const Group* found = findGroup(group))
        for (const Command& c : found->commands)
            names.append(c.name);
    return names;
}

ErrorStatus HostCommandStack::runCommand(const Vtx_String& command) {
    const Command* found = findCommand(command);
    if (found == nullptr)
        return eKeyNotFound;
    // A copy: the handler may remove its own entry while it runs.
    Handler handler = found->handler;
    handler();
    return eOk;
}

HostCommandStack::Group* HostCommandStack::findGroup(const Vtx_String& group) {
    for (Group& g : m_groups)
        if (g.name.equal(group, false))
            return &g;
    return nullptr;
}

const HostCommandStack::Group* HostCommandStack::findGroup(const Vtx_String& group) const {
    for (const Group& g : m_groups)
        if (g.name.equal(group, false))
            return &g;
    return nullptr;
}

const HostCommandStack::Command* HostCommandStack::findCommand(const Vtx_String& command) const {
    for (const Group& g : m_groups)
        for (const Command& c : g.commands)
            if (c.name.equal(command, false))
                return &c;
    return nullptr;
}
