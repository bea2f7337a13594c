#pragma once

// Standards evaluations on the in-memory macro of MacroFixture: the test
// spreadsheets of tests/data/standards/sheets are copied into the library's
// "Connection Standards" folder, and mappings are stored under the key K1.

#include "MacroFixture.h"

#include "platform/core/Settings.h"
#include "platform/host/Host.h"
#include "standards/KsSSDlgsMgr.h"
#include "standards/KsSSMapping.h"
#include "standards/KsStandardsDialog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <string>
#include <tuple>
#include <vector>

class Evaluation : public MacroFixture {
protected:
    void SetUp() override {
        MacroFixture::SetUp();
        for (const auto& entry : std::filesystem::directory_iterator(
                 std::filesystem::path(VTX_TEST_DATA) / "standards" / "sheets"))
            std::filesystem::copy_file(entry.path(),
                                       libDir / "Connection Standards" / entry.path().filename());
        gSettings.current.standardsDiagnostics = true;
        data.transaction = &transaction;
        data.genVarNames = Vtx_StringArray{"gen_Gap", "gen_Type"};
        data.genVarValues = Vtx_StringArray{"5", "Steel"};
    }
    void TearDown() override {
        gSettings.current.standardsDiagnostics = false;
        gSSDlgsMgr.destroyAll();
        MacroFixture::TearDown();
    }
    // Stores a mapping of (variable, group, sub-name, kind) under key K1.
    void map(const char* sheet,
             std::initializer_list<std::tuple<const char*, const char*, const char*, int>> items) {
        KsSSMapping mapping;
        for (const auto& [var, group, sub, kind] : items) {
            KsObjectMap object;
            object.ssVarName = var;
            object.objectName = group;
            object.subName = sub;
            object.kind = kind;
            mapping.mappedObjectsWrite().append(object);
        }
        ASSERT_EQ(mapping.setMappingToFile(sheet, "K1"), eOk);
        data.spreadsheetName = sheet;
        data.mappingKey = "K1";
    }
    std::vector<std::string> messages() {
        std::vector<std::string> out;
        for (const MessageRecord& m : host.batchPrompter().messages())
            out.push_back(m.text.str());
        return out;
    }
    double variable(const char* moduleName, const char* name) {
        return module(moduleName)->findVariable(name)->value;
    }
    Vtx_String formulaAt(KsStandardsDialog& dialog, int column, int row) {
        Vtx_String text;
        dialog.sheet().getCellText(column, row, text, kTextFormula);
        return text;
    }

    Host host;
    HostScope scope{host};
    Vtx_Transaction transaction{&db};
};
