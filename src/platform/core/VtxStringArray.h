#pragma once

#include "platform/Exports.h"
#include "platform/core/VtxArray.h"
#include "platform/core/VtxString.h"

/// A list of texts with look-ups that take the core's case flag.
class VTX_CORE_API Vtx_StringArray : public Vtx_Array<Vtx_String> {
public:
    using Vtx_Array<Vtx_String>::Vtx_Array;

    /// Index of the first text equal to value, or -1.
    int find(const Vtx_String& value, bool caseSensitive = true) const {
        for (int i = 0; i < length(); ++i)
            if ((*this)[i].equal(value, caseSensitive))
                return i;
        return -1;
    }
    bool contains(const Vtx_String& value, bool caseSensitive = true) const {
        return find(value, caseSensitive) >= 0;
    }
};
