#include "module/ModuleState.h"

#include <algorithm>
#include <exception>

ErrorStatus ModuleState::addHooks(ModuleHooks hooks) {
    if (hooks.name.isEmpty())
        return eInvalidName;
    if (hasHooks(hooks.name))
        return eDuplicateKey;
    m_hooks.push_back(std::move(hooks));
    // While loading, the load loop reaches the new hooks by itself.
    if (m_phase == Phase::Loaded) {
        ModuleHooks added = m_hooks.back();
        Vtx_StringArray failures;
        if (!runHook(added, added.onLoad, failures))
            return eGeneralError;
    }
    return eOk;
}

ErrorStatus ModuleState::removeHooks(const Vtx_String& name) {
    auto it = std::find_if(m_hooks.begin(), m_hooks.end(),
                           [&](const ModuleHooks& h) { return h.name.equal(name, false); });
    if (it == m_hooks.end())
        return eKeyNotFound;
    m_hooks.erase(it);
    return eOk;
}

bool ModuleState::hasHooks(const Vtx_String& name) const {
    return std::any_of(m_hooks.begin(), m_hooks.end(),
                       [&](const ModuleHooks& h) { return h.name.equal(name, false); });
}

Vtx_StringArray ModuleState::load() {
    Vtx_StringArray failures;
    if (m_phase != Phase::Unloaded)
        return failures;
    m_phase = Phase::Loading;
    // By index and by copy: a hook may add further hooks while it runs.
    for (std::size_t i = 0; i < m_hooks.size(); ++i) {
        ModuleHooks hooks = m_hooks[i];
        runHook(hooks, hooks.onLoad, failures);
    }
    m_phase = Phase::Loaded;
    return failures;
}

Vtx_StringArray ModuleState::unload() {
    Vtx_StringArray failures;
    if (m_phase != Phase::Loaded)
        return failures;
    m_phase = Phase::Unloading;
    for (std::size_t i = m_hooks.size(); i-- > 0;) {
        ModuleHooks hooks = m_hooks[i];
        runHook(hooks, hooks.onUnload, failures);
    }
    releaseAll();
    m_phase = Phase::Unloaded;
    return failures;
}

bool ModuleState::runHook(const ModuleHooks& hooks, const std::function<void()>& hook,
                          Vtx_StringArray& failures) {
    if (!hook)
        return true;
    // The hooks are where subsystem code runs at load and unload; one that
    // fails must not keep the others from running, nor the module from
    // letting go of the host.
    try {
        hook();
        return true;
    } catch (const std::exception& error) {
        failures.append(hooks.name + ": " + error.what());
    } catch (...) {
        failures.append(hooks.name + ": unknown failure");
    }
    return false;
}

bool ModuleState::releaseType(std::type_index type) {
    auto it = std::find_if(m_objects.begin(), m_objects.end(),
                           [&](const Entry& e) { return e.type == type; });
    if (it == m_objects.end())
        return false;
    // Out of the list first: the object's destructor may look for others.
    std::shared_ptr<void> object = std::move(it->object);
    m_objects.erase(it);
    object.reset();
    return true;
}

void ModuleState::releaseAll() {
    while (!m_objects.empty()) {
        std::shared_ptr<void> object = std::move(m_objects.back().object);
        m_objects.pop_back();
        object.reset();
    }
}

ModuleState& moduleState() {
    static ModuleState state;
    return state;
}
