// KsPrintSettings: locating header and footer pictures and carrying them
// along with a saved spreadsheet.
#include "spread/PrintSettings.h"

#include "platform/core/Files.h"

#include <filesystem>
#include <string>
#include <system_error>

namespace {

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

// The folder part of a path, with its closing separator; empty when the path
// names no folder.
Vtx_String folderOf(const Vtx_String& path) {
    for (int i = path.length() - 1; i >= 0; --i)
        if (isSeparator(path.at(i)))
            return path.left(i + 1);
    return {};
}

Vtx_String fileNameOf(const Vtx_String& path) {
    return path.mid(folderOf(path).length());
}

// The folder above folder (which ends with a separator); false when there is
// none to go to.
bool parentFolder(Vtx_String& folder) {
    for (int i = folder.length() - 2; i >= 0; --i)
        if (isSeparator(folder.at(i))) {
            folder = folder.left(i + 1);
            return true;
        }
    return false;
}

bool isAbsolute(const Vtx_String& path) {
    return path.find(':') >= 0 || path.find("\\\\") >= 0 || isSeparator(path.at(0));
}

// Case and separators do not matter in a comparison of core paths.
Vtx_String comparable(const Vtx_String& path) {
    Vtx_String text = path;
    text.replaceSubString("/", "\\");
    return text;
}

bool startsWithFolder(const Vtx_String& path, const Vtx_String& folder) {
    return !folder.isEmpty() && comparable(path).startsWith(comparable(folder), false);
}

bool copyFile(const Vtx_String& from, const Vtx_String& to) {
    if (sameFile(from, to))
        return true;
    std::string bytes;
    return readFileBytes(from, bytes) == eOk && writeFileAtomically(to, bytes) == eOk;
}

// A name in folder for a picture called name that is neither taken by a file
// nor by taken: "logo.bmp", then "logo_1.bmp", "logo_2.bmp", ...
Vtx_String freeTarget(const Vtx_String& folder, const Vtx_String& name, const Vtx_String& taken) {
    const int dot = name.findLast('.');
    const Vtx_String stem = dot > 0 ? name.left(dot) : name;
    const Vtx_String extension = dot > 0 ? name.mid(dot) : Vtx_String();
    for (int i = 1;; ++i) {
        const Vtx_String target = folder + stem + "_" + Vtx_String::fromInt(i) + extension;
        if (!fileExists(target) && !comparable(target).equal(comparable(taken), false))
            return target;
    }
}

} // namespace

Vtx_String KsPrintSettings::resolvePicture(const Vtx_String& referenceFile,
                                           const Vtx_String& stored) {
    if (stored.isEmpty() || isAbsolute(stored))
        return stored;
    // Every leading "..\" climbs one folder.
    Vtx_String rest = stored;
    int levels = 0;
    while (rest.startsWith("..\\") || rest.startsWith("../")) {
        rest = rest.mid(3);
        ++levels;
    }
    auto candidate = [&](Vtx_String folder, Vtx_String& found) {
        for (int i = 0; i < levels; ++i)
            if (!parentFolder(folder))
                return false;
        const Vtx_String path = folder + rest;
        if (!fileExists(path))
            return false;
        found = path;
        return true;
    };
    Vtx_String found;
    if (!referenceFile.isEmpty() && candidate(folderOf(referenceFile), found))
        return found;
    const Vtx_String install = installFolder();
    if (!install.isEmpty() && candidate(install, found))
        return found;
    return stored;
}

namespace {

Vtx_String relativePicturePath(const Vtx_String& referenceFile, const Vtx_String& path) {
    const Vtx_String folder = folderOf(referenceFile);
    if (startsWithFolder(path, folder))
        return path.mid(folder.length());
    const Vtx_String install = KsPrintSettings::installFolder();
    if (startsWithFolder(path, install))
        return path.mid(install.length());
    return path;
}

} // namespace

void KsPrintSettings::setHeaderFile(const Vtx_String& referenceFile, const Vtx_String& path) {
    m_headerFile = relativePicturePath(referenceFile, path);
}

void KsPrintSettings::setFooterFile(const Vtx_String& referenceFile, const Vtx_String& path) {
    m_footerFile = relativePicturePath(referenceFile, path);
}

bool KsPrintSettings::carryPicture(Vtx_String& stored, const Vtx_String& savedFile,
                                   Vtx_String& claimedSource, Vtx_String& claimedTarget) {
    const Vtx_String source = resolvePicture(savedFile, stored);
    if (source.isEmpty() || !fileExists(source))
        return false;
    const Vtx_String folder = folderOf(savedFile);
    Vtx_String target = folder + fileNameOf(source);
    // Header and footer pictures of the same name from different folders must
    // not end up as one file.
    if (!claimedTarget.isEmpty() && comparable(target).equal(comparable(claimedTarget), false) &&
        !sameFile(source, claimedSource))
        target = freeTarget(folder, fileNameOf(source), claimedTarget);
    if (!copyFile(source, target))
        return false;
    const Vtx_String bitmap = changeExtension(source, "bmp");
    if (!comparable(bitmap).equal(comparable(source), false) && fileExists(bitmap))
        copyFile(bitmap, changeExtension(target, "bmp"));
    stored = target.mid(folder.length());
    claimedSource = source;
    claimedTarget = target;
    return true;
}

bool KsPrintSettings::carryPicturesAlong(const Vtx_String& savedFile) {
    Vtx_String claimedSource;
    Vtx_String claimedTarget;
    const bool header = carryPicture(m_headerFile, savedFile, claimedSource, claimedTarget);
    const bool footer = carryPicture(m_footerFile, savedFile, claimedSource, claimedTarget);
    if (!header && !footer)
        return false;
    if (m_grid)
        writeToGrid(m_grid);
    return true;
}
