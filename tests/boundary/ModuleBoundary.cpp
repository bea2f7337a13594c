#include "ModuleBoundary.h"

#include "platform/core/SectionTables.h"

#include <dlfcn.h>

void ModuleBoundary::SetUp() {
    gSettings.setLibDir(kSampleLibrary);
    resetSectionTableManager();
    Vtx_String reason;
    ASSERT_EQ(readDrawingFile(kSampleLibrary + "Drawings/sample.vtxd", m_db, reason), eOk)
        << reason.str();
    ASSERT_EQ(m_host.linker().loadModule(kModuleLibrary, &reason), eOk) << reason.str();
    const HostModule* module = m_host.linker().findModule("vtxssmodule");
    ASSERT_NE(module, nullptr);
    m_library = module->library;
}

void ModuleBoundary::TearDown() {
    m_host.linker().unloadAll();
    resetSectionTableManager();
}

void* ModuleBoundary::symbol(const char* name) const {
    return ::dlsym(m_library, name);
}

void ModuleBoundary::fill(KsDlgStandardsData& data, const char* macroName) {
    Vtx_DbMacro* dbMacro = m_db.findMacro(macroName);
    ASSERT_NE(dbMacro, nullptr);
    ASSERT_EQ(m_macroData.initFromMacro(dbMacro), eOk);
    const Vtx_StandardAssignment standard = dbMacro->macro()->standards().front();
    ASSERT_EQ(data.initialize(dbMacro, standard.spreadsheet, standard.mappingKey, &m_macroData),
              eOk);
    data.transaction = &m_transaction;
    dbMacro->macro()->getGeneralVariableTexts(data.genVarNames, data.genVarValues);
}

double ModuleBoundary::output(const KsDlgStandardsData& data, const char* name) {
    int index = -1;
    double number = 0;
    if (data.varCells.findVarCell(name, index) != eOk ||
        !data.varCells[index].value.toDouble(number))
        return -1;
    return number;
}
