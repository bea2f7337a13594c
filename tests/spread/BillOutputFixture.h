#pragma once

// The bill output's test fixture: KsSSBillOutput against the real grid, the
// real print settings and real files in a temporary folder:
//
//   root/install/   the installation folder: BillSet.ksd, Pictures/logo.bmp
//   root/bills/     where bills are saved

#include "spread/BillOutput.h"

#include "platform/core/BillPictures.h"
#include "platform/core/Files.h"
#include "platform/core/Settings.h"
#include "platform/host/Host.h"
#include "platform/sheet/SheetModel.h"
#include "spread/DialogHost.h"
#include "spread/VtxSpread.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

namespace billtest {

namespace fs = std::filesystem;

inline const std::string kData = std::string(VTX_TEST_DATA) + "/spread/bill/";

class BillOutputFixture : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0;; ++i) {
            m_root = fs::temp_directory_path() /
                     ("vtx_bill_test_" + std::to_string(::getpid()) + "_" + std::to_string(i));
            if (fs::create_directory(m_root))
                break;
        }
        fs::create_directories(m_root / "install");
        fs::create_directories(m_root / "bills");
        fs::copy_file(kData + "BillSet.ksd", m_root / "install" / "BillSet.ksd");
        fs::create_directories(m_root / "install" / "Pictures");
        fs::copy_file(kData + "logo.bmp", m_root / "install" / "Pictures" / "logo.bmp");
        m_savedVtxDir = gSettings.vtxDir;
        gSettings.setVtxDir(root("install"));
        gBMPProgress = {};
    }
    void TearDown() override {
        gSettings.vtxDir = m_savedVtxDir;
        std::error_code error;
        fs::remove_all(m_root, error);
    }
    Vtx_String root(const std::string& relative) const {
        Vtx_String text = m_root.string() + "/" + relative;
        text.replaceSubString("/", "\\");
        return text;
    }
    Vtx_String bill(const std::string& name) const { return root("bills\\" + name); }
    void writeInstall(const std::string& name, const std::string& bytes) {
        ASSERT_EQ(writeFileAtomically(root("install\\" + name), bytes), eOk);
    }
    static Vtx_StringArray columns() { return {"Pos", "Part", "Count", "Length", "Weight"}; }
    static Vtx_Array<int> codes() { return {3, 3, 1, 1, 2}; }
    ErrorStatus initBill() {
        return output.init(bill("hall.kss"), columns(), {}, codes(), "BillSet", {}, {});
    }
    Vtx_String text(int column, int row) const {
        Vtx_String shown;
        output.getSSPointer()->getCellText(column, row, shown, kTextValue);
        return shown;
    }
    // A saved bill loaded into a grid of its own.
    struct SavedBill {
        HiddenDialogHost dialog;
        Vtx_Spread grid;
    };
    std::unique_ptr<SavedBill> loadSavedBill(const Vtx_String& file) {
        auto saved = std::make_unique<SavedBill>();
        saved->dialog.addPlaceholder(1, {0, 0, 400, 300});
        EXPECT_TRUE(saved->grid.createInDialog(&saved->dialog, 1, true));
        Vtx_String reason;
        EXPECT_TRUE(saved->grid.loadFile(file, &reason)) << reason.str();
        return saved;
    }

    Host host;
    HostScope scope{host};
    KsSSBillOutput output;

private:
    fs::path m_root;
    Vtx_String m_savedVtxDir;
};

inline Vtx_StringArray numbered(int n, int columns) {
    Vtx_StringArray texts;
    for (int c = 1; c <= columns; ++c)
        texts.append(Vtx_String::fromInt(n * 10 + c));
    return texts;
}

} // namespace billtest
