#include "module/ModuleEntry.h"

#include "standards/DataFiles.h"
#include "standards/FileTextCache.h"
#include "standards/KsSSDlgsMgr.h"
#include "standards/KsSSMapping.h"
#include "standards/StandardsTimers.h"

// Each subsystem that keeps module-wide objects or modeless windows adds its
// hooks here. The macro dialogs (DestroyAllMacroDlgs on unload), the
// constraint editor (EndDlgEditConstraints on unload) and the formula dialog
// (grid under evaluation) add theirs with their windows.
void installSubsystemHooks(ModuleState& state) {
    // The standards engine: the evaluation timers start from zero with every
    // load; on unload the pooled evaluation dialogs are destroyed and the
    // cached files forgotten.
    state.addHooks({"standards", [] { resetStandardsTimers(); },
                    [] {
                        gSSDlgsMgr.destroyAll();
                        standards::forgetCachedFile();
                        forgetParsedMappings();
                        dataFileCache().clear();
                        resetStandardsTimers();
                    }});
}
