// KsPrintSettings: defaults, the key/value store and the sheet tag.
#include "spread/PrintSettings.h"

#include "spread/VtxSpread.h"

#include <algorithm>

namespace {

constexpr const char* kKeyFont = "defaultFont";
constexpr const char* kKeyHeight = "defaultTextHeight";
constexpr const char* kKeyHeader = "headerFile";
constexpr const char* kKeyFooter = "footerFile";
constexpr const char* kKeyMarginLeft = "marginLeft";
constexpr const char* kKeyMarginRight = "marginRight";
constexpr const char* kKeyMarginTop = "marginTop";
constexpr const char* kKeyMarginBottom = "marginBottom";
constexpr const char* kKeySmartPrint = "smartPrint";
constexpr const char* kKeyColors = "colors";
constexpr const char* kKeyColHeader = "colHeader";
constexpr const char* kKeyRowHeader = "rowHeader";
constexpr const char* kKeyCellSeparators = "cellSeperators";
constexpr const char* kKeyBorder = "border";
constexpr const char* kKeyVarNames = "varNames";
constexpr const char* kKeyVarValues = "varValues";

void readFlag(const KsSettingsStore& store, const char* key, bool& flag) {
    int value = 0;
    if (store.getInt(key, value))
        flag = value != 0;
}

void readList(const KsSettingsStore& store, const char* prefix, Vtx_StringArray& list) {
    list.removeAll();
    for (int i = 0;; ++i) {
        Vtx_String value;
        if (!store.getText(Vtx_String(prefix) + Vtx_String::fromInt(i), value))
            return;
        list.append(value);
    }
}

} // namespace

void KsPrintSettings::setDefaults() {
    const Vtx_String language = m_language;
    const Vtx_String defaultSetName = m_defaultSetName;
    *this = KsPrintSettings();
    m_language = language;
    m_defaultSetName = defaultSetName;
}

void KsPrintSettings::readFromStore(const KsSettingsStore& store) {
    setDefaults();
    m_valid = true;
    store.getText(kKeyFont, m_fontName);
    store.getInt(kKeyHeight, m_textHeight);
    store.getText(kKeyHeader, m_headerFile);
    store.getText(kKeyFooter, m_footerFile);
    store.getInt(kKeyMarginLeft, m_marginLeft);
    store.getInt(kKeyMarginRight, m_marginRight);
    store.getInt(kKeyMarginTop, m_marginTop);
    store.getInt(kKeyMarginBottom, m_marginBottom);
    readFlag(store, kKeySmartPrint, m_smartPrint);
    readFlag(store, kKeyColors, m_colors);
    readFlag(store, kKeyColHeader, m_colHeader);
    readFlag(store, kKeyRowHeader, m_rowHeader);
    readFlag(store, kKeyCellSeparators, m_cellSeparators);
    readFlag(store, kKeyBorder, m_border);
    readList(store, kKeyVarNames, m_varNames);
    readList(store, kKeyVarValues, m_varValues);
    const int length = std::min(m_varNames.length(), m_varValues.length());
    m_varNames.setLogicalLength(length);
    m_varValues.setLogicalLength(length);
}

void KsPrintSettings::writeToStore(KsSettingsStore& store) const {
    store.setText(kKeyFont, m_fontName);
    store.setInt(kKeyHeight, m_textHeight);
    store.setText(kKeyHeader, m_headerFile);
    store.setText(kKeyFooter, m_footerFile);
    store.setInt(kKeyMarginLeft, m_marginLeft);
    store.setInt(kKeyMarginRight, m_marginRight);
    store.setInt(kKeyMarginTop, m_marginTop);
    store.setInt(kKeyMarginBottom, m_marginBottom);
    store.setBool(kKeySmartPrint, m_smartPrint);
    store.setBool(kKeyColors, m_colors);
    store.setBool(kKeyColHeader, m_colHeader);
    store.setBool(kKeyRowHeader, m_rowHeader);
    store.setBool(kKeyCellSeparators, m_cellSeparators);
    store.setBool(kKeyBorder, m_border);
    for (int i = 0; i < m_varNames.length(); ++i)
        store.setText(Vtx_String(kKeyVarNames) + Vtx_String::fromInt(i), m_varNames[i]);
    for (int i = 0; i < m_varValues.length(); ++i)
        store.setText(Vtx_String(kKeyVarValues) + Vtx_String::fromInt(i), m_varValues[i]);
}

bool KsPrintSettings::readFromGrid(Vtx_Spread* grid, Vtx_String* reason) {
    setDefaults();
    m_valid = true;
    m_grid = grid;
    Vtx_String tag;
    if (!grid || !grid->getSheetTag(tag)) {
        if (reason)
            *reason = "print settings: no grid to read from";
        return false;
    }
    KsSettingsStore store;
    Vtx_StringArray skipped;
    store.fromText(tag.view(), "sheet tag", &skipped);
    readFromStore(store);
    m_grid = grid;
    m_skipped = skipped;
    return true;
}

bool KsPrintSettings::writeToGrid(Vtx_Spread* grid, Vtx_String* reason) const {
    if (!m_valid || !grid || !grid->isCreated()) {
        if (reason)
            *reason = m_valid ? "print settings: no grid to write to"
                              : "print settings: the record was never read";
        return false;
    }
    KsSettingsStore store;
    writeToStore(store);
    Vtx_String tag;
    if (!store.toText(tag, reason))
        return false;
    return grid->setSheetTag(tag);
}

void KsPrintSettings::setVariables(const Vtx_StringArray& names, const Vtx_StringArray& values) {
    m_varNames = names;
    m_varValues = values;
}

void KsPrintSettings::setMargins(int left, int right, int top, int bottom) {
    m_marginLeft = left;
    m_marginRight = right;
    m_marginTop = top;
    m_marginBottom = bottom;
}

void KsPrintSettings::setFlags(bool smartPrint, bool colors, bool colHeader, bool rowHeader,
                               bool cellSeparators, bool border) {
    m_smartPrint = smartPrint;
    m_colors = colors;
    m_colHeader = colHeader;
    m_rowHeader = rowHeader;
    m_cellSeparators = cellSeparators;
    m_border = border;
}

bool KsPrintSettings::operator==(const KsPrintSettings& other) const {
    return m_valid == other.m_valid && m_headerFile == other.m_headerFile &&
           m_footerFile == other.m_footerFile && m_fontName == other.m_fontName &&
           m_textHeight == other.m_textHeight && m_marginLeft == other.m_marginLeft &&
           m_marginRight == other.m_marginRight && m_marginTop == other.m_marginTop &&
           m_marginBottom == other.m_marginBottom && m_smartPrint == other.m_smartPrint &&
           m_colors == other.m_colors && m_colHeader == other.m_colHeader &&
           m_rowHeader == other.m_rowHeader && m_cellSeparators == other.m_cellSeparators &&
           m_border == other.m_border && m_varNames == other.m_varNames &&
           m_varValues == other.m_varValues;
}
