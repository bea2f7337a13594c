#pragma once

/// The mapping of a standards spreadsheet's variables to the objects of one
/// connection macro, and the mapping file that stores such mappings.
///
/// The mapping file of spreadsheet S is the library folder +
/// "Connection Standards\\" + S + ".map". Its first line is
/// "Mapping version 1.0"; every further line is a key, "=", then items
/// separated by the byte 0xBF, each item a variable name, the byte 0x83 and
/// the object text of KsObjectMap.
///
///     KsSSMapping mapping;
///     if (mapping.getMappingFromFile("Endplate\\EP-Bolted", key) == eOk) {
///         Vtx_String thickness;
///         mapping.getMacroVarValue("tp", KsValueType::Double, thickness, data);
///     }

#include "platform/Exports.h"
#include "platform/core/ErrorStatus.h"
#include "platform/core/VtxArray.h"
#include "platform/core/VtxString.h"
#include "standards/KsObjectMap.h"

class KsDlgStandardsData;
class Vtx_DbMacro;
class Vtx_Module;
class Vtx_Transaction;

/// The mapping file path of a spreadsheet name (see KsSSMapping). An
/// absolute path of an existing file gives the ".map" file beside it; a
/// relative name is always taken under the library folder.
Vtx_String mappingFilePath(const Vtx_String& spreadsheetName);
/// Forgets the mapping lines parsed for earlier runs (they are parsed once
/// per version of a file and key).
void forgetParsedMappings();

class VTX_MODULE_API KsSSMapping {
public:
    enum Mode : int { kModeNone = 0, kModeModuleGroup = 1, kModeMacro = 2 };

    KsSSMapping() = default;
    virtual ~KsSSMapping() = default;
    KsSSMapping(const KsSSMapping&) = default;
    KsSSMapping& operator=(const KsSSMapping&) = default;

    const Vtx_Array<KsObjectMap>& mappedObjects() const { return m_mappedObjects; }
    Vtx_Array<KsObjectMap>& mappedObjectsWrite() { return m_mappedObjects; }

    /// Mode 2 with the mapping stored under the data's key; fails without a
    /// macro or with a module group name.
    ErrorStatus initFromMacro(const KsDlgStandardsData& data);
    /// Mode 1 for a non-empty group name; otherwise eInvalidInput, mode kept.
    ErrorStatus initFromModuleGroup(const Vtx_String& groupName);

    /// Reads the line stored under key (case sensitive) from the spreadsheet's
    /// mapping file. A file without mapping lines gives eOk and leaves the
    /// mapping as it was; a missing key gives eKeyNotFound.
    ErrorStatus getMappingFromFile(const Vtx_String& spreadsheetName, const Vtx_String& key);
    /// Replaces the objects by those of one mapping line ("key=items");
    /// unreadable items are skipped. eInvalidInput without "=".
    ErrorStatus initMappingFromLine(const Vtx_String& line);
    /// Stores this mapping under key: the first object of each name, when its
    /// name and texts can be stored; every line of the key is replaced by one
    /// new line at the end, unless the key has one line that holds the same
    /// mapping (isEqual both ways). See the source for the steps.
    ErrorStatus setMappingToFile(const Vtx_String& spreadsheetName, const Vtx_String& key) const;
    /// True, with the key, when some line of the spreadsheet's mapping file
    /// holds a mapping that this mapping isEqual to (first in file order).
    bool hasSameMapping(const Vtx_String& spreadsheetName, Vtx_String& key) const;

    /// One-sided: every own object has a value type, the other mapping has a
    /// variable of that name and type, and that object isCompatible.
    bool isEqual(const KsSSMapping& other) const;
    /// count = own objects for which other has no compatible object. eOk.
    ErrorStatus isCompatible(const KsSSMapping& other, int& count) const;
    /// The first own object compatible with object.
    ErrorStatus findCompatible(const KsObjectMap& object, int& index) const;
    /// The first own object (with a kind) whose variable name equals name
    /// (case ignored), when its value type is like valueType (both numeric or
    /// both String); a later object of the name is never found, as the
    /// mapping file keeps only the first.
    ErrorStatus findSSVar(const Vtx_String& name, KsValueType valueType, int& index) const;
    /// Indices of the objects whose value type is like valueType. The flag is
    /// accepted for callers' sake and not used. eOk.
    ErrorStatus getValidVars(bool flag, KsValueType valueType, Vtx_Array<int>& indices) const;
    /// Orders indices by bucket: for each position of categoryOrder a -1
    /// marker, then the indices whose object's category is at that position
    /// (unknown categories go to the last bucket). eInvalidInput for an
    /// empty order, with indices emptied.
    ErrorStatus sortValidVars(Vtx_Array<int>& indices, const Vtx_Array<int>& categoryOrder) const;

    /// Appends every mappable object of the macro (the candidate list).
    ErrorStatus initAllVarsFromMacro(Vtx_DbMacro* dbMacro, Vtx_Transaction* transaction);

    /// Reads or writes a variable's value in the data's macro, by direct
    /// naming in mode 1 and through the mapped object otherwise.
    ErrorStatus getMacroVarValue(const Vtx_String& ssVarName, KsValueType valueType,
                                 Vtx_String& value, const KsDlgStandardsData& data) const;
    ErrorStatus setMacroVarValue(const Vtx_String& ssVarName, KsValueType valueType,
                                 const Vtx_String& value, const KsDlgStandardsData& data) const;

    int mode = kModeNone;

private:
    void addAllVariables(const Vtx_Module* module, const Vtx_String& group);
    void addAllCuts(const Vtx_Module* module, const Vtx_String& group);
    void addAllPatterns(const Vtx_Module* module, const Vtx_String& group,
                        Vtx_Transaction* transaction);
    void addAllProfPlacements(const Vtx_Module* module, const Vtx_String& group);
    void addAllBaseProfs(Vtx_DbMacro* dbMacro, Vtx_Transaction* transaction);
    void addAllGenVars(const Vtx_DbMacro* dbMacro);
    void addCandidate(const Vtx_String& group, const Vtx_String& subName, int kind,
                      int category = 0, const Vtx_String& caption = Vtx_String());

    Vtx_Array<KsObjectMap> m_mappedObjects;
};
