#pragma once

#include "module/ModuleResources.h"
#include "module/ModuleState.h"

/// The module's start and stop.
///
/// Process attach (when the library is mapped; for a module linked into a
/// program, on its first load) stores the instance and makes the module's
/// resources. The host then sends kModuleInit to the entry point; the module
/// adopts the host that loaded it, registers with the dynamic linker as aware
/// of several documents, unlocks itself for unloading, registers its resources
/// with the host and makes them current, loads the two check-box pictures and
/// runs the subsystems' load hooks. kModuleUnload removes the command group
/// "VORTEX_SS" from the registered-command stack, runs the unload hooks
/// (which end modeless dialogs and the constraint editor), releases the
/// module-wide objects and the resources, and hands the host back. Every
/// message is answered with 0.
///
///     Host host;
///     host.linker().loadLinkedModule("vtxss", &moduleEntryPoint);

/// The name of the module's command group on the registered-command stack.
inline constexpr const char* kModuleCommandGroup = "VORTEX_SS";

/// The module's entry point (exported by the module library as
/// vtxModuleEntryPoint). appId is the HostModule* of the loading host.
int moduleEntryPoint(int message, void* appId);

/// Stores the module's instance and makes its resources; does nothing when
/// attached already.
void moduleProcessAttach();
/// Forgets the instance.
void moduleProcessDetach();
bool moduleIsAttached();
/// The instance stored at attach (invalid before).
const ModuleInstance& moduleInstance();

/// True between the load and the unload message.
bool moduleIsLoaded();
/// The check-box pictures; null while the module is not loaded.
const CheckBoxPictures* moduleCheckBoxPictures();

/// Adds the load and unload hooks of every subsystem to state (done once, at
/// the first load).
void installSubsystemHooks(ModuleState& state);
