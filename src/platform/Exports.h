#pragma once

/// What the shared libraries of the system let out. Every library is built
/// with hidden visibility (-fvisibility=hidden -fvisibility-inlines-hidden),
/// so only what carries one of these macros is exported:
///
/// - VTX_CORE_API: the core library (libvtx_core.so), what its callers use;
/// - VTX_HOST_API: the host (libvtx_host.so), what its callers use;
/// - VTX_UI_API: the dialog services (libvtx_ui.so), what every dialog uses;
/// - VTX_MODULE_API: the module library (vtxssmodule.so), its external
///   interfaces: the exported classes, Start functions and module-wide objects.
///
/// A macro goes on a class (then its members, virtual table and type
/// information are exported), on a free function's declaration, or after
/// `extern` on a global object. The code that goes into the module library
/// (the spreadsheet control, grids, standards engine) includes the core and
/// host headers with these macros, so its calls bind to the one shared copy.
/// See docs/module-boundary.md.
///
///     class VTX_MODULE_API KsVarCells { ... };
///     VTX_MODULE_API bool StartDlgStandardsSS(KsDlgStandardsData& data);
///     extern VTX_MODULE_API KsSSDlgsMgr gSSDlgsMgr;

#if defined(__GNUC__) || defined(__clang__)
#define VTX_VISIBLE __attribute__((visibility("default")))
#else
#define VTX_VISIBLE
#endif

#define VTX_CORE_API VTX_VISIBLE
#define VTX_HOST_API VTX_VISIBLE
#define VTX_UI_API VTX_VISIBLE
#define VTX_MODULE_API VTX_VISIBLE
