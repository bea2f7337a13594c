#pragma once

/// The general variables a drawing keeps for applying standards, in two
/// groups of parallel lists:
///
/// - general variables of drawings: names, values and filters;
/// - general variables of standards: names, values, overrides and filters.
///
/// A filter is a ";"-separated list of drawings and folders, relative to the
/// library folder + "Macros\\", that the variable applies to (empty: every
/// drawing). Entry i of every list of a group belongs to row i.
///
/// The lists of a group always have equal length. The whole group is set at
/// once by setDwgGenGroup / setStdGenGroup (the row count may change); a
/// setter of one list changes texts only and refuses a list whose length is
/// not the group's row count. A refused call returns false and changes
/// nothing.
///
///     KsAutoStandardsData data;
///     data.setDwgGenGroup({"Grade"}, {"S355"}, {""});
///     data.setDwgGenValues({"S275"});          // true: same length
///     data.setDwgGenValues({"S275", "S355"});  // false: the group has 1 row

#include "platform/Exports.h"
#include "platform/core/VtxStringArray.h"

class VTX_CORE_API KsAutoStandardsData {
public:
    KsAutoStandardsData() = default;
    KsAutoStandardsData(const KsAutoStandardsData&) = default;
    KsAutoStandardsData& operator=(const KsAutoStandardsData&) = default;
    virtual ~KsAutoStandardsData() = default;

    // ---- general variables of drawings ----
    int dwgGenCount() const { return m_dwgGenVars.length(); }
    const Vtx_StringArray& dwgGenVars() const { return m_dwgGenVars; }
    const Vtx_StringArray& dwgGenValues() const { return m_dwgGenValues; }
    const Vtx_StringArray& dwgGenFilters() const { return m_dwgGenFilters; }
    /// False when the three lengths differ.
    bool setDwgGenGroup(const Vtx_StringArray& names, const Vtx_StringArray& values,
                        const Vtx_StringArray& filters);
    /// False when the length is not dwgGenCount().
    bool setDwgGenVars(const Vtx_StringArray& names);
    bool setDwgGenValues(const Vtx_StringArray& values);
    bool setDwgGenFilters(const Vtx_StringArray& filters);
    /// Adds one row at the end.
    void appendDwgGen(const Vtx_String& name, const Vtx_String& value, const Vtx_String& filter);

    // ---- general variables of standards ----
    int stdGenCount() const { return m_stdGenVars.length(); }
    const Vtx_StringArray& stdGenVars() const { return m_stdGenVars; }
    const Vtx_StringArray& stdGenValues() const { return m_stdGenValues; }
    const Vtx_StringArray& stdGenOverrides() const { return m_stdGenOverrides; }
    const Vtx_StringArray& stdGenFilters() const { return m_stdGenFilters; }
    /// False when the four lengths differ.
    bool setStdGenGroup(const Vtx_StringArray& names, const Vtx_StringArray& values,
                        const Vtx_StringArray& overrides, const Vtx_StringArray& filters);
    /// False when the length is not stdGenCount().
    bool setStdGenVars(const Vtx_StringArray& names);
    bool setStdGenValues(const Vtx_StringArray& values);
    bool setStdGenOverrides(const Vtx_StringArray& overrides);
    bool setStdGenFilters(const Vtx_StringArray& filters);
    /// Adds one row at the end.
    void appendStdGen(const Vtx_String& name, const Vtx_String& value,
                      const Vtx_String& overrideText, const Vtx_String& filter);

    /// True when neither group has a row.
    bool isEmpty() const { return dwgGenCount() == 0 && stdGenCount() == 0; }
    /// Removes every row of both groups.
    void clear();

    bool operator==(const KsAutoStandardsData& other) const;

private:
    Vtx_StringArray m_dwgGenVars;
    Vtx_StringArray m_dwgGenValues;
    Vtx_StringArray m_dwgGenFilters;
    Vtx_StringArray m_stdGenVars;
    Vtx_StringArray m_stdGenValues;
    Vtx_StringArray m_stdGenOverrides;
    Vtx_StringArray m_stdGenFilters;
};
