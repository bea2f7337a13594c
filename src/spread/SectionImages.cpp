#include "spread/SectionImages.h"

#include "platform/core/Files.h"
#include "platform/core/Settings.h"

#include <array>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

constexpr std::array<const char*, 24> kSectionTypeNames = {
    "ProfSectionI",
    "ProfSectionCL",
    "ProfSectionHL",
    "ProfSectionCU",
    "ProfSectionT",
    "ProfSectionOI",
    "ProfSectionOU",
    "ProfSectionRect",
    "ProfSectionRound",
    "ProfSectionRectTube",
    "ProfSectionRoundTube",
    "ProfSectionC",
    "ProfSectionZ",
    "ProfSectionV",
    "ProfSectionO",
    "ProfSectionQ",
    "ProfSectionCuttedI",
    "ProfSectionSigma",
    "ProfSectionSigma+",
    "ProfSectionSigma Sleeve",
    "ProfSectionC+",
    "ProfSectionC Sleeve",
    "ProfSectionSingle Cleat",
    "ProfSectionDouble Cleat",
};

Vtx_String iconFolder() {
    return gSettings.vtxDir + kIconFolder;
}

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

// A user section name must stay inside "User Sections\\" and the icon
// folder: sub-folders are allowed, ".." parts, drives and roots are not.
bool isSafeRelativeName(const Vtx_String& name) {
    if (name.isEmpty() || isSeparator(name.at(0)) || name.find(':') >= 0)
        return false;
    int start = 0;
    for (int i = 0; i <= name.length(); ++i) {
        if (i < name.length() && !isSeparator(name.at(i)))
            continue;
        const Vtx_String part = name.mid(start, i - start);
        if (part.isEmpty() || part == "..")
            return false;
        start = i + 1;
    }
    return true;
}

// The user section's name from its file: the library folder and the
// "User Sections\\" folder in front are dropped, and the extension.
Vtx_String userSectionName(const Vtx_String& userSectionFile) {
    Vtx_String name = userSectionFile;
    removeFolderPrefix(name, gSettings.libDir);
    removeFolderPrefix(name, kUserSectionsFolder);
    return changeExtension(name, "");
}

// True when target's file time is older than source's, or cannot be read.
bool isOlderThan(const Vtx_String& target, const Vtx_String& source) {
    std::error_code ec;
    const auto sourceTime = std::filesystem::last_write_time(nativePath(source), ec);
    if (ec)
        return true;
    const auto targetTime = std::filesystem::last_write_time(nativePath(target), ec);
    return ec || targetTime < sourceTime;
}

} // namespace

bool removeFolderPrefix(Vtx_String& text, const Vtx_String& prefix) {
    if (prefix.isEmpty() || text.length() < prefix.length())
        return false;
    for (int i = 0; i < prefix.length(); ++i) {
        const char a = text.at(i);
        const char b = prefix.at(i);
        if (isSeparator(a) && isSeparator(b))
            continue;
        if (vtxToLower(a) != vtxToLower(b))
            return false;
    }
    text = text.mid(prefix.length());
    return true;
}

Vtx_String getSectionTypeName(int type) {
    if (type < 1 || type > static_cast<int>(kSectionTypeNames.size()))
        return {};
    return kSectionTypeNames[static_cast<std::size_t>(type - 1)];
}

Vtx_String getSectionImageFile(const Vtx_String& sectionType, const Vtx_String& userSectionFile,
                               bool big) {
    const Vtx_String suffix = big ? "-big.bmp" : "-small.bmp";
    const bool userDefined = sectionType.isEmpty();
    Vtx_String base;
    if (userDefined) {
        base = userSectionName(userSectionFile);
    } else if (!sectionType.endsWith(".dwg", false)) {
        int type = 0;
        if (sectionType.toInt(type))
            base = getSectionTypeName(type);
    } else {
        // A drawing-based section's picture lies in the icon folder under the
        // drawing's own sub-folders: "Rails\\Gantry.dwg" shows
        // "Rails\\Gantry-small.bmp".
        base = changeExtension(sectionType, "");
    }
    // Without a base name there is nothing to look for: "-big.bmp" alone
    // must not be taken for a picture.
    if (!base.isEmpty() && isSafeRelativeName(base)) {
        const Vtx_String picture = findFileIgnoringCase(iconFolder(), base + suffix);
        if (!picture.isEmpty())
            return picture;
        Vtx_String automated;
        if (userDefined && !big && ensureAutomatedImage(base, automated))
            return automated;
    }
    const Vtx_String unknown = findFileIgnoringCase(iconFolder(), "Unknown" + suffix);
    return unknown.isEmpty() ? "Unknown" + suffix : unknown;
}

bool ensureAutomatedImage(const Vtx_String& name, Vtx_String& pictureName) {
    if (!isSafeRelativeName(name))
        return false;
    // The source's name as it is spelt on disk also names the copy, so that
    // "box girder" and "Box Girder" share one copy.
    const Vtx_String found =
        findFileIgnoringCase(gSettings.libDir, kUserSectionsFolder + name + ".bmp");
    if (found.isEmpty())
        return false;
    const Vtx_String source = gSettings.libDir + found;
    const Vtx_String stem =
        changeExtension(found.mid(static_cast<int>(std::strlen(kUserSectionsFolder))), "");
    Vtx_String picture = findFileIgnoringCase(iconFolder(), stem + "-automated.bmp");
    const bool copy = picture.isEmpty() || isOlderThan(iconFolder() + picture, source);
    if (picture.isEmpty())
        picture = stem + "-automated.bmp";
    if (copy) {
        std::string bytes;
        if (readFileBytes(source, bytes) != eOk ||
            writeFileAtomically(iconFolder() + picture, bytes) != eOk)
            return false;
    }
    pictureName = picture;
    return true;
}
