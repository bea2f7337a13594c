#include "module/ModuleEntry.h"

// Each subsystem that keeps module-wide objects or modeless windows adds its
// hooks here, e.g. the standards launchers (evaluation dialog pool and
// timers), the macro dialogs (DestroyAllMacroDlgs on unload), the constraint
// editor (EndDlgEditConstraints on unload) and the formula dialog (grid under
// evaluation). No subsystem has module-wide state yet.
void installSubsystemHooks(ModuleState& state) {
    static_cast<void>(state);
}
