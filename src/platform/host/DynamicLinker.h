#pragma once

#include "platform/Exports.h"
#include "platform/core/ErrorStatus.h"
#include "platform/core/VtxString.h"
#include "platform/core/VtxStringArray.h"

#include <memory>
#include <vector>

class Host;

/// Messages the host sends to a module's entry point.
enum ModuleMessage : int {
    /// The module was just loaded: it registers what it offers.
    kModuleInit = 1,
    /// The module is about to be unloaded: it removes what it registered.
    kModuleUnload = 2,
};

/// A module's entry point: called with a message and the module's id (a
/// HostModule*). Returns 0 when the message was handled; the host refuses a
/// module that answers kModuleInit with anything else.
using ModuleEntryPoint = int (*)(int message, void* appId);

/// The exported name of a module library's entry point.
inline constexpr const char* kModuleEntryPointName = "vtxModuleEntryPoint";

/// What the host knows of one loaded module. Its address is the id passed to
/// the entry point; the module reads host from it to reach the host that
/// loaded it, which need not be the current one where several hosts exist.
struct VTX_HOST_API HostModule {
    Host* host = nullptr;
    Vtx_String name;
    Vtx_String path; ///< empty for a module linked into the program
    void* library = nullptr;
    ModuleEntryPoint entry = nullptr;
    bool multiDocumentAware = false;
    /// A locked module is not unloaded; modules start locked.
    bool locked = true;
};

/// The host's dynamic linker: loads module libraries, sends their entry point
/// the load and unload messages, and keeps what modules tell it about
/// themselves (awareness of several documents, unlocking for unloading).
///
///     HostDynamicLinker& linker = Host::current().linker();
///     Vtx_String reason;
///     if (linker.loadModule("/opt/vtx/libvtxssmodule.so", &reason) != eOk) ...
///     linker.unloadModule("libvtxssmodule");
class VTX_HOST_API HostDynamicLinker {
public:
    explicit HostDynamicLinker(Host& host) : m_host(host) {}
    HostDynamicLinker(const HostDynamicLinker&) = delete;
    HostDynamicLinker& operator=(const HostDynamicLinker&) = delete;
    /// Unloads every module still loaded, locked or not.
    ~HostDynamicLinker();

    /// Opens the library at path, finds its entry point and sends kModuleInit.
    /// The module's name is the file name without its extension. eFileNotFound;
    /// eDuplicateKey when a module of that name is loaded; eFileAccessErr when
    /// the library does not open; eInvalidInput when it has no entry point;
    /// eGeneralError when the module refused to load. reason says more.
    ErrorStatus loadModule(const Vtx_String& path, Vtx_String* reason = nullptr);
    /// Loads a module that is linked into the program, by its entry point.
    ErrorStatus loadLinkedModule(const Vtx_String& name, ModuleEntryPoint entry,
                                 Vtx_String* reason = nullptr);
    /// Sends kModuleUnload and closes the library. eKeyNotFound; eNotApplicable
    /// when the module is locked.
    ErrorStatus unloadModule(const Vtx_String& name, Vtx_String* reason = nullptr);
    /// Sends any message; the entry point's answer goes into result.
    ErrorStatus sendMessage(const Vtx_String& name, int message, int& result);
    /// Unloads every module, the latest first, ignoring locks.
    void unloadAll();

    /// Called by a module with its id. eInvalidInput for an id that is not a
    /// loaded module's.
    ErrorStatus registerMultiDocumentAware(void* appId);
    ErrorStatus unlockModule(void* appId);
    ErrorStatus lockModule(void* appId);

    const HostModule* findModule(const Vtx_String& name) const;
    bool isLoaded(const Vtx_String& name) const { return findModule(name) != nullptr; }
    Vtx_StringArray moduleNames() const;

private:
    ErrorStatus attach(std::unique_ptr<HostModule> module, Vtx_String* reason);
    void detach(HostModule* module);
    HostModule* byId(void* appId);
    HostModule* byName(const Vtx_String& name);

    Host& m_host;
    std::vector<std::unique_ptr<HostModule>> m_modules;
};
