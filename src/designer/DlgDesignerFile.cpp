#include "designer/DesignFiles.h"
#include "designer/DesignHistory.h"
#include "designer/VtxDlgDesignerData.h"

#include "platform/core/BillPictures.h"
#include "platform/core/Files.h"
#include "platform/core/PropertiesList.h"
#include "platform/host/Host.h"

#include <filesystem>
#include <system_error>

namespace {

// Copies a file whole (through writeFileAtomically).
bool copyFileBytes(const Vtx_String& from, const Vtx_String& to) {
    std::string bytes;
    return readFileBytes(from, bytes) == eOk && writeFileAtomically(to, bytes) == eOk;
}

} // namespace

void Vtx_DlgDesignerData::fail(const Vtx_String& message) {
    m_lastError = message;
    hostPrintf("*Error* %s\n", message.c_str());
}

bool Vtx_DlgDesignerData::getNameFromFile(const Vtx_String& path, Vtx_String& name) const {
    return designNameOfPath(path, name);
}

bool Vtx_DlgDesignerData::nameBelowRoot(const Vtx_String& path, Vtx_String& name,
                                        const char* notDone) {
    m_lastError.clear();
    if (getNameFromFile(path, name))
        return true;
    fail(path + " is not a design below the designer folder " + getDesignerRootFolder() + "; " +
         notDone);
    return false;
}

bool Vtx_DlgDesignerData::readFromFile(const Vtx_String& path, bool withBitmap) {
    Vtx_String name;
    if (!nameBelowRoot(path, name, "it was not read."))
        return false;
    Vtx_PropertiesList list;
    Vtx_String reason;
    if (list.readFromFile(path, &reason) != eOk) {
        fail("The design could not be read: " + reason);
        return false;
    }

    m_name = name;
    m_controls.removeAll();
    m_selection.removeAll();
    m_history->clear();
    m_modifiedOutside = false;

    Vtx_String problem;
    int count = 0;
    bool good = readDesignControlCount(list, count, problem);
    for (int i = 0; i < count; ++i) {
        Vtx_DesignerControl control;
        Vtx_String controlProblem;
        if (control.getFromPropList(list, i, &controlProblem)) {
            append(control);
        } else if (good) {
            problem = controlProblem + "; the control was left out";
            good = false;
        }
    }
    if (withBitmap) {
        const Vtx_String bitmap = changeExtension(path, "bmp");
        if (fileExists(bitmap) && !attachBitmap(bitmap) && good) {
            problem = m_lastError;
            good = false;
        }
    }
    if (!good)
        fail(path + ": " + problem + ".");
    return good;
}

bool Vtx_DlgDesignerData::attachBitmap(const Vtx_String& path) {
    if (!fileExists(path))
        return false;
    m_bitmapPath = path;
    m_imageWidth = 0;
    m_imageHeight = 0;
    int width = 0;
    int height = 0;
    if (!bitmapSize(path, width, height)) {
        m_lastError = path + " is not a bitmap the designer can read";
        return false;
    }
    m_imageWidth = width;
    m_imageHeight = height;
    return true;
}

void Vtx_DlgDesignerData::getImageSize(int& width, int& height) const {
    width = m_imageWidth;
    height = m_imageHeight;
}

bool Vtx_DlgDesignerData::writeToFile(const Vtx_String& path) {
    Vtx_String name;
    if (!nameBelowRoot(path, name, "the design was not saved."))
        return false;
    Vtx_PropertiesList list;
    list.setProperty(kDesignCountKey, m_controls.length());
    for (int i = 0; i < m_controls.length(); ++i)
        if (!m_controls[i].setToPropList(list, i)) {
            fail("The design was not saved: control " + Vtx_String::fromInt(i) +
                 " has a position that is not a number.");
            return false;
        }
    std::error_code error;
    std::filesystem::create_directories(nativePath(path).parent_path(), error);
    if (const ErrorStatus status = list.writeToFile(path); status != eOk) {
        fail(path + ": the design could not be written (" + errorStatusWords(status) + ").");
        return false;
    }

    const Vtx_String oldName = m_name;
    m_name = name;
    setModified(false);
    // Saving under a new name carries the background picture along.
    const Vtx_String oldBitmap = designFilePath(oldName, "bmp");
    const Vtx_String newBitmap = changeExtension(path, "bmp");
    if (!oldName.isEmpty() && !oldName.equal(name, false) && fileExists(oldBitmap) &&
        !sameFile(oldBitmap, newBitmap)) {
        if (!copyFileBytes(oldBitmap, newBitmap)) {
            fail(path + " was saved, but its picture could not be copied to " + newBitmap + ".");
            return false;
        }
        attachBitmap(newBitmap);
    }
    return true;
}

void Vtx_DlgDesignerData::printPositions() const {
    for (const Vtx_DesignerControl& control : m_controls) {
        hostPrintf("**** Control %s ****\n", control.contents.c_str());
        hostPrintf("Left: %f - Right: %f\n", control.topLeftX, control.bottomRightX);
        hostPrintf("Top: %f - Bottom: %f\n", control.topLeftY, control.bottomRightY);
    }
    hostPrintf("********\n");
}
