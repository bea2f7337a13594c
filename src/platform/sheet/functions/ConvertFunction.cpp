// CONVERT: a number from one unit of measure to another, for the units of
// length, area, volume, mass, force, pressure and temperature. Unit names are
// case-sensitive; metric prefixes ("k", "m", "da" ...) go with the units
// marked for them. Factors are the defined values (1 in = 0.0254 m,
// 1 lbm = 0.45359237 kg, standard gravity 9.80665 m/s^2).
#include "platform/sheet/functions/FunctionApi.h"

#include <cmath>
#include <optional>
#include <string_view>

namespace vtx::sheet {

namespace {

using K = ArgKind;

enum class Dimension : std::uint8_t { Length, Area, Volume, Mass, Force, Pressure, Temperature };

struct UnitDef {
    const char* name;
    Dimension dimension;
    double factor; ///< in m, m^2, m^3, g, N or Pa
    bool prefixes; ///< takes metric prefixes
};

constexpr double kInch = 0.0254;
constexpr double kFoot = 0.3048;
constexpr double kPound = 453.59237; // g
constexpr double kGravity = 9.80665;
constexpr double kPoundForce = kPound / 1000 * kGravity;
constexpr double kGallon = 0.003785411784; // US liquid gallon, 231 in^3
constexpr double kUkGallon = 0.00454609;
constexpr double kSurveyFoot = 1200.0 / 3937.0;

constexpr UnitDef kUnits[] = {
    {"m", Dimension::Length, 1, true},
    {"mi", Dimension::Length, 1609.344, false},
    {"Nmi", Dimension::Length, 1852, false},
    {"in", Dimension::Length, kInch, false},
    {"ft", Dimension::Length, kFoot, false},
    {"yd", Dimension::Length, 0.9144, false},
    {"ang", Dimension::Length, 1e-10, true},
    {"ha", Dimension::Area, 10000, false},
    {"ar", Dimension::Area, 100, false},
    {"uk_acre", Dimension::Area, 43560 * kFoot* kFoot, false},
    {"us_acre", Dimension::Area, 43560 * kSurveyFoot* kSurveyFoot, false},
    {"l", Dimension::Volume, 0.001, true},
    {"L", Dimension::Volume, 0.001, true},
    {"lt", Dimension::Volume, 0.001, false},
    {"gal", Dimension::Volume, kGallon, false},
    {"qt", Dimension::Volume, kGallon / 4, false},
    {"pt", Dimension::Volume, kGallon / 8, false},
    {"us_pt", Dimension::Volume, kGallon / 8, false},
    {"cup", Dimension::Volume, kGallon / 16, false},
    {"oz", Dimension::Volume, kGallon / 128, false},
    {"tbs", Dimension::Volume, kGallon / 256, false},
    {"tsp", Dimension::Volume, kGallon / 768, false},
    {"barrel", Dimension::Volume, 42 * kGallon, false},
    {"uk_gal", Dimension::Volume, kUkGallon, false},
    {"uk_qt", Dimension::Volume, kUkGallon / 4, false},
    {"uk_pt", Dimension::Volume, kUkGallon / 8, false},
    {"g", Dimension::Mass, 1, true},
    {"u", Dimension::Mass, 1.660538782e-24, true},
    {"lbm", Dimension::Mass, kPound, false},
    {"ozm", Dimension::Mass, kPound / 16, false},
    {"grain", Dimension::Mass, kPound / 7000, false},
    {"stone", Dimension::Mass, 14 * kPound, false},
    {"cwt", Dimension::Mass, 100 * kPound, false},
    {"shweight", Dimension::Mass, 100 * kPound, false},
    {"uk_cwt", Dimension::Mass, 112 * kPound, false},
    {"lcwt", Dimension::Mass, 112 * kPound, false},
    {"hweight", Dimension::Mass, 112 * kPound, false},
    {"ton", Dimension::Mass, 2000 * kPound, false},
    {"uk_ton", Dimension::Mass, 2240 * kPound, false},
    {"LTON", Dimension::Mass, 2240 * kPound, false},
    {"brton", Dimension::Mass, 2240 * kPound, false},
    {"sg", Dimension::Mass, kPoundForce / kFoot * 1000, false}, // slug: lbf s^2 / ft
    {"N", Dimension::Force, 1, true},
    {"dyn", Dimension::Force, 1e-5, true},
    {"dy", Dimension::Force, 1e-5, false},
    {"lbf", Dimension::Force, kPoundForce, false},
    {"pond", Dimension::Force, kGravity / 1000, true},
    {"Pa", Dimension::Pressure, 1, true},
    {"p", Dimension::Pressure, 1, false},
    {"atm", Dimension::Pressure, 101325, true},
    {"at", Dimension::Pressure, 101325, false},
    {"mmHg", Dimension::Pressure, 133.322, true},
    {"Torr", Dimension::Pressure, 101325.0 / 760, false},
    {"psi", Dimension::Pressure, kPoundForce / (kInch * kInch), false},
};

// A temperature scale: degrees Celsius = (x - offset) * num / den.
// Absolute scales (K, Rank) convert between themselves by the ratio alone.
struct TemperatureDef {
    const char* name;
    double offset;
    double num;
    double den;
    bool absolute;
};

constexpr TemperatureDef kTemperatures[] = {
    {"C", 0, 1, 1, false},        {"cel", 0, 1, 1, false},   {"F", 32, 5, 9, false},
    {"fah", 32, 5, 9, false},     {"K", 273.15, 1, 1, true}, {"kel", 273.15, 1, 1, true},
    {"Rank", 491.67, 5, 9, true}, {"Reau", 0, 5, 4, false},
};

struct Prefix {
    const char* name;
    double factor;
};

constexpr Prefix kPrefixes[] = {
    {"da", 1e1}, {"Y", 1e24},  {"Z", 1e21},  {"E", 1e18},  {"P", 1e15},  {"T", 1e12},  {"G", 1e9},
    {"M", 1e6},  {"k", 1e3},   {"h", 1e2},   {"d", 1e-1},  {"c", 1e-2},  {"m", 1e-3},  {"u", 1e-6},
    {"n", 1e-9}, {"p", 1e-12}, {"f", 1e-15}, {"a", 1e-18}, {"z", 1e-21}, {"y", 1e-24},
};

struct Unit {
    Dimension dimension;
    double factor;
};

const UnitDef* findUnit(std::string_view name) {
    for (const UnitDef& u : kUnits)
        if (name == u.name)
            return &u;
    return nullptr;
}

// A unit without a power: a name of the table, or a prefix and a name that
// takes prefixes.
std::optional<Unit> plainUnit(std::string_view name) {
    if (const UnitDef* u = findUnit(name))
        return Unit{u->dimension, u->factor};
    for (const Prefix& p : kPrefixes) {
        std::string_view prefix = p.name;
        if (name.size() <= prefix.size() || name.substr(0, prefix.size()) != prefix)
            continue;
        const UnitDef* u = findUnit(name.substr(prefix.size()));
        if (u && u->prefixes)
            return Unit{u->dimension, u->factor * p.factor};
    }
    return std::nullopt;
}

// A unit of the table, or a length unit squared or cubed ("ft2", "cm^3").
std::optional<Unit> findAnyUnit(std::string_view name) {
    if (auto u = plainUnit(name))
        return u;
    if (name.size() < 2 || (name.back() != '2' && name.back() != '3'))
        return std::nullopt;
    int power = name.back() - '0';
    name.remove_suffix(name.size() > 2 && name[name.size() - 2] == '^' ? 2 : 1);
    auto base = plainUnit(name);
    if (!base || base->dimension != Dimension::Length)
        return std::nullopt;
    return Unit{power == 2 ? Dimension::Area : Dimension::Volume, std::pow(base->factor, power)};
}

const TemperatureDef* findTemperature(std::string_view name) {
    for (const TemperatureDef& t : kTemperatures)
        if (name == t.name)
            return &t;
    return nullptr;
}

void convert(FunctionCall& c) {
    double x = c.num(0);
    const TemperatureDef* fromT = findTemperature(c.text(1));
    const TemperatureDef* toT = findTemperature(c.text(2));
    if (fromT && toT) {
        // Through the ratio of the scales, with the offsets apart, so that
        // 100 C is 212 F exactly.
        double num = fromT->num * toT->den;
        double den = fromT->den * toT->num;
        if (fromT->absolute && toT->absolute)
            c.setNumber(x * num / den);
        else
            c.setNumber((x - fromT->offset) * num / den + toT->offset);
        return;
    }
    auto from = findAnyUnit(c.text(1));
    auto to = findAnyUnit(c.text(2));
    if (!from || !to || from->dimension != to->dimension) {
        c.setError(FormulaError::NA);
        return;
    }
    c.setNumber(from->factor == to->factor ? x : x * from->factor / to->factor);
}

} // namespace

void addConvertFunction(std::vector<FunctionInfo>& t) {
    t.push_back({"CONVERT", 3, 3, {K::Number, K::Text}, convert});
}

} // namespace vtx::sheet
