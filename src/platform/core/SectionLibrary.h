#pragma once

/// The section library record of the core library, as the section-library
/// editor edits it: the section groups and types (kept in the library file
/// "prof\\Sections.tbl", layout in docs/section-tables.md) and the names of
/// what the library holds (values tables, user templates, pictures).
///
///     DlgEditLibData data;
///     Vtx_String reason;
///     if (data.readFromFile(DlgEditLibData::libraryFile(), &reason) != eOk)
///         report(reason);               // names the file and line
///     data.GetAvailableFiles();         // table names, templates, images
///     if (StartDlgEditLibSections(data, "IPE-IPE200"))
///         data.writeToFile(DlgEditLibData::libraryFile());
///
/// Names per language follow the record's languages, one text each.

#include "platform/Exports.h"
#include "platform/core/ErrorStatus.h"
#include "platform/core/VtxArray.h"
#include "platform/core/VtxString.h"
#include "platform/core/VtxStringArray.h"

/// One section group: a key name, its enabled flag, its picture and its
/// name in each language of the library.
struct VTX_CORE_API SectionGroup {
    virtual ~SectionGroup() = default;
    int id = 0; ///< unique in the library; types refer to it
    Vtx_String name;
    bool enabled = true;
    Vtx_String image;
    Vtx_StringArray names;
    bool operator==(const SectionGroup&) const = default;
};

/// One section type: its names per language, enabled flag, picture, the id
/// of its group (-1 for none) and the name of its values table.
struct VTX_CORE_API SectionType {
    virtual ~SectionType() = default;
    Vtx_StringArray names;
    bool enabled = true;
    Vtx_String image;
    int groupId = -1;
    Vtx_String tableName;
    bool operator==(const SectionType&) const = default;
};

/// The groups of a library, in their order.
class VTX_CORE_API SectionGroupArray : public Vtx_Array<SectionGroup> {
public:
    /// Appends a group named name in every language (names gives the
    /// count), enabled, with an id no group has; returns its position.
    int appendNewGrp(const Vtx_String& name, int languageCount);
    /// Position of the group with the id, -1 when none has it.
    int findId(int id) const;
    /// Swaps the groups at positions a and b; false when one is not a
    /// position.
    bool swap(int a, int b);
};

/// The types of a library, in their order.
class VTX_CORE_API SectionTypeArray : public Vtx_Array<SectionType> {
public:
    /// Appends an enabled type without group or table, named names.
    int appendNewType(const Vtx_StringArray& names);
    bool swap(int a, int b);
};

class VTX_CORE_API DlgEditLibData {
public:
    DlgEditLibData() = default;
    virtual ~DlgEditLibData() = default;
    DlgEditLibData(const DlgEditLibData&) = default;
    DlgEditLibData& operator=(const DlgEditLibData&) = default;

    /// The library file of groups and types: libDir + "prof\\Sections.tbl".
    static Vtx_String libraryFile();

    /// Fills the three name lists from the library: the values tables
    /// ("prof\\*.pr" without ".pr"), the user templates ("prof\\*.dwg") and
    /// the section pictures of the installation's icon folder (the base names
    /// of "icons\\*-big.bmp" and "*-small.bmp"); each sorted, case ignored.
    /// Missing folders give empty lists.
    void GetAvailableFiles();

    /// Reads languages, groups and types from the library file; on failure
    /// the record is unchanged and reason names the file and line.
    ErrorStatus readFromFile(const Vtx_String& path, Vtx_String* reason = nullptr);
    /// Writes languages, groups and types, whole or not at all.
    ErrorStatus writeToFile(const Vtx_String& path) const;

    /// Removes the group at position index; the types of that group get no
    /// group (-1). False when index is not a position.
    bool removeGroup(int index);
    /// The name of the entry in the work language (the first language when
    /// the work language is not among the record's), or fallback when that
    /// is empty.
    Vtx_String shownName(const Vtx_StringArray& names, const Vtx_String& fallback = {}) const;

    Vtx_StringArray templateFiles;
    Vtx_StringArray tableNames;
    Vtx_StringArray images;
    Vtx_StringArray languages;
    SectionGroupArray groups;
    SectionTypeArray types;
};

/// Dialog text number n in every language of languages, each from its own
/// language file (English when that lacks it, "#n" when English does too).
VTX_CORE_API Vtx_StringArray dialStringAllLangs(int n, const Vtx_StringArray& languages);
