// Date and time codes of TEXT's format sections.
#include "platform/sheet/functions/DateSerial.h"
#include "platform/sheet/functions/FormatCode.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace vtx::sheet {

namespace {

using Kind = FormatTokenKind;

const char* const kMonthNames[] = {"January",   "February", "March",    "April",
                                   "May",       "June",     "July",     "August",
                                   "September", "October",  "November", "December"};
const char* const kDayNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};

void appendNumber(std::string& out, double n, int width) {
    std::string digits = std::to_string(static_cast<long long>(n));
    if (static_cast<int>(digits.size()) < width)
        out.append(static_cast<std::size_t>(width) - digits.size(), '0');
    out += digits;
}

bool isTimeCode(const FormatToken& t) {
    return t.kind == Kind::DatePart || t.kind == Kind::Elapsed;
}

// An "m" or "mm" means minutes right after an hour code or right before a
// seconds code (literals between do not count); otherwise the month.
bool meansMinutes(const std::vector<FormatToken>& tokens, std::size_t at) {
    if (tokens[at].count > 2)
        return false;
    for (std::size_t k = at; k-- > 0;) {
        if (isTimeCode(tokens[k])) {
            if (tokens[k].ch == 'h')
                return true;
            break;
        }
    }
    for (std::size_t k = at + 1; k < tokens.size(); ++k)
        if (isTimeCode(tokens[k]))
            return tokens[k].ch == 's';
    return false;
}

// Digits after "s." show fractions of a second (up to three count).
int fractionDigitsAfter(const std::vector<FormatToken>& tokens, std::size_t at) {
    if (at + 1 >= tokens.size() || tokens[at + 1].kind != Kind::Point)
        return 0;
    int n = 0;
    for (std::size_t k = at + 2; k < tokens.size() && tokens[k].kind == Kind::Digit; ++k)
        ++n;
    return n;
}

} // namespace

bool formatDateSection(const FormatSection& section, double serial, std::string& out) {
    const auto& tokens = section.tokens;
    if (!isDateSerial(serial))
        return false;
    int secondDecimals = 0;
    bool twelveHours = false;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (isTimeCode(tokens[i]) && tokens[i].ch == 's')
            secondDecimals = std::max(secondDecimals, std::min(fractionDigitsAfter(tokens, i), 3));
        twelveHours = twelveHours || tokens[i].kind == Kind::AmPm;
    }
    SerialTime time = splitSerial(serial, secondDecimals);
    int year = 0, month = 0, day = 0;
    if (!serialToDate(time.days, year, month, day))
        return false;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const FormatToken& t = tokens[i];
        if (t.kind == Kind::AmPm) {
            std::size_t slash = t.text.find('/');
            out += time.hour < 12 ? t.text.substr(0, slash) : t.text.substr(slash + 1);
            continue;
        }
        if (!isTimeCode(t)) {
            out += t.text;
            continue;
        }
        if (t.kind == Kind::Elapsed) {
            double unit = t.ch == 'h' ? 3600 : (t.ch == 'm' ? 60 : 1);
            appendNumber(out, std::floor(time.seconds / unit), t.count);
        } else if (t.ch == 'y') {
            appendNumber(out, t.count <= 2 ? year % 100 : year, t.count <= 2 ? 2 : 4);
        } else if (t.ch == 'm' && meansMinutes(tokens, i)) {
            appendNumber(out, time.minute, std::min(t.count, 2));
        } else if (t.ch == 'm') {
            const char* name = kMonthNames[month - 1];
            if (t.count <= 2)
                appendNumber(out, month, t.count);
            else
                out.append(name, t.count == 3 ? 3 : (t.count == 5 ? 1 : std::strlen(name)));
        } else if (t.ch == 'd') {
            const char* name = kDayNames[weekdayOfSerial(time.days)];
            if (t.count <= 2)
                appendNumber(out, day, t.count);
            else
                out.append(name, t.count == 3 ? 3 : std::strlen(name));
        } else if (t.ch == 'h') {
            int hour = twelveHours ? (time.hour % 12 == 0 ? 12 : time.hour % 12) : time.hour;
            appendNumber(out, hour, std::min(t.count, 2));
        } else {
            appendNumber(out, time.second, std::min(t.count, 2));
        }
        int shown = t.ch == 's' ? fractionDigitsAfter(tokens, i) : 0;
        if (shown > 0) {
            std::string digits = std::to_string(time.subsecond);
            digits.insert(0, static_cast<std::size_t>(secondDecimals) - digits.size(), '0');
            digits.resize(static_cast<std::size_t>(shown), '0');
            out += '.';
            out += digits;
            i += 1 + static_cast<std::size_t>(shown);
        }
    }
    return true;
}

} // namespace vtx::sheet
