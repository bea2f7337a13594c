#include "designer/DesignFiles.h"

#include "designer/VtxDlgDesignerData.h"
#include "platform/core/Files.h"
#include "platform/core/PropertiesList.h"
#include "platform/core/Settings.h"
#include "platform/core/StringUtils.h"

namespace {

Vtx_String withBackslashes(Vtx_String path) {
    path.replaceSubString("/", "\\");
    return path;
}

bool isSafeName(const Vtx_String& name) {
    if (name.isEmpty())
        return false;
    Vtx_StringArray parts;
    strToArr(name, '\\', parts);
    for (const Vtx_String& part : parts)
        if (part.isEmpty() || part == "." || part == ".." || hasInvalidFileNameChars(part))
            return false;
    return true;
}

} // namespace

Vtx_String getDesignerRootFolder() {
    return gSettings.libDir + "Dialog Templates\\Dialog Design\\";
}

bool designNameOfPath(const Vtx_String& path, Vtx_String& name) {
    const Vtx_String root = withBackslashes(getDesignerRootFolder());
    const Vtx_String full = withBackslashes(path);
    if (!full.startsWith(root, false))
        return false;
    const Vtx_String candidate = changeExtension(full.mid(root.length()), "");
    if (!isSafeName(candidate))
        return false;
    name = candidate;
    return true;
}

Vtx_String designFilePath(const Vtx_String& name, const Vtx_String& ext) {
    return getDesignerRootFolder() + name + "." + ext;
}

void getModuleImages(Vtx_StringArray& names) {
    names.removeAll();
    Vtx_StringArray files;
    if (ObjectExportFindFilesRecursive(getDesignerRootFolder(), "*.txt", files) != eOk)
        return;
    for (const Vtx_String& file : files) {
        Vtx_String name;
        if (designNameOfPath(file, name))
            names.append(name);
    }
    ObjectExportSort(names);
}

bool readDesignControlCount(const Vtx_PropertiesList& list, int& count, Vtx_String& problem) {
    count = 0;
    Vtx_String text;
    if (list.getProperty(kDesignCountKey, text) != eOk)
        return true;
    int value = 0;
    if (!text.toInt(value) || value < 0) {
        problem = Vtx_String(kDesignCountKey) + " = \"" + text + "\" is not a count of controls";
        return false;
    }
    if (value > kMaxDesignControls) {
        problem = Vtx_String(kDesignCountKey) + " = " + text + " is more than the " +
                  Vtx_String::fromInt(kMaxDesignControls) +
                  " controls a design may have; the first ones were read";
        count = kMaxDesignControls;
        return false;
    }
    count = value;
    return true;
}
