# Checks the dynamic symbol table of the module library (cmake -P):
#   -DNM=<nm> -DLIBRARY=<vtxssmodule.so>
# Every symbol the library defines and exports must belong to its interface:
# the entry point, the exported classes, Start functions and module-wide
# objects. Weak symbols of the C++ library's templates and of the core
# library's classes may appear (one copy per process is what they are for;
# which of them appear is the compiler's choice), but nothing of the module's
# internals. The internal functions named below
# must be in the library (so the check is not vacuous) and not exported.

set(exported_classes
  KsObjectMap KsSSMapping KsVarCell KsVarCells KsDlgStandardsData KsSSDlgsMgr
  KsSSBillOutput Vtx_Spread Vtx_DialogHost HiddenDialogHost Vtx_ProfValuesTable
  Vtx_DesignerControl Vtx_DlgDesignerData)
set(exported_functions
  vtxModuleEntryPoint StartDlgStandardsSS ReadSSFile evaluateSSCell
  standardsTimers resetStandardsTimers getDesignerRootFolder getModuleImages)
# The Start functions of the dialogs, in a module built with its windows.
if(WITH_WINDOWS)
  list(APPEND exported_functions
    EvaluateSS openFormulaDialog startGridDialog StartDlgGenVars StartDlgEditLibSimple
    StartDlgDesigner StartDlgEditLibSections)
endif()
set(exported_objects
  gSSDlgsMgr gLoadFile gInitSSForInput gSSSGetFromMacro gInitMapping gInitFromMacro
  gSetMacroValuelsToSS gSSSreplaceGenVars gGetFromVars gCalcMain gSetToMacro gCalcChild
  gSetToVars gRegisterFuntions gFindDuplicates gCalcCells gCalcCellSplitSymbol
  gCalcCellFindVarCell gCalcCellFindFunctions gCalcCellCalcNativeFunctions
  gCalcCellCalcFunctionsPrepare gCalcCellCalcFunctions gCalcCellGetVarNames
  gCalcCellGetVarCoords gCalcCellGetVarCoordName gCalcCellReplaceVariables)
# Internal names that must never show in an exported symbol of their own.
set(internal_pattern
  "vtx::sheet::|KsStandardsDialog|KsStandardsSheet|NameReplacer|KsFormulaDialog|KsBillWindow|KsPrintSettings|KsSettingsStore|DataFileCache|StandardsCall|binding::|evaluation::|standards::|designer::|moduleEntryPoint|ModuleState")
# Present in the library, hidden from its callers (mangled names).
set(hidden_present
  _ZN17KsStandardsDialog8evaluateEv
  _ZNK12NameReplacer5applyER10Vtx_String
  _ZN3vtx5sheet10SheetModel10setMaxColsEi
  _Z16moduleEntryPointiPv)

function(run_nm out)
  execute_process(COMMAND ${NM} ${ARGN} ${LIBRARY} OUTPUT_VARIABLE text RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${NM} ${ARGN} ${LIBRARY} failed")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

run_nm(dynamic -D --defined-only -C)
run_nm(all_symbols)
run_nm(dynamic_mangled -D --defined-only)
string(REPLACE "\n" ";" lines "${dynamic}")

list(JOIN exported_classes "|" classes)
list(JOIN exported_functions "|" functions)
list(JOIN exported_objects "|" objects)
set(interface
  "^((non-)?virtual thunk to )?(${classes})::|^(vtable|typeinfo|typeinfo name) for (${classes})$|^(${functions})\\(|^(${functions}|${objects})$")

set(count 0)
set(failures "")
foreach(line IN LISTS lines)
  if(NOT line MATCHES "^[0-9a-f]+ ([A-Za-z]) (.+)$")
    continue()
  endif()
  set(type "${CMAKE_MATCH_1}")
  set(name "${CMAKE_MATCH_2}")
  math(EXPR count "${count} + 1")
  if(name MATCHES "${interface}")
    # A member of an exported class may take the module's own types.
  elseif(name MATCHES "^(__bss_start|_edata|_end)$")
    # Marks the linker puts into a library's table.
  elseif(type MATCHES "^[TDBR]$")
    string(APPEND failures "  not an interface: ${type} ${name}\n")
  elseif(name MATCHES "^([^(<]* )?(std|__gnu_cxx)::")
    # The C++ library's templates, whatever types they are instantiated for.
  elseif(name MATCHES "${internal_pattern}")
    string(APPEND failures "  internal: ${type} ${name}\n")
  endif()
endforeach()

foreach(symbol IN LISTS hidden_present)
  if(NOT all_symbols MATCHES " [tT] ${symbol}\n")
    string(APPEND failures "  not in the library at all: ${symbol}\n")
  endif()
  if(dynamic_mangled MATCHES " ${symbol}\n")
    string(APPEND failures "  exported: ${symbol}\n")
  endif()
endforeach()
foreach(object IN LISTS exported_objects exported_functions)
  if(NOT dynamic MATCHES " ${object}(\\(|\n)")
    string(APPEND failures "  missing: ${object}\n")
  endif()
endforeach()

if(failures)
  message(FATAL_ERROR "The module library's exports are wrong:\n${failures}")
endif()
message(STATUS "${count} exported symbols, all of the module's interfaces")
