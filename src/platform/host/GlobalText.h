#pragma once

/// Texts in the host's movable global memory, the way they cross into and out
/// of custom spreadsheet functions: a zero-terminated 8-bit text in a block of
/// Host::current().memory().
///
///     GlobalHandle h = setGlobalStr("HEA-200");   // a new block, caller owns it
///     Vtx_String text;
///     getGlobalStr(h, text);                       // "HEA-200"
///     Host::current().memory().free(h);

#include "platform/Exports.h"
#include "platform/core/VtxString.h"
#include "platform/host/GlobalMemory.h"

/// Copies the text of block handle into text: the bytes up to the first zero,
/// or the whole block when it holds none. The block is locked for the copy and
/// unlocked again; it is not freed. False (text untouched) for a bad handle.
VTX_HOST_API bool getGlobalStr(GlobalHandle handle, Vtx_String& text);

/// A new movable block of text.length() + 1 bytes holding text and its
/// terminating zero. When the allocation or the lock fails, "Reallocate
/// failed\n" is printed on the host's command line and the handle is returned
/// as allocated (0 when the allocation failed; a block that could not be
/// locked is freed again and 0 returned, so nothing leaks).
VTX_HOST_API GlobalHandle setGlobalStr(const Vtx_String& text);
