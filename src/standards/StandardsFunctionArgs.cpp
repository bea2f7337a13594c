// Argument coercion and results of the standards spreadsheet functions.

#include "standards/StandardsFunctionArgs.h"

#include <charconv>
#include <cmath>
#include <string_view>

using vtx::sheet::kValueDouble;
using vtx::sheet::kValueInt;
using vtx::sheet::kValueNone;
using vtx::sheet::kValueOk;
using vtx::sheet::kValueText;

StandardsArgument StandardsArgument::none() {
    return StandardsArgument{};
}

StandardsArgument StandardsArgument::ofNumber(double value) {
    StandardsArgument argument;
    argument.status = kValueOk;
    argument.type = kValueDouble;
    argument.number = value;
    return argument;
}

StandardsArgument StandardsArgument::ofText(const Vtx_String& value) {
    StandardsArgument argument;
    argument.status = kValueOk;
    argument.type = kValueText;
    argument.text = value;
    return argument;
}

bool StandardsArgument::isNumber() const {
    return status == kValueOk && (type == kValueInt || type == kValueDouble);
}

bool StandardsArgument::isText() const {
    return status == kValueOk && type == kValueText;
}

bool StandardsCall::number(int index, double& value) const {
    if (index < 0 || index >= count() || !at(index).isNumber())
        return false;
    value = at(index).number;
    return true;
}

bool StandardsCall::text(int index, Vtx_String& value) const {
    if (index < 0 || index >= count() || !at(index).isText())
        return false;
    value = withoutQuotes(at(index).text);
    return true;
}

bool StandardsCall::isNone(int index) const {
    return index >= 0 && index < count() && at(index).isNone();
}

void StandardsCall::setNumber(double value) {
    m_kind = StandardsResultKind::Number;
    m_number = value;
    m_text.clear();
}

void StandardsCall::setText(const Vtx_String& value) {
    m_kind = value.isEmpty() ? StandardsResultKind::None : StandardsResultKind::Text;
    m_number = 0;
    m_text = value;
}

Vtx_String withoutQuotes(const Vtx_String& text) {
    const std::string_view view = text.view();
    std::size_t begin = 0;
    std::size_t end = view.size();
    if (end > 0 && view[0] == '"')
        begin = 1;
    if (end > begin && view[end - 1] == '"')
        --end;
    return Vtx_String(view.substr(begin, end - begin));
}

double decimalReading(const Vtx_String& text) {
    std::string_view view = text.view();
    std::size_t at = 0;
    while (at < view.size() && (view[at] == ' ' || (view[at] >= '\t' && view[at] <= '\r')))
        ++at;
    bool negative = false;
    if (at < view.size() && (view[at] == '+' || view[at] == '-')) {
        negative = view[at] == '-';
        ++at;
    }
    // from_chars reads in the C locale whatever the process locale is, and
    // takes no sign of its own here so that "+-5" is not a number.
    if (at >= view.size() || view[at] == '-' || view[at] == '+')
        return 0;
    double value = 0;
    const char* first = view.data() + at;
    const auto [end, error] = std::from_chars(first, view.data() + view.size(), value);
    if (error != std::errc() || end == first || !std::isfinite(value))
        return 0;
    return negative ? -value : value;
}
