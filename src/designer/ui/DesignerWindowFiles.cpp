// The designer window's file commands: the save prompt, opening a design,
// saving it under a name and choosing its background picture. Every file
// question goes through the host's prompter.

#include "designer/DesignFiles.h"
#include "designer/ui/DesignArea.h"
#include "designer/ui/DesignTracker.h"
#include "designer/ui/DesignerWindow.h"
#include "platform/core/Files.h"
#include "platform/core/Settings.h"
#include "platform/host/Host.h"

namespace vtx::designui {

namespace {

constexpr int kPromptCaption = 837;
constexpr int kPromptText = 838;
constexpr int kPicturesFilter = 839;
constexpr int kDesignsFilter = 840;
constexpr int kOpenTitle = 841;
constexpr int kSaveTitle = 842;

FileDialogRequest designQuery(FileDialogRequest::Mode mode, const Vtx_String& folder) {
    FileDialogRequest request;
    request.mode = mode;
    request.caption = dialString(mode == FileDialogRequest::Mode::Open ? kOpenTitle : kSaveTitle);
    request.folder = folder;
    request.filter = dialString(kDesignsFilter) + " (*.txt)|*.txt";
    request.defaultExtension = "txt";
    return request;
}

} // namespace

void DesignerWindow::showFailure(const Vtx_String& reason) {
    hostPrompter().messageBox(reason, dialString(kPromptCaption), MessageButtons::Ok,
                              MessageIcon::Warning);
}

Vtx_String DesignerWindow::designFolder() const {
    Vtx_String path = getDesignerRootFolder() + m_area->design().designName();
    const int cut = std::max(path.findLast('\\'), path.findLast('/'));
    return cut >= 0 ? path.left(cut + 1) : path;
}

void DesignerWindow::loadDesign(const Vtx_String& path) {
    const bool read = m_area->readFromFile(path);
    m_area->design().clearSelection();
    redraw();
    m_area->design().setModified(false);
    const QSize wanted = m_area->sizeHint() + QSize(0, height() - m_area->height());
    resize(size().expandedTo(wanted));
    updateTitle();
    updateProps();
    if (!read)
        showFailure(m_area->design().lastError());
}

bool DesignerWindow::writeTo(const Vtx_String& path) {
    if (m_area->design().writeToFile(path)) {
        updateTitle();
        return true;
    }
    // Nothing was written: the design stays modified and the user is told why.
    showFailure(m_area->design().lastError());
    return false;
}

bool DesignerWindow::promptToSave() {
    Vtx_DlgDesignerData& design = m_area->design();
    if (!design.isModified())
        return true;
    const Vtx_String text = dialString(kPromptText) + "\n<" + design.designName() + ">";
    switch (hostPrompter().messageBox(text, dialString(kPromptCaption), MessageButtons::YesNoCancel,
                                      MessageIcon::Question)) {
    case MessageResult::Yes:
        // A design without a name is saved under one the user picks.
        if (design.designName().isEmpty())
            return saveDesignAs();
        return writeTo(designFilePath(design.designName(), "txt"));
    case MessageResult::No:
        return true;
    default:
        return false;
    }
}

bool DesignerWindow::openDesign() {
    endTyping();
    if (!promptToSave())
        return false;
    Vtx_String path;
    if (!hostPrompter().fileDialog(designQuery(FileDialogRequest::Mode::Open, designFolder()),
                                   path))
        return false;
    loadDesign(path);
    return true;
}

bool DesignerWindow::saveDesignAs() {
    endTyping();
    Vtx_String path;
    if (!hostPrompter().fileDialog(designQuery(FileDialogRequest::Mode::Save, designFolder()),
                                   path))
        return false;
    return writeTo(path);
}

bool DesignerWindow::chooseBackground() {
    endTyping();
    FileDialogRequest request;
    request.caption = dialString(kOpenTitle);
    request.folder = getDesignerRootFolder();
    request.filter = dialString(kPicturesFilter) + " (*.bmp)|*.bmp";
    request.defaultExtension = "bmp";
    Vtx_String picture;
    if (!hostPrompter().fileDialog(request, picture))
        return false;
    Vtx_DlgDesignerData& design = m_area->design();
    // The picture is kept beside the design, so the design needs a name first.
    if (design.designName().isEmpty() && !saveDesignAs())
        return false;
    const Vtx_String target = designFilePath(design.designName(), "bmp");
    if (!sameFile(picture, target)) {
        std::string bytes;
        if (readFileBytes(picture, bytes) != eOk) {
            showFailure(picture + ": " + string(7));
            return false;
        }
        if (writeFileAtomically(target, bytes) != eOk) {
            showFailure(target + ": " + string(8));
            return false;
        }
    }
    m_area->attachBitmap(target);
    design.setModified(true);
    const QSize wanted = m_area->sizeHint() + QSize(0, height() - m_area->height());
    resize(size().expandedTo(wanted));
    m_tracker->update();
    return true;
}

} // namespace vtx::designui
