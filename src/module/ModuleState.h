#pragma once

#include "platform/core/ErrorStatus.h"
#include "platform/core/VtxString.h"
#include "platform/core/VtxStringArray.h"

#include <functional>
#include <memory>
#include <typeindex>
#include <utility>
#include <vector>

/// What a subsystem does when the module loads and unloads: make its
/// module-wide objects, and on unload end what it still has open (modeless
/// dialogs, the constraint editor) before its objects go.
struct ModuleHooks {
    Vtx_String name;
    std::function<void()> onLoad;   ///< may be empty
    std::function<void()> onUnload; ///< may be empty
};

/// The module-wide state: the subsystems' load and unload hooks and the
/// objects that live from the module's load to its unload (the evaluation
/// dialog pool, the evaluation timers, the modeless dialog registry, ...).
///
/// Load runs the load hooks in the order they were added; unload runs the
/// unload hooks in the opposite order and then releases the objects, the
/// latest made first. Everything runs on the host's one thread.
///
///     moduleState().addHooks({"macro dialogs", {}, [] { DestroyAllMacroDlgs(); }});
///     ...
///     EvaluationPool& pool = moduleState().emplace<EvaluationPool>();
///     if (EvaluationPool* p = moduleState().find<EvaluationPool>()) ...
class ModuleState {
public:
    /// eInvalidName for an empty name; eDuplicateKey when hooks of that name
    /// exist. Hooks added while the module is loaded have their load hook run
    /// at once; eGeneralError when it throws (the hooks stay added).
    ErrorStatus addHooks(ModuleHooks hooks);
    /// Removes hooks without running them; eKeyNotFound when there are none.
    ErrorStatus removeHooks(const Vtx_String& name);
    bool hasHooks(const Vtx_String& name) const;
    int hookCount() const { return static_cast<int>(m_hooks.size()); }

    /// Runs the load hooks; does nothing when loaded already. A hook that
    /// throws is stopped there and the others still run; the result holds one
    /// "<hook>: <reason>" line per failed hook.
    Vtx_StringArray load();
    /// Runs the unload hooks and releases every object, whatever a hook
    /// throws (reported as by load); does nothing when not loaded.
    Vtx_StringArray unload();
    bool isLoaded() const { return m_phase == Phase::Loaded; }

    /// Makes the module-wide object of type T, replacing one that exists.
    template <typename T, typename... Args> T& emplace(Args&&... args) {
        release<T>();
        auto object = std::make_shared<T>(std::forward<Args>(args)...);
        T& ref = *object;
        m_objects.push_back({std::type_index(typeid(T)), std::move(object)});
        return ref;
    }
    /// The object of type T, or null.
    template <typename T> T* find() const {
        for (const Entry& entry : m_objects)
            if (entry.type == std::type_index(typeid(T)))
                return static_cast<T*>(entry.object.get());
        return nullptr;
    }
    /// Destroys the object of type T; false when there was none.
    template <typename T> bool release() { return releaseType(std::type_index(typeid(T))); }
    int objectCount() const { return static_cast<int>(m_objects.size()); }

private:
    struct Entry {
        std::type_index type;
        std::shared_ptr<void> object;
    };

    static bool runHook(const ModuleHooks& hooks, const std::function<void()>& hook,
                        Vtx_StringArray& failures);
    bool releaseType(std::type_index type);
    void releaseAll();

    std::vector<ModuleHooks> m_hooks;
    enum class Phase { Unloaded, Loading, Loaded, Unloading };

    std::vector<Entry> m_objects;
    Phase m_phase = Phase::Unloaded;
};

/// The module's state (one per module).
ModuleState& moduleState();
