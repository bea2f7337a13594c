// The module library: the one exported entry point, and the process attach
// and detach that run when the library is mapped into a process and removed.

#include "module/ModuleEntry.h"

extern "C" __attribute__((visibility("default"))) int vtxModuleEntryPoint(int message,
                                                                          void* appId) {
    return moduleEntryPoint(message, appId);
}

namespace {

__attribute__((constructor)) void onProcessAttach() {
    moduleProcessAttach();
}

__attribute__((destructor)) void onProcessDetach() {
    moduleProcessDetach();
}

} // namespace
