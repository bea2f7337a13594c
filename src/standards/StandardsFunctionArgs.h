#pragma once

/// The argument and result view of the standards spreadsheet functions.
///
/// The grid hands a custom function 24-byte value records (ValueRecord.h).
/// The dispatcher in StandardsFunctions.cpp decodes them once into
/// StandardsArgument values (texts copied out of, and their blocks freed
/// from, global memory) and gives the function body a StandardsCall. Bodies
/// read their arguments through the three coercions below and set at most
/// one result; the dispatcher writes the result record.
///
///     bool roundTo(StandardsCall& call) {
///         double value = 0, step = 0;
///         if (!call.number(0, value) || !call.number(1, step))
///             return false;
///         call.setNumber(ObjectExportRoundTo(value, step));
///         return true;
///     }

#include "platform/core/VtxString.h"
#include "platform/sheet/ValueRecord.h"

#include <cstdint>
#include <vector>

struct KsTraceCall;

/// One decoded argument: the record's status and type with its number (an
/// integer widened to a double) or its text (as stored, quotes included).
struct StandardsArgument {
    std::uint8_t status = vtx::sheet::kValueNone;
    std::uint8_t type = vtx::sheet::kValueInt;
    double number = 0;
    Vtx_String text;

    static StandardsArgument none();
    static StandardsArgument ofNumber(double value);
    static StandardsArgument ofText(const Vtx_String& value);

    /// Status 2: no value (an empty cell, an omitted argument).
    bool isNone() const { return status == vtx::sheet::kValueNone; }
    /// Status 0 and type integer or floating point.
    bool isNumber() const;
    /// Status 0 and type text.
    bool isText() const;
};

/// What a function body produced.
enum class StandardsResultKind { None, Number, Text };

/// One call of a standards function: its arguments and its result.
class StandardsCall {
public:
    explicit StandardsCall(std::vector<StandardsArgument> arguments)
        : m_arguments(std::move(arguments)) {}

    int count() const { return static_cast<int>(m_arguments.size()); }
    /// The argument at index; precondition: 0 <= index < count().
    const StandardsArgument& at(int index) const {
        return m_arguments[static_cast<std::size_t>(index)];
    }

    /// Reads argument index as a number: status 0, type integer or floating
    /// point. False for anything else or an index past the arguments.
    bool number(int index, double& value) const;
    /// Reads argument index as a text: status 0, type text, with one double
    /// quote removed from its start and one from its end when present. False
    /// for anything else or an index past the arguments.
    bool text(int index, Vtx_String& value) const;
    /// True when argument index has no value (status 2).
    bool isNone(int index) const;

    void setNumber(double value);
    /// A text result; an empty text leaves the result at no value.
    void setText(const Vtx_String& value);

    /// The record of this call in an evaluation's trace, or null when no
    /// trace is being kept; a body adds what it found (a data row, a snap).
    KsTraceCall* trace() const { return m_trace; }
    void setTrace(KsTraceCall* trace) { m_trace = trace; }

    StandardsResultKind resultKind() const { return m_kind; }
    double resultNumber() const { return m_number; }
    const Vtx_String& resultText() const { return m_text; }

private:
    std::vector<StandardsArgument> m_arguments;
    StandardsResultKind m_kind = StandardsResultKind::None;
    double m_number = 0;
    Vtx_String m_text;
    KsTraceCall* m_trace = nullptr;
};

/// A text with one leading and one trailing double quote removed when
/// present ("\"M20\"" gives "M20", "\"" gives "").
Vtx_String withoutQuotes(const Vtx_String& text);

/// The decimal reading of a text as the standards functions use it: blanks
/// skipped, then the longest leading decimal number in the C locale
/// ("12.5" gives 12.5, "100X10" gives 100, "12mm" gives 12); 0 when the text
/// does not start with a number or the number is not finite.
double decimalReading(const Vtx_String& text);
