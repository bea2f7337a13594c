#pragma once

// The host window under test: the sample library, a scripted prompter (an
// unanswered question fails the test), a temporary folder, and menu actions
// found by their texts.

#include "HostWindow.h"

#include "platform/core/DlgSizeStore.h"
#include "platform/core/Files.h"
#include "platform/core/Settings.h"
#include "platform/host/Host.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>

namespace hosttest {

namespace fs = std::filesystem;

class HostWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("vtx_host_test_" + std::to_string(::getpid()));
        fs::create_directories(folder);
        gSettings.setLibDir(VTX_SAMPLE_DIR "/library");
        gSettings.setVtxDir(VTX_SAMPLE_DIR "/install");
        host.setPrompter(&prompter);
        // Dialog sizes go to the scratch folder, not the sample installation.
        setDlgSizeFolder(corePath(folder));
    }
    void TearDown() override {
        for (const Vtx_String& fault : prompter.faults())
            ADD_FAILURE() << "unanswered question: " << fault.c_str();
        setDlgSizeFolder({});
        std::error_code error;
        fs::remove_all(folder, error);
    }
    static QAction* action(QWidget* window, const QString& menu, const QString& text) {
        for (QAction* top : window->findChild<QMenuBar*>()->actions())
            if (top->text() == menu)
                for (QAction* item : top->menu()->actions()) {
                    if (item->text() == text)
                        return item;
                    if (item->menu())
                        for (QAction* sub : item->menu()->actions())
                            if (sub->text() == text)
                                return sub;
                }
        return nullptr;
    }

    Host host;
    HostScope scope{host};
    ScriptedPrompter prompter;
    fs::path folder;
};

} // namespace hosttest
