#include "platform/sheet/functions/Criterion.h"

#include "platform/sheet/formula/Interpreter.h"
#include "platform/sheet/functions/TextUtil.h"

namespace vtx::sheet {

Criterion::Criterion(const Value& v) {
    if (v.isEmpty()) {
        m_value = Value::number(0);
        return;
    }
    if (!v.isText()) {
        m_value = v;
        return;
    }
    std::string_view s = v.asText();
    auto take = [&](std::string_view prefix, Cmp cmp) {
        if (s.substr(0, prefix.size()) != prefix)
            return false;
        m_cmp = cmp;
        s.remove_prefix(prefix.size());
        return true;
    };
    const bool written = take("<=", Cmp::Le) || take(">=", Cmp::Ge) || take("<>", Cmp::Ne) ||
                         take("<", Cmp::Lt) || take(">", Cmp::Gt) || take("=", Cmp::Eq);
    double n = 0;
    const FormulaError error = errorFromText(s);
    if (parseNumber(s, n))
        m_value = Value::number(n);
    else if (compareTextNoCase(s, "TRUE") == 0)
        m_value = Value::boolean(true);
    else if (compareTextNoCase(s, "FALSE") == 0)
        m_value = Value::boolean(false);
    else if (error != FormulaError::None)
        m_value = Value::error(error);
    else if (!s.empty() || (m_cmp != Cmp::Eq && m_cmp != Cmp::Ne))
        m_value = Value::text(std::string(s)); // ">" alone compares texts with ""
    m_bare = !written && s.empty();
    m_pattern = m_value.isText() && (m_cmp == Cmp::Eq || m_cmp == Cmp::Ne) && hasWildcards(s);
}

// Equality as = and <> see it: a number also equals a text that reads as the
// same number (common spreadsheet programs count "12" typed as text with 12).
bool Criterion::matchesEqual(const Value& v) const {
    if (m_value.isEmpty()) // "", "=", "<>"
        return v.isEmpty() || (m_bare && v.isText() && v.asText().empty());
    if (m_value.isNumber()) {
        double n = 0;
        if (v.isText())
            return parseNumber(v.asText(), n) && numbersEqual(n, m_value.asNumber());
        return v.isNumber() && numbersEqual(v.asNumber(), m_value.asNumber());
    }
    if (v.type() != m_value.type())
        return false;
    switch (v.type()) {
    case ValueType::Text:
        return m_pattern ? wildcardMatch(m_value.asText(), v.asText())
                         : compareTextNoCase(v.asText(), m_value.asText()) == 0;
    case ValueType::Error:
        return v.asError() == m_value.asError();
    default: // truth values
        return v.asNumber() == m_value.asNumber();
    }
}

bool Criterion::matches(const Value& v) const {
    if (m_cmp == Cmp::Eq)
        return matchesEqual(v);
    if (m_cmp == Cmp::Ne)
        return !matchesEqual(v);
    // Ordering compares values of the criterion's kind only: texts with
    // texts (without wildcards), numbers with numbers, truths with truths.
    if (v.type() != m_value.type() || v.isError())
        return false;
    const int c = v.isText() ? compareTextNoCase(v.asText(), m_value.asText())
                             : compareNumbers(v.asNumber(), m_value.asNumber());
    switch (m_cmp) {
    case Cmp::Lt:
        return c < 0;
    case Cmp::Le:
        return c <= 0;
    case Cmp::Gt:
        return c > 0;
    default:
        return c >= 0;
    }
}

} // namespace vtx::sheet
