#include "MacroFixture.h"

#include "platform/core/Settings.h"

#include <atomic>
#include <chrono>

std::filesystem::path makeTempDir(const char* prefix) {
    static std::atomic<int> counter{0};
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    std::filesystem::path dir =
        std::filesystem::temp_directory_path() /
        (std::string(prefix) + "-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(dir);
    return dir;
}

namespace {

Vtx_DialogVariable variable(const char* name, double value, bool visible, bool driving) {
    Vtx_DialogVariable v;
    v.name = name;
    v.value = value;
    v.visible = visible;
    v.driving = driving;
    return v;
}

} // namespace

void MacroFixture::SetUp() {
    libDir = makeTempDir("vtx-mapping");
    std::filesystem::create_directories(libDir / "Connection Standards");
    gSettings.setLibDir(libDir.string() + "/");

    dbMacro = db.addMacro("EP-1");
    macro = dbMacro->macroWrite();

    auto plate = std::make_unique<Vtx_PlateModule>("Plate", "EndPlate");
    plate->variables().push_back(variable("Thickness", 15, true, true));
    plate->variables().push_back(variable("Width", 200, true, false));
    plate->variables().push_back(variable("Weld", 6, false, true));
    plate->variables().push_back(variable("Hidden", 1, false, false));
    Vtx_DialogVariable height = variable("Height", 400, true, true);
    height.hasFlexFix = true;
    height.fixed = false;
    plate->variables().push_back(height);
    Vtx_CutConstraint cope;
    cope.name = "Cope";
    cope.cutType = kCutCope;
    cope.offsets[kOffsetInside] = 12.3456789123;
    cope.offsets[kOffsetOutside] = 20;
    Vtx_CutConstraint poly;
    poly.name = "Stiffener";
    poly.cutType = kCutPolygon;
    poly.offsets[kOffsetPoly] = 7.5;
    plate->cuts().push_back(cope);
    plate->cuts().push_back(poly);
    macro->addModule(std::move(plate));

    auto bolts = std::make_unique<Vtx_BoltModule>("Bolts", "EndPlate");
    bolts->variables().push_back(variable("Thickness", 16, true, true));
    bolts->boltData().diameter = "20";
    bolts->boltData().holeOffset = "2";
    Vtx_BoltPattern rows;
    rows.name = "Rows";
    rows.type = Vtx_PatternType::TwoDirectional;
    rows.nrBolts1 = "2";
    rows.nrBolts2 = "3";
    rows.reverseStart1 = true;
    Vtx_BoltPattern single;
    single.name = "Single";
    single.nrBolts1 = "4";
    bolts->patternIds().push_back(db.addPattern(rows));
    bolts->patternIds().push_back(db.addPattern(single));
    macro->addModule(std::move(bolts));

    auto stiffeners = std::make_unique<Vtx_ProfModule>("Stiffeners", "EndPlate");
    stiffeners->variables().push_back(variable("Thickness", 17, true, true));
    Vtx_ProfPlacement flange;
    flange.name = "Flange";
    flange.memberName = "FL1";
    flange.profileId = db.addProfile({"PL 10x100", "S275"});
    Vtx_ProfPlacement unnamed;
    unnamed.profileId = db.addProfile({"PL 8x80", "S235"});
    stiffeners->profArray().push_back(flange);
    stiffeners->profArray().push_back(unnamed);
    macro->addModule(std::move(stiffeners));

    auto column = std::make_unique<Vtx_PlateModule>("ColumnPlate", "");
    column->variables().push_back(variable("Gap", 10, true, true));
    macro->addModule(std::move(column));

    macro->baseProfiles().push_back(db.addProfile({"IPE 300", "S235"}));
    macro->baseProfiles().push_back(db.addProfile({"HEA 200", "S355"}));
    macro->setGeneralVariable("gen_Width", 12.5);
    macro->setGeneralVariable("gen_Third", 1.0 / 3.0);

    Vtx_SectionTableManager& tables = sectionTableManager();
    tables.clear();
    Vtx_StringArray columns{"SysName", "English", "German", "French", "Dutch",
                            "h",       "b",       "tw",     "tf"};
    Vtx_Array<Vtx_StringArray> tableRows;
    tableRows.append(Vtx_StringArray{"200", "HEA 200", "HEA 200", "HEA 200", "HEA 200", "190",
                                     "200", "6.5", "10"});
    tables.addSectionTable("HEA.pr", "hea.tpl", columns, tableRows);

    ASSERT_EQ(macroData.initFromMacro(dbMacro), eOk);
    ASSERT_EQ(data.initialize(dbMacro, "Endplate", "K1", &macroData), eOk);
}

void MacroFixture::TearDown() {
    sectionTableManager().clear();
    std::error_code ec;
    std::filesystem::remove_all(libDir, ec);
}

Vtx_BoltPattern* MacroFixture::pattern(const char* name) {
    auto* bolts = static_cast<Vtx_BoltModule*>(module("Bolts"));
    Vtx_ObjectId id;
    Vtx_BoltPattern* found = nullptr;
    if (findPattern(bolts, name, id) == eOk)
        getPattern(id, found);
    return found;
}
