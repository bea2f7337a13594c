#pragma once

// A library folder of its own for every designer test, with the designer
// root folder made, and helpers to write design files and pictures into it.

#include "designer/DesignFiles.h"
#include "designer/VtxDlgDesignerData.h"
#include "platform/core/Settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

class DesignerTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    /// The file of a design name below the root folder, as a core path.
    Vtx_String designPath(const std::string& name, const char* ext = "txt") const;
    /// Writes text (lines joined with "\r\n") as the design file of name.
    Vtx_String writeDesign(const std::string& name, const std::string& body) const;
    /// Writes a white bitmap of width x height pixels beside design name.
    void writePicture(const std::string& name, int width, int height) const;
    static std::string readBytes(const Vtx_String& path);

    std::filesystem::path m_lib;
    Vtx_String m_oldLibDir;
};

/// A design with the ids 33000 to 33099 and no picture, so that pixels
/// convert at kNoPictureWidth x kNoPictureHeight (400 x 300).
/// Rectangles are given in pixels: left, top, right, bottom.
struct PixelDesign : Vtx_DlgDesignerData {
    PixelDesign();
    int add(Vtx_ControlType type, double left, double top, double right, double bottom,
            const char* contents = "");
    Vtx_DesignRect rectOf(int id);
    using Vtx_DlgDesignerData::findMostLeftCtrl;
};
