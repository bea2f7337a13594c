// The module library's entry point, which the host's dynamic linker looks up
// by name, and the process attach and detach that run when the library is
// mapped into a process and removed.

#include "module/ModuleEntry.h"
#include "platform/Exports.h"
#ifdef VTX_MODULE_WINDOWS
#include "module/ui/ModuleWindows.h"
#endif

extern "C" VTX_MODULE_API int vtxModuleEntryPoint(int message, void* appId) {
    return moduleEntryPoint(message, appId);
}

namespace {

__attribute__((constructor)) void onProcessAttach() {
    moduleProcessAttach();
#ifdef VTX_MODULE_WINDOWS
    installModuleWindows();
#endif
}

__attribute__((destructor)) void onProcessDetach() {
    moduleProcessDetach();
}

} // namespace
