#pragma once

// The dialog tests' fixture: an installation folder in a temporary folder
// with the sample language texts, the dialog-size store there, a host of its
// own with the scripted prompter current. Every question a dialog asks must
// have been answered from the script: a fault fails the test.

#include "platform/core/DlgSizeStore.h"
#include "platform/core/Settings.h"
#include "platform/host/Host.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

namespace uitest {

namespace fs = std::filesystem;

/// Types text as a user does, key by key; characters beyond ASCII arrive
/// as the text of a key event, as a keyboard layout would give them.
inline void typeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(widget, static_cast<char>(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

class UiFixture : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0;; ++i) {
            m_root = fs::temp_directory_path() /
                     ("vtx_ui_test_" + std::to_string(::getpid()) + "_" + std::to_string(i));
            if (fs::create_directory(m_root))
                break;
        }
        fs::create_directories(m_root / "Texts");
        fs::copy_file(fs::path(VTX_SAMPLE_DIR) / "install" / "Texts" / "English.txt",
                      m_root / "Texts" / "English.txt");
        m_savedVtxDir = gSettings.vtxDir;
        gSettings.setVtxDir(corePathOf(m_root) + "\\");
        resetLanguageTexts();
        setDlgSizeFolder({});
        m_previousPrompter = host.setPrompter(&prompter);
    }
    void TearDown() override {
        host.setPrompter(m_previousPrompter);
        for (const Vtx_String& fault : prompter.faults())
            ADD_FAILURE() << "unanswered question: " << fault.c_str();
        EXPECT_EQ(prompter.pendingAnswers(), 0) << "answers queued but never asked for";
        gSettings.vtxDir = m_savedVtxDir;
        resetLanguageTexts();
        std::error_code error;
        fs::remove_all(m_root, error);
    }
    static Vtx_String corePathOf(const fs::path& path) {
        Vtx_String text = path.string();
        text.replaceSubString("/", "\\");
        return text;
    }
    /// Types text as a user does (see uitest::typeText).
    static void typeText(QWidget* widget, const QString& text) { uitest::typeText(widget, text); }
    /// Runs what once the next modal window is up (a dialog's exec()).
    static void whenModal(std::function<void(QWidget*)> what) {
        QTimer::singleShot(0, [what = std::move(what)] {
            QWidget* modal = QApplication::activeModalWidget();
            ASSERT_NE(modal, nullptr) << "no modal window came up";
            what(modal);
        });
    }

    Host host;
    HostScope scope{host};
    ScriptedPrompter prompter;
    fs::path m_root;

private:
    Vtx_String m_savedVtxDir;
    Prompter* m_previousPrompter = nullptr;
};

} // namespace uitest
