#pragma once

// A small connection macro built in memory for the mapping tests: an end
// plate group of three modules (plate, bolts, stiffener profiles), a cope
// cut, two patterns, two base profiles and general variables.

#include "platform/core/MacroData.h"
#include "platform/core/MacroModel.h"
#include "platform/core/SectionTables.h"
#include "standards/KsDlgStandardsData.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

class MacroFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    Vtx_Module* module(const char* name) { return macro->findModuleWrite(name); }
    Vtx_BoltPattern* pattern(const char* name);

    Vtx_Database db;
    Vtx_DbMacro* dbMacro = nullptr;
    Vtx_Macro* macro = nullptr;
    MacroData macroData;
    KsDlgStandardsData data;
    std::filesystem::path libDir;
};

/// A fresh empty folder under the system's temporary folder.
std::filesystem::path makeTempDir(const char* prefix);
