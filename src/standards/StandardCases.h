#pragma once

/// Regression cases of a standards spreadsheet: a text file beside it with
/// the same name and the extension ".cases" (FP-Standard.kss ->
/// FP-Standard.cases), each case giving inputs and general variables and the
/// outputs they must produce. docs/vtxss-test-standard.md describes the
/// format:
///
///     # comment
///     tolerance 0.000001
///     case IPE 300, M20 bolts
///       input BeamSection = IPE 300
///       general gen_Gap = 10
///       expect PlateThickness = 10
///
/// The cases run through the real evaluation, as a child spreadsheet is
/// evaluated: the inputs are handed over directly instead of being read
/// from a macro, and the outputs come back.
///
///     CaseFile cases;
///     Vtx_String error;
///     if (readCaseFile(caseFilePath(sheet), cases, error))
///         std::vector<CaseResult> results;
///         runCases(sheet, cases, results, error);

#include "platform/core/VtxString.h"

#include <string_view>
#include <vector>

/// The tolerance numbers are compared with when a file does not give one.
constexpr double kDefaultCaseTolerance = 1e-6;

/// One "input", "general" or "expect" line.
struct CaseEntry {
    Vtx_String name;
    Vtx_String value;
    int line = 0;
};

struct StandardCase {
    Vtx_String name;
    int line = 0; ///< of its "case" line
    double tolerance = kDefaultCaseTolerance;
    std::vector<CaseEntry> inputs;
    std::vector<CaseEntry> generals;
    std::vector<CaseEntry> expects;
};

struct CaseFile {
    Vtx_String path;
    std::vector<StandardCase> cases;
};

/// The case file of a standards spreadsheet: its path with ".cases".
Vtx_String caseFilePath(const Vtx_String& standardPath);

/// Reads case-file text; false with error = "name:line: what" when a line
/// does not read (an unknown word, a missing "=", a name given twice in a
/// case, a case without a name or without an expect line, a tolerance that
/// is no number >= 0, two cases of one name, no case at all).
bool parseCaseFile(std::string_view text, const Vtx_String& name, CaseFile& cases,
                   Vtx_String& error);
/// parseCaseFile on the file at path; false also when it cannot be read.
bool readCaseFile(const Vtx_String& path, CaseFile& cases, Vtx_String& error);

/// An expected output and what the evaluation gave.
struct CaseValue {
    Vtx_String name;
    Vtx_String expected;
    Vtx_String actual;
    bool matches = false;
    int line = 0;
};

struct CaseResult {
    Vtx_String name;
    int line = 0;
    bool evaluated = false; ///< false when the evaluation itself failed
    std::vector<CaseValue> values;
    bool passed() const;
};

/// True when actual equals expected: both numbers within tolerance of each
/// other, otherwise the same text.
bool caseValuesMatch(const Vtx_String& expected, const Vtx_String& actual, double tolerance);

/// Runs every case on the standards spreadsheet at path. False, with error
/// "file:line: what", when the spreadsheet cannot be read or a case names an
/// input that is not an input of it or expects an output it does not have;
/// then no case runs. An evaluation that fails is a result that did not
/// pass, not an error.
bool runCases(const Vtx_String& path, const CaseFile& cases, std::vector<CaseResult>& results,
              Vtx_String& error);
