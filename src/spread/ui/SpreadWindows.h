#pragma once

/// The grids' windows in a program with a user interface: from
/// installSpreadWindows() on, a bill window is a real window over the host's
/// main window; removeSpreadWindows() closes the formula windows still open
/// and makes bill windows hidden again (the module does both when it loads
/// and unloads, since the windows' code goes with it).

namespace vtx::spreadui {

void installSpreadWindows();
void removeSpreadWindows();

} // namespace vtx::spreadui
