#include "platform/core/KsAutoStandardsData.h"

namespace {

/// Replaces target by list when list has the group's row count.
bool setSameLength(Vtx_StringArray& target, const Vtx_StringArray& list, int count) {
    if (list.length() != count)
        return false;
    target = list;
    return true;
}

} // namespace

bool KsAutoStandardsData::setDwgGenGroup(const Vtx_StringArray& names,
                                         const Vtx_StringArray& values,
                                         const Vtx_StringArray& filters) {
    if (values.length() != names.length() || filters.length() != names.length())
        return false;
    m_dwgGenVars = names;
    m_dwgGenValues = values;
    m_dwgGenFilters = filters;
    return true;
}

bool KsAutoStandardsData::setDwgGenVars(const Vtx_StringArray& names) {
    return setSameLength(m_dwgGenVars, names, dwgGenCount());
}

bool KsAutoStandardsData::setDwgGenValues(const Vtx_StringArray& values) {
    return setSameLength(m_dwgGenValues, values, dwgGenCount());
}

bool KsAutoStandardsData::setDwgGenFilters(const Vtx_StringArray& filters) {
    return setSameLength(m_dwgGenFilters, filters, dwgGenCount());
}

void KsAutoStandardsData::appendDwgGen(const Vtx_String& name, const Vtx_String& value,
                                       const Vtx_String& filter) {
    m_dwgGenVars.append(name);
    m_dwgGenValues.append(value);
    m_dwgGenFilters.append(filter);
}

bool KsAutoStandardsData::setStdGenGroup(const Vtx_StringArray& names,
                                         const Vtx_StringArray& values,
                                         const Vtx_StringArray& overrides,
                                         const Vtx_StringArray& filters) {
    const int count = names.length();
    if (values.length() != count || overrides.length() != count || filters.length() != count)
        return false;
    m_stdGenVars = names;
    m_stdGenValues = values;
    m_stdGenOverrides = overrides;
    m_stdGenFilters = filters;
    return true;
}

bool KsAutoStandardsData::setStdGenVars(const Vtx_StringArray& names) {
    return setSameLength(m_stdGenVars, names, stdGenCount());
}

bool KsAutoStandardsData::setStdGenValues(const Vtx_StringArray& values) {
    return setSameLength(m_stdGenValues, values, stdGenCount());
}

bool KsAutoStandardsData::setStdGenOverrides(const Vtx_StringArray& overrides) {
    return setSameLength(m_stdGenOverrides, overrides, stdGenCount());
}

bool KsAutoStandardsData::setStdGenFilters(const Vtx_StringArray& filters) {
    return setSameLength(m_stdGenFilters, filters, stdGenCount());
}

void KsAutoStandardsData::appendStdGen(const Vtx_String& name, const Vtx_String& value,
                                       const Vtx_String& overrideText, const Vtx_String& filter) {
    m_stdGenVars.append(name);
    m_stdGenValues.append(value);
    m_stdGenOverrides.append(overrideText);
    m_stdGenFilters.append(filter);
}

void KsAutoStandardsData::clear() {
    *this = KsAutoStandardsData();
}

bool KsAutoStandardsData::operator==(const KsAutoStandardsData& other) const {
    return m_dwgGenVars == other.m_dwgGenVars && m_dwgGenValues == other.m_dwgGenValues &&
           m_dwgGenFilters == other.m_dwgGenFilters && m_stdGenVars == other.m_stdGenVars &&
           m_stdGenValues == other.m_stdGenValues && m_stdGenOverrides == other.m_stdGenOverrides &&
           m_stdGenFilters == other.m_stdGenFilters;
}
