#pragma once

/// The trace of a standards evaluation: how each variable got its value.
///
/// The engine reports to the sink installed in gKsTrace, and only when one
/// is installed: every reporting place tests that one pointer and does
/// nothing else, so an evaluation without a trace costs what it did before.
/// A sink is installed for the life of a scope:
///
///     KsTraceRecorder recorder;              // KsTraceRecorder.h
///     {
///         KsTraceScope scope(recorder);
///         StartDlgStandardsSS(data);
///     }
///     recorder.sheets();                     // what happened, as a tree
///
/// The events of one evaluation nest: a sheet starts, its equations start
/// and finish in calculation order, the function calls of an equation come
/// between its start and its finish (each call after the calls its
/// arguments made), and a child call wraps the child sheet's own events.

#include "platform/core/ErrorStatus.h"
#include "platform/core/VtxString.h"

#include <vector>

class KsVarCell;
class KsVarCells;

/// A variable an equation reads: its name, its cell ("C3") and its value
/// when the equation starts.
struct KsTraceOperand {
    Vtx_String name;
    Vtx_String cell;
    Vtx_String value;
};

/// The row of a table file that a look-up matched.
struct KsTraceDataRow {
    Vtx_String file; ///< the file as found (path)
    int line = 0;    ///< 1-based; 0 when no row matched
    Vtx_String key;  ///< the key looked up
};

/// How a size function snapped a value.
struct KsTraceSnap {
    Vtx_String file;     ///< the size file as found; empty when none was found
    Vtx_String kind;     ///< "size", "thickness" or "width"
    double value = 0;    ///< the value asked for
    double low = 0;      ///< the window it may move in: value - down ...
    double high = 0;     ///< ... value + up
    double step = 0;     ///< of the rounding fall-back
    double result = 0;   ///< what the function gave
    int candidates = 0;  ///< sizes of the file that were considered
    bool listed = false; ///< the result is a size of the file (else rounded)
    int line = 0;        ///< the size-file line of a listed result
};

/// One call of a standards function, as the function saw it.
struct KsTraceCall {
    Vtx_String function;
    std::vector<Vtx_String> arguments; ///< numbers as numbers, texts in quotes
    Vtx_String result;                 ///< as the arguments; empty for no value
    bool ok = false;
    Vtx_String detail; ///< why it failed, when it did
    bool hasRow = false;
    KsTraceDataRow row;
    bool hasSnap = false;
    KsTraceSnap snap;
};

class KsTrace {
public:
    virtual ~KsTrace() = default;

    /// An evaluation of the sheet named name starts (as the data names it).
    virtual void sheetStarted(const Vtx_String& name, bool child) = 0;
    /// It ended: the path it was loaded from, its variables with their
    /// final values, and its status.
    virtual void sheetFinished(const Vtx_String& path, const KsVarCells& variables,
                               ErrorStatus status) = 0;

    /// An equation cell starts: the cell's text as evaluated (general
    /// variables replaced), the name before its "=" and the expression.
    virtual void equationStarted(const Vtx_String& path, int column, int row,
                                 const Vtx_String& text, const Vtx_String& name,
                                 const Vtx_String& expression) = 0;
    /// The expression was rewritten into the cell formula; operands are the
    /// variables it reads.
    virtual void equationRewritten(const Vtx_String& formula,
                                   const std::vector<KsTraceOperand>& operands) = 0;
    /// The equation ended: the value its variable took, or why it failed.
    virtual void equationFinished(bool ok, const Vtx_String& value, const Vtx_String& reason) = 0;

    /// A standards function was called.
    virtual void functionCalled(const KsTraceCall& call) = 0;

    /// A child call: the child's path and the calling sheet's variables
    /// passed, with their values.
    virtual void childStarted(const Vtx_String& path, const KsVarCells& passed) = 0;
    /// The child call ended: the passed variables as the child returned
    /// them (outputs with their new values).
    virtual void childFinished(const KsVarCells& returned, bool ok) = 0;

    /// Something failed at a place: file, line (of the file; 0 when there
    /// is none) and what.
    virtual void failed(const Vtx_String& file, int line, const Vtx_String& message) = 0;
};

/// The installed sink; null when no trace is wanted.
extern KsTrace* gKsTrace;

/// Installs a sink for the life of the scope (the one before it comes back).
class KsTraceScope {
public:
    explicit KsTraceScope(KsTrace& trace) : m_before(gKsTrace) { gKsTrace = &trace; }
    ~KsTraceScope() { gKsTrace = m_before; }
    KsTraceScope(const KsTraceScope&) = delete;
    KsTraceScope& operator=(const KsTraceScope&) = delete;

private:
    KsTrace* m_before;
};

/// A number as the trace shows it: the shortest text that reads back.
Vtx_String traceNumber(double value);
/// A variable's value as the trace shows it: a number without the zeros of
/// its cell's decimals, a text as it is.
Vtx_String traceValue(const KsVarCell& cell);
