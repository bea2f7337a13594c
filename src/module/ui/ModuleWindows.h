#pragma once

/// The module's windows, in a module library built with the dialogs: adds
/// the "windows" hooks to the module's state. On load the module's
/// resources become the dialogs' resources and the grids' windows real
/// ones; on unload every modeless window the module made is closed (its
/// code leaves with the library).
void installModuleWindows();
