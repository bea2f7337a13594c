#pragma once

/// A trace sink that keeps the events of standards evaluations as a tree:
/// each evaluated sheet with its equations in calculation order, each
/// equation with its operands, its standards-function calls and its child
/// call (which holds the child sheet's own tree), and every failure in the
/// order it happened. `vtxss explain` prints it.
///
///     KsTraceRecorder recorder;
///     { KsTraceScope scope(recorder); StartDlgStandardsSS(data); }
///     const KsTracedSheet& sheet = recorder.sheets().front();
///     for (const KsTracedEquation* eq : equationsBehind(sheet, "Pitch"))
///         ...                                 // what Pitch came from
///     recorder.firstFailure();                // null when nothing failed

#include "standards/KsTrace.h"

#include <map>
#include <string>
#include <vector>

struct KsTracedSheet;

/// A variable handed to a child and the child's variable it pairs with.
struct KsTracedPass {
    Vtx_String caller; ///< the calling sheet's variable
    Vtx_String child;  ///< the child's variable (empty when it has none there)
    Vtx_String value;
};

struct KsTracedChild {
    Vtx_String path;
    std::vector<KsTracedPass> in;  ///< every passed variable, its value going in
    std::vector<KsTracedPass> out; ///< the child's outputs coming back
    bool ok = false;
    std::vector<KsTracedSheet> sheets; ///< the child's evaluation (one)
};

struct KsTracedEquation {
    Vtx_String file;
    int column = 0;
    int row = 0;
    int line = 0;       ///< the line of the file that holds the cell; 0 if unknown
    Vtx_String written; ///< the cell's text in the file
    Vtx_String text;    ///< as evaluated: general variables replaced
    Vtx_String name;    ///< before the "="; empty for a child call without one
    Vtx_String expression;
    Vtx_String formula; ///< the cell formula; empty when it was not rewritten
    std::vector<KsTraceOperand> operands;
    std::vector<KsTraceCall> calls;
    bool hasChild = false;
    KsTracedChild child;
    bool finished = false;
    bool ok = false;
    Vtx_String value; ///< what the variable took
    Vtx_String reason;

    /// The variables this equation gave a value: its own, or those a child
    /// call returned to.
    std::vector<Vtx_String> assigns() const;
    /// The variables it read: its operands, or what a child call passed in.
    std::vector<Vtx_String> uses() const;
};

struct KsTracedVariable {
    Vtx_String name;
    Vtx_String section; ///< "Input", "Output" or "Local"
    Vtx_String value;
};

struct KsTracedSheet {
    Vtx_String name; ///< as the evaluation was asked for it
    Vtx_String path; ///< as loaded
    bool child = false;
    std::vector<KsTracedEquation> equations;
    std::vector<KsTracedVariable> variables; ///< with their final values
    bool finished = false;
    ErrorStatus status = eOk;
    bool inEquation = false;

    /// The variable of that name (case ignored), or null.
    const KsTracedVariable* variable(const Vtx_String& wanted) const;
};

struct KsTraceFailure {
    Vtx_String file;
    int line = 0;    ///< of the file; 0 when the failure has no place in it
    Vtx_String cell; ///< "A14" for a failed equation
    Vtx_String message;
};

class KsTraceRecorder : public KsTrace {
public:
    /// The evaluations started with no other one under way, in order.
    const std::vector<KsTracedSheet>& sheets() const { return m_sheets; }
    const std::vector<KsTraceFailure>& failures() const { return m_failures; }
    /// The first failure, or null.
    const KsTraceFailure* firstFailure() const;
    /// Forgets everything recorded.
    void clear();

    void sheetStarted(const Vtx_String& name, bool child) override;
    void sheetFinished(const Vtx_String& path, const KsVarCells& variables,
                       ErrorStatus status) override;
    void equationStarted(const Vtx_String& path, int column, int row, const Vtx_String& text,
                         const Vtx_String& name, const Vtx_String& expression) override;
    void equationRewritten(const Vtx_String& formula,
                           const std::vector<KsTraceOperand>& operands) override;
    void equationFinished(bool ok, const Vtx_String& value, const Vtx_String& reason) override;
    void functionCalled(const KsTraceCall& call) override;
    void childStarted(const Vtx_String& path, const KsVarCells& passed) override;
    void childFinished(const KsVarCells& returned, bool ok) override;
    void failed(const Vtx_String& file, int line, const Vtx_String& message) override;

private:
    /// The equation under way in the innermost sheet, or null.
    KsTracedEquation* openEquation();
    /// The file line of a cell of the sheet at path (read once per path).
    int cellLine(const Vtx_String& path, int column, int row);

    std::vector<KsTracedSheet> m_sheets;
    std::vector<KsTracedSheet*> m_stack;
    std::vector<KsTraceFailure> m_failures;
    std::map<std::string, std::map<std::pair<int, int>, int>> m_cellLines;
};

/// The equations of sheet that the variable's final value came from, in
/// calculation order: the last equation that gave it its value, then, going
/// back, those that gave the variables it read theirs. Empty when no
/// equation gave the variable a value (an input, or a failed equation).
std::vector<const KsTracedEquation*> equationsBehind(const KsTracedSheet& sheet,
                                                     const Vtx_String& variable);

/// A call as one line: GETCELL("EdgeDistances.txt", 8.8, 20) -> "35".
Vtx_String describeCall(const KsTraceCall& call);
