#include "DesignerFixture.h"

#include "platform/core/BillPictures.h"
#include "platform/core/Files.h"

#include <fstream>
#include <iterator>
#include <random>

namespace fs = std::filesystem;

void DesignerTest::SetUp() {
    std::random_device random;
    m_lib = fs::temp_directory_path() / ("vtx-designer-" + std::to_string(random()));
    fs::create_directories(m_lib / "Dialog Templates" / "Dialog Design");
    m_oldLibDir = gSettings.libDir;
    gSettings.setLibDir(m_lib.string());
}

void DesignerTest::TearDown() {
    gSettings.libDir = m_oldLibDir;
    std::error_code error;
    fs::remove_all(m_lib, error);
}

Vtx_String DesignerTest::designPath(const std::string& name, const char* ext) const {
    return designFilePath(name, ext);
}

Vtx_String DesignerTest::writeDesign(const std::string& name, const std::string& body) const {
    const Vtx_String path = designPath(name);
    fs::create_directories(nativePath(path).parent_path());
    EXPECT_EQ(writeFileAtomically(path, "VtxProperties version 1\r\n" + body), eOk);
    return path;
}

void DesignerTest::writePicture(const std::string& name, int width, int height) const {
    const std::string bytes = encodeBitmap24(width, height, [](int, int) { return 0xFFFFFFu; });
    ASSERT_EQ(writeFileAtomically(designPath(name, "bmp"), bytes), eOk);
}

std::string DesignerTest::readBytes(const Vtx_String& path) {
    std::string bytes;
    readFileBytes(path, bytes);
    return bytes;
}

PixelDesign::PixelDesign() {
    setDynIdRange(33000, 33099);
}

int PixelDesign::add(Vtx_ControlType type, double left, double top, double right, double bottom,
                     const char* contents) {
    Vtx_DesignerControl control;
    control.type = type;
    control.contents = contents;
    setTopLeftX(control, left);
    setTopLeftY(control, top);
    setBottomRightX(control, right);
    setBottomRightY(control, bottom);
    return append(control);
}

Vtx_DesignRect PixelDesign::rectOf(int id) {
    return pixelRect(*getControlFromRes(id));
}
