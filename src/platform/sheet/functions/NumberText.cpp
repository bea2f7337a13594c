#include "platform/sheet/functions/NumberText.h"

#include "platform/core/VtxString.h"
#include "platform/sheet/Value.h"
#include "platform/sheet/functions/DateSerial.h"

#include <charconv>
#include <cstdint>
#include <string>

namespace vtx::sheet {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

struct Cursor {
    std::string_view s;
    std::size_t i = 0;

    bool done() const { return i == s.size(); }
    char peek() const { return i < s.size() ? s[i] : '\0'; }
    bool take(char c) {
        if (done() || s[i] != c)
            return false;
        ++i;
        return true;
    }
    void skipBlanks() {
        while (!done() && isBlank(s[i]))
            ++i;
    }
    /// Reads up to maxDigits digits; the count read (0: none).
    int digits(std::int64_t& value, int maxDigits) {
        int n = 0;
        value = 0;
        while (n < maxDigits && !done() && isDigit(s[i])) {
            value = value * 10 + (s[i++] - '0');
            ++n;
        }
        return n;
    }
};

bool takeCurrency(Cursor& c) {
    return c.take('$') || c.take('\x80') || c.take('\xA3');
}

// [(] [sign] [currency] [sign] digits with thousands [.digits] [e[sign]digits] [%] [)]
bool readDecoratedNumber(std::string_view text, double& out) {
    Cursor c{text};
    bool paren = c.take('(');
    bool negative = false;
    auto takeSign = [&] {
        if (c.take('-')) {
            negative = true;
            return true;
        }
        return c.take('+');
    };
    bool hasSign = !paren && takeSign();
    if (takeCurrency(c) && !hasSign && !paren)
        takeSign();
    std::string clean;
    int group = 0;
    int intDigits = 0;
    bool grouped = false;
    while (!c.done()) {
        char ch = c.peek();
        if (isDigit(ch)) {
            clean += ch;
            ++group;
            ++intDigits;
        } else if (ch == ',') {
            // The first group holds 1 to 3 digits, every later one exactly 3.
            if (group == 0 || group > 3 || (grouped && group != 3))
                return false;
            grouped = true;
            group = 0;
        } else {
            break;
        }
        ++c.i;
    }
    if (grouped && group != 3)
        return false;
    int fracDigits = 0;
    if (c.take('.')) {
        clean += '.';
        for (; isDigit(c.peek()); ++c.i, ++fracDigits)
            clean += c.s[c.i];
    }
    if (intDigits + fracDigits == 0)
        return false;
    if (c.peek() == 'e' || c.peek() == 'E') {
        ++c.i;
        clean += 'e';
        if (c.peek() == '+' || c.peek() == '-')
            clean += c.s[c.i++];
        if (!isDigit(c.peek()))
            return false;
        for (; isDigit(c.peek()); ++c.i)
            clean += c.s[c.i];
    }
    bool percent = c.take('%');
    if ((paren && !c.take(')')) || !c.done())
        return false;
    double value = 0;
    auto result = std::from_chars(clean.data(), clean.data() + clean.size(), value);
    if (result.ec != std::errc() || result.ptr != clean.data() + clean.size())
        return false;
    if (percent)
        value /= 100;
    out = (negative || paren) ? -value : value;
    return true;
}

// H:MM[:SS[.f]] or M:SS.f, then an optional AM/PM (A/P); the fraction of a
// day. Without AM/PM hours may pass 23 ("25:00" is a duration).
bool readTime(Cursor& c, double& out) {
    std::int64_t first = 0;
    std::int64_t second = 0;
    if (c.digits(first, 9) == 0 || !c.take(':') || c.digits(second, 2) == 0)
        return false;
    double hours = static_cast<double>(first);
    double minutes = static_cast<double>(second);
    double seconds = 0;
    bool secondsGiven = false;
    bool minutesFirst = false;
    if (c.take(':')) {
        std::int64_t s = 0;
        if (c.digits(s, 2) == 0)
            return false;
        seconds = static_cast<double>(s);
        secondsGiven = true;
    } else if (c.peek() == '.') {
        // "1:30.5": minutes and seconds with a fraction.
        hours = 0;
        minutes = static_cast<double>(first);
        seconds = static_cast<double>(second);
        secondsGiven = true;
        minutesFirst = true;
    }
    if (secondsGiven && c.take('.')) {
        double scale = 0.1;
        for (; isDigit(c.peek()); ++c.i, scale /= 10)
            seconds += (c.s[c.i] - '0') * scale;
    }
    if (minutes >= 60 || seconds >= 60)
        return false;
    std::size_t beforeBlanks = c.i;
    c.skipBlanks();
    char letter = vtxToUpper(c.peek());
    if (letter == 'A' || letter == 'P') {
        ++c.i;
        if (vtxToUpper(c.peek()) == 'M')
            ++c.i;
        if (minutesFirst || hours > 12 || (!c.done() && !isBlank(c.peek())))
            return false;
        hours = (hours == 12 ? 0 : hours) + (letter == 'P' ? 12 : 0);
    } else {
        c.i = beforeBlanks;
    }
    out = timeToSerial(hours, minutes, seconds);
    return true;
}

// YYYY-MM-DD or YYYY/MM/DD, then optionally a blank or "T" and a time.
bool readIsoDate(Cursor& c, double& out) {
    std::int64_t y = 0;
    std::int64_t m = 0;
    std::int64_t d = 0;
    if (c.digits(y, 4) != 4)
        return false;
    char sep = c.peek();
    if ((sep != '-' && sep != '/') || !c.take(sep) || c.digits(m, 2) == 0 || !c.take(sep) ||
        c.digits(d, 2) == 0)
        return false;
    if (y < 1900 || m < 1 || m > 12 || d < 1 ||
        d > daysInMonth(static_cast<int>(y), static_cast<int>(m)))
        return false;
    double serial = dateToSerial(static_cast<int>(y), static_cast<int>(m), static_cast<int>(d));
    if (!c.done()) {
        if (!c.take('T') && !isBlank(c.peek()))
            return false;
        c.skipBlanks();
        double time = 0;
        if (!readTime(c, time) || time >= 1)
            return false;
        serial += time;
    }
    out = serial;
    return true;
}

} // namespace

bool textToNumber(std::string_view text, double& out) {
    if (parseNumber(text, out))
        return true;
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    std::string_view s = text.substr(begin, end - begin);
    if (s.empty())
        return false;
    if (readDecoratedNumber(s, out))
        return true;
    double value = 0;
    Cursor time{s};
    if (readTime(time, value) && time.done()) {
        out = value;
        return true;
    }
    Cursor date{s};
    if (readIsoDate(date, value) && date.done()) {
        out = value;
        return true;
    }
    return false;
}

} // namespace vtx::sheet
