#pragma once

/// A criterion of COUNTIF, SUMIF, AVERAGEIF, COUNTIFS and their kin: a value
/// or a text of an optional operator and a value ("5", ">=2", "<>x", "b*").

#include "platform/sheet/Value.h"

namespace vtx::sheet {

class Criterion {
public:
    /// A number, truth value or error value is sought as it is (an error
    /// value matches cells holding that error); an empty value is the number
    /// 0; a text is read as an operator and a number, TRUE/FALSE, an error
    /// text or a text.
    explicit Criterion(const Value& v);

    bool matches(const Value& v) const;
    bool matchesEmpty() const { return matches(Value()); }

private:
    enum class Cmp : std::uint8_t { Eq, Ne, Lt, Le, Gt, Ge };
    bool matchesEqual(const Value& v) const;

    Cmp m_cmp = Cmp::Eq;
    Value m_value;          ///< empty for "", "=" and "<>"
    bool m_bare = false;    ///< "" without an operator: matches "" texts too
    bool m_pattern = false; ///< a text with wildcards, for = and <>
};

} // namespace vtx::sheet
