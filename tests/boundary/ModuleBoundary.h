#pragma once

// A program that uses the module library as its callers do: it links
// against the built library as a sibling module does, and loads it through
// the host's dynamic linker as the host does. Nothing of the module's code is
// linked in statically, so every call of a test crosses the library's
// exported interface, and the core and host stand-ins are the shared
// libraries that the module uses too.

#include "platform/core/MacroData.h"
#include "platform/core/MacroModel.h"
#include "platform/core/Settings.h"
#include "platform/host/Host.h"
#include "standards/KsDlgStandardsData.h"

#include <gtest/gtest.h>

inline const Vtx_String kModuleLibrary = VTX_MODULE_LIBRARY;
inline const Vtx_String kSampleLibrary = VTX_SAMPLE_DIR "/library/";

/// Loads the module for each test, with the sample library and drawing.
class ModuleBoundary : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    /// A symbol of the loaded library (or of the libraries it uses).
    void* symbol(const char* name) const;
    /// Fills the record a sibling module fills to apply the first standard
    /// of the macro, with the macro's general variables.
    void fill(KsDlgStandardsData& data, const char* macroName);
    /// The number of a variable of the record after a run (-1: none).
    static double output(const KsDlgStandardsData& data, const char* name);

    Host m_host;
    HostScope m_scope{m_host};
    Vtx_Database m_db;
    Vtx_Transaction m_transaction{&m_db};
    MacroData m_macroData;
    void* m_library = nullptr;
};
