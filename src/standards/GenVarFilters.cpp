#include "standards/GenVarFilters.h"

#include "platform/core/Settings.h"
#include "platform/core/StringUtils.h"

const char* const kFilterPickerCaption =
    "Select the drawings and folders that apply to this general variable";

namespace {

Vtx_String withBackslashes(Vtx_String path) {
    path.replaceSubString("/", "\\");
    return path;
}

} // namespace

Vtx_String macrosFolder() {
    return gSettings.libDir + "Macros\\";
}

Vtx_String appendToFilter(const Vtx_String& filter, const Vtx_StringArray& chosen,
                          const Vtx_String& folder) {
    Vtx_String base = withBackslashes(folder);
    if (!base.isEmpty() && !base.endsWith("\\"))
        base.append('\\');
    Vtx_StringArray entries;
    strToArr(filter, ';', entries);
    Vtx_String result = filter;
    for (const Vtx_String& path : chosen) {
        Vtx_String relative = withBackslashes(path);
        if (base.isEmpty() || !relative.startsWith(base, false))
            continue;
        relative = relative.mid(base.length());
        while (relative.endsWith("\\"))
            relative = relative.left(relative.length() - 1);
        if (relative.isEmpty() || entries.contains(relative, false))
            continue;
        if (!result.isEmpty() && !result.endsWith(";"))
            result.append(';');
        result.append(relative);
        entries.append(relative);
    }
    return result;
}
