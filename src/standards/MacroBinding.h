#pragma once

/// Value access to the objects of a connection macro, shared by mapped
/// objects and by direct naming. Values travel as text; numbers are
/// formatted with the precisions below.

#include "platform/core/ErrorStatus.h"
#include "platform/core/VtxString.h"
#include "standards/KsObjectMap.h"

class Vtx_Macro;
class Vtx_Module;
class Vtx_BoltModule;
class Vtx_Transaction;
class MacroData;
class MacroTabData;
class Vtx_ObjectId;

/// Decimals of a general variable read through a mapped object.
constexpr int kGenVarMappedPrecision = 8;
/// Decimals of a general variable read by direct naming.
constexpr int kGenVarNamedPrecision = 4;
/// Decimals of a cut value.
constexpr int kCutPrecision = 7;

namespace binding {

/// The tab of a module (found by the module's tab name), or nullptr.
MacroTabData* moduleTab(MacroData* macroData, const Vtx_Module* module);

/// A dialog variable; on set a free flex/fix button is first fixed so the
/// written value holds. A value the variable already has (to the decimals
/// of a Double variable cell) is not written and fixes nothing.
ErrorStatus distanceAccess(MacroTabData* tab, Vtx_Module* module, const Vtx_String& name,
                           Vtx_String& value, bool get);
/// One offset of a cut; a value set must be a number.
ErrorStatus cutAccess(Vtx_Module* module, const Vtx_String& cutName, int offsetType,
                      Vtx_String& value, bool get);
/// A reverse-start flag: writing "1" sets it; reading gives "0" for a set
/// flag and "1" for a cleared one.
ErrorStatus reverseStartAccess(Vtx_BoltModule* module, const Vtx_ObjectId& patternId, bool first,
                               Vtx_String& value, bool get, Vtx_Transaction* transaction);
/// The member name of a group of profile placements.
ErrorStatus memberNameAccess(MacroTabData* tab, const Vtx_String& groupName, Vtx_String& value,
                             bool get);
/// The bolt diameter or hole-offset text of the tab. On set, a text that
/// gives the number the field already holds leaves the field as it is.
ErrorStatus boltDataAccess(MacroTabData* tab, bool diameter, Vtx_String& value, bool get);
/// A general variable with the given decimals; a value set must be a number.
ErrorStatus genVarAccess(Vtx_Macro* macro, const Vtx_String& name, int precision, Vtx_String& value,
                         bool get);

} // namespace binding

/// Direct naming: the variable's own name says which object of the module
/// is meant ("gen.Width", "Flange.Name", "Stiffener.CutPoly",
/// "Bolts.Diameter", "Rows.NrBolts1", "Rows.ReverseStart2", "Web.MemberName",
/// or a dialog variable's name). Suffixes and "gen." ignore case.
ErrorStatus getSetNamedModuleValue(const Vtx_String& varName, KsValueType valueType,
                                   Vtx_Macro* macro, Vtx_Module* module, MacroData* macroData,
                                   Vtx_String& value, bool get, Vtx_Transaction* transaction);
