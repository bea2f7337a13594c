#pragma once

/// Texts of custom-function value records: they travel in the host's
/// movable global memory blocks (Host::current().memory()).

#include "platform/core/VtxString.h"
#include "platform/host/GlobalMemory.h"
#include "platform/sheet/ValueRecord.h"

/// Takes the text of an argument's block: locks it, copies the bytes up to
/// the first zero (or the whole block when it holds none), unlocks and frees
/// it. False (text emptied) for a bad handle; the handle is not freed then.
bool takeGlobalText(GlobalHandle handle, Vtx_String& text);

/// A new movable block of text.length() + 1 bytes holding text and its zero.
/// When the allocation or the lock fails, "Reallocate failed\n" is printed on
/// the host's command line and the handle is returned as allocated: 0 when
/// the allocation failed; a block that could not be locked is freed and 0
/// returned, so nothing leaks.
GlobalHandle newGlobalText(const Vtx_String& text);

/// One argument of a custom function with its text taken out of its block.
struct CustomArgument {
    std::uint8_t status = vtx::sheet::kValueNone;
    std::uint8_t type = vtx::sheet::kValueInt;
    std::int32_t integer = 0;
    double number = 0.0;
    Vtx_String text;
    int column = 0;
    int row = 0;
};

/// Reads record: a text argument's block is taken (and its handle in the
/// record set to 0, so that it cannot be taken twice). A text whose block
/// cannot be read becomes status 1.
CustomArgument takeCustomArgument(vtx::sheet::ValueRecord& record);
