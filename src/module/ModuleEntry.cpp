#include "module/ModuleEntry.h"

#include "platform/host/Host.h"

#include <dlfcn.h>

#include <exception>

namespace {

/// What the module holds between its load and unload messages.
struct LoadedModule {
    HostModule* appId = nullptr;
    Host* host = nullptr;
    /// The host that was current before the load.
    Host* previousHost = nullptr;
    const ResourceSource* previousResources = nullptr;
};

// The module's own globals: the one place outside ModuleState that holds
// state, because it must exist before the state is made and after it goes.
// Process attach may run before this file's dynamic initialisers, so the
// globals are constant-initialised and the instance is made on first use.
bool gAttached = false;
bool gHooksInstalled = false;
constinit LoadedModule gLoaded;

ModuleInstance& instanceSlot() {
    static ModuleInstance instance;
    return instance;
}

// Its address locates the module's image.
const char gInstanceAnchor = 0;

void reportHookFailures(const Vtx_StringArray& failures) {
    for (const Vtx_String& failure : failures)
        hostPrintf("*Error* Module hook %s\n", failure.c_str());
}

void loadModule(HostModule* appId) {
    if (gLoaded.host != nullptr || appId == nullptr || appId->host == nullptr)
        return;
    moduleProcessAttach();
    Host& host = *appId->host;
    gLoaded.appId = appId;
    gLoaded.host = &host;
    gLoaded.previousHost = Host::setCurrent(&host);

    host.linker().registerMultiDocumentAware(appId);
    host.linker().unlockModule(appId);

    host.resources().registerSource(&moduleResources());
    gLoaded.previousResources = host.resources().setCurrent(&moduleResources());

    ModuleState& state = moduleState();
    CheckBoxPictures& pictures = state.emplace<CheckBoxPictures>();
    if (!moduleResources().loadBitmap(kBitmapCheckUnchecked, pictures.unchecked) ||
        !moduleResources().loadBitmap(kBitmapCheckChecked, pictures.checked))
        hostPrintf("*Error* The check box pictures could not be loaded.\n");

    if (!gHooksInstalled) {
        installSubsystemHooks(state);
        gHooksInstalled = true;
    }
    reportHookFailures(state.load());
}

void unloadModule(HostModule* appId) {
    if (gLoaded.host == nullptr || appId != gLoaded.appId)
        return;
    Host& host = *gLoaded.host;
    host.commandStack().removeGroup(kModuleCommandGroup);
    reportHookFailures(moduleState().unload());

    // Hand back the source current before the load, unless someone made
    // another current since, or the one before has gone meanwhile.
    HostResources& resources = host.resources();
    bool wasCurrent = resources.current() == &moduleResources();
    resources.unregisterSource(&moduleResources());
    const ResourceSource* previous = gLoaded.previousResources;
    if (wasCurrent && previous != nullptr && resources.isRegistered(previous))
        resources.setCurrent(previous);
    Host::setCurrent(gLoaded.previousHost);
    gLoaded = LoadedModule();
}

} // namespace

int moduleEntryPoint(int message, void* appId) {
    // Nothing may leave the module through its entry point.
    try {
        if (message == kModuleInit)
            loadModule(static_cast<HostModule*>(appId));
        else if (message == kModuleUnload)
            unloadModule(static_cast<HostModule*>(appId));
    } catch (const std::exception& error) {
        hostPrintf("*Error* Module message %d failed: %s\n", message, error.what());
    } catch (...) {
        hostPrintf("*Error* Module message %d failed.\n", message);
    }
    return 0;
}

void moduleProcessAttach() {
    if (gAttached)
        return;
    Dl_info info{};
    if (::dladdr(&gInstanceAnchor, &info) != 0) {
        instanceSlot().base = info.dli_fbase;
        instanceSlot().path = info.dli_fname ? info.dli_fname : "";
    }
    moduleResources();
    gAttached = true;
}

void moduleProcessDetach() {
    instanceSlot() = ModuleInstance();
    gAttached = false;
}

bool moduleIsAttached() {
    return gAttached;
}

const ModuleInstance& moduleInstance() {
    return instanceSlot();
}

bool moduleIsLoaded() {
    return gLoaded.host != nullptr;
}

const CheckBoxPictures* moduleCheckBoxPictures() {
    return moduleIsLoaded() ? moduleState().find<CheckBoxPictures>() : nullptr;
}
