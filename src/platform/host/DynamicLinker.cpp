#include "platform/host/DynamicLinker.h"

#include <dlfcn.h>

#include <algorithm>
#include <filesystem>

namespace {

void setReason(Vtx_String* reason, const Vtx_String& text) {
    if (reason)
        *reason = text;
}

} // namespace

HostDynamicLinker::~HostDynamicLinker() {
    unloadAll();
}

ErrorStatus HostDynamicLinker::loadModule(const Vtx_String& path, Vtx_String* reason) {
    std::filesystem::path native(path.str());
    std::error_code ec;
    if (!std::filesystem::is_regular_file(native, ec)) {
        setReason(reason, path + ": no such module library");
        return eFileNotFound;
    }
    Vtx_String name(native.stem().string());
    if (isLoaded(name)) {
        setReason(reason, "a module named " + name + " is loaded already");
        return eDuplicateKey;
    }
    void* library = ::dlopen(native.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        const char* why = ::dlerror();
        setReason(reason, path + ": " + Vtx_String(why ? why : "cannot be opened"));
        return eFileAccessErr;
    }
    void* symbol = ::dlsym(library, kModuleEntryPointName);
    if (symbol == nullptr) {
        ::dlclose(library);
        setReason(reason, path + ": no entry point " + kModuleEntryPointName);
        return eInvalidInput;
    }
    auto module = std::make_unique<HostModule>();
    module->host = &m_host;
    module->name = name;
    module->path = path;
    module->library = library;
    // dlsym gives an object pointer; POSIX guarantees it converts to a function.
    module->entry = reinterpret_cast<ModuleEntryPoint>(symbol);
    return attach(std::move(module), reason);
}

ErrorStatus HostDynamicLinker::loadLinkedModule(const Vtx_String& name, ModuleEntryPoint entry,
                                                Vtx_String* reason) {
    if (name.isEmpty() || entry == nullptr) {
        setReason(reason, "a linked module needs a name and an entry point");
        return eInvalidInput;
    }
    if (isLoaded(name)) {
        setReason(reason, "a module named " + name + " is loaded already");
        return eDuplicateKey;
    }
    auto module = std::make_unique<HostModule>();
    module->host = &m_host;
    module->name = name;
    module->entry = entry;
    return attach(std::move(module), reason);
}

ErrorStatus HostDynamicLinker::attach(std::unique_ptr<HostModule> module, Vtx_String* reason) {
    // Listed before the message, so that the module can register itself.
    HostModule* raw = module.get();
    m_modules.push_back(std::move(module));
    int answer = raw->entry(kModuleInit, raw);
    if (answer != 0) {
        setReason(reason, raw->name + " refused to load (" + Vtx_String::fromInt(answer) + ")");
        detach(raw);
        return eGeneralError;
    }
    return eOk;
}

ErrorStatus HostDynamicLinker::unloadModule(const Vtx_String& name, Vtx_String* reason) {
    HostModule* module = byName(name);
    if (module == nullptr) {
        setReason(reason, "no module named " + name + " is loaded");
        return eKeyNotFound;
    }
    if (module->locked) {
        setReason(reason, name + " is locked and cannot be unloaded");
        return eNotApplicable;
    }
    module->entry(kModuleUnload, module);
    detach(module);
    return eOk;
}

ErrorStatus HostDynamicLinker::sendMessage(const Vtx_String& name, int message, int& result) {
    HostModule* module = byName(name);
    if (module == nullptr)
        return eKeyNotFound;
    result = module->entry(message, module);
    return eOk;
}

void HostDynamicLinker::unloadAll() {
    while (!m_modules.empty()) {
        HostModule* module = m_modules.back().get();
        module->entry(kModuleUnload, module);
        detach(module);
    }
}

void HostDynamicLinker::detach(HostModule* module) {
    void* library = module->library;
    auto it = std::find_if(m_modules.begin(), m_modules.end(),
                           [&](const auto& m) { return m.get() == module; });
    if (it != m_modules.end())
        m_modules.erase(it);
    if (library != nullptr)
        ::dlclose(library);
}

ErrorStatus HostDynamicLinker::registerMultiDocumentAware(void* appId) {
    HostModule* module = byId(appId);
    if (module == nullptr)
        return eInvalidInput;
    module->multiDocumentAware = true;
    return eOk;
}

ErrorStatus HostDynamicLinker::unlockModule(void* appId) {
    HostModule* module = byId(appId);
    if (module == nullptr)
        return eInvalidInput;
    module->locked = false;
    return eOk;
}

ErrorStatus HostDynamicLinker::lockModule(void* appId) {
    HostModule* module = byId(appId);
    if (module == nullptr)
        return eInvalidInput;
    module->locked = true;
    return eOk;
}

const HostModule* HostDynamicLinker::findModule(const Vtx_String& name) const {
    for (const auto& module : m_modules)
        if (module->name.equal(name, false))
            return module.get();
    return nullptr;
}

HostModule* HostDynamicLinker::byName(const Vtx_String& name) {
    for (const auto& module : m_modules)
        if (module->name.equal(name, false))
            return module.get();
    return nullptr;
}

Vtx_StringArray HostDynamicLinker::moduleNames() const {
    Vtx_StringArray names;
    for (const auto& module : m_modules)
        names.append(module->name);
    return names;
}

HostModule* HostDynamicLinker::byId(void* appId) {
    // Compared as an address only: a stale or foreign id is never dereferenced.
    for (const auto& module : m_modules)
        if (module.get() == appId)
            return module.get();
    return nullptr;
}
