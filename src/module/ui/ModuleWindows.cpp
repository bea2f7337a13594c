#include "module/ui/ModuleWindows.h"

#include "module/ModuleResources.h"
#include "module/ModuleState.h"
#include "platform/ui/ModalStart.h"
#include "spread/ui/SpreadWindows.h"

void installModuleWindows() {
    ModuleState& state = moduleState();
    if (state.hasHooks("windows"))
        return;
    state.addHooks({"windows",
                    [] {
                        vtx::ui::setModuleResources(&moduleResources());
                        vtx::spreadui::installSpreadWindows();
                    },
                    [] {
                        vtx::spreadui::removeSpreadWindows();
                        vtx::ui::setModuleResources(nullptr);
                    }});
}
