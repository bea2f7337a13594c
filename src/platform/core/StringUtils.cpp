#include "platform/core/StringUtils.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <unordered_set>

namespace {

std::mt19937_64& randomEngine() {
    static std::mt19937_64 engine = [] {
        std::random_device device;
        std::seed_seq seed{device(), device(), device(), device()};
        return std::mt19937_64(seed);
    }();
    return engine;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Adds one to a text of decimal digits ("099" -> "100", "99" -> "100").
std::string incrementDigits(std::string digits) {
    for (std::size_t i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return digits;
        }
        digits[i] = '0';
    }
    return "1" + digits;
}

// The order of ObjectExportSort for texts: numbers first (by value) when
// numeric, then bytes with case folded, then bytes as they are so that the
// order is total.
bool textLess(const Vtx_String& a, const Vtx_String& b, bool numeric) {
    if (numeric) {
        double da = 0;
        double db = 0;
        bool na = a.toDouble(da);
        bool nb = b.toDouble(db);
        if (na != nb)
            return na;
        if (na && da != db)
            return da < db;
    }
    int folded = a.compare(b, false);
    if (folded != 0)
        return folded < 0;
    return a.compare(b, true) < 0;
}

bool numberLess(double a, double b) {
    if (std::isnan(a))
        return false;
    if (std::isnan(b))
        return true;
    return a < b;
}

// n multiples of step as the decimal number it stands for: with step 0.1,
// 3 steps give 0.3 (3 / 10) rather than 0.30000000000000004 (3 * 0.1).
double multipleOf(double n, double step) {
    if (n == 0)
        return 0;
    double inverse = 1.0 / step;
    double wholeInverse = std::round(inverse);
    if (wholeInverse >= 1 && std::fabs(inverse - wholeInverse) <= kRoundTolerance * wholeInverse)
        return n / wholeInverse;
    return n * step;
}

bool roundingApplies(double value, double step) {
    return std::isfinite(value) && std::isfinite(step) && step > 0;
}

} // namespace

void strToArr(const Vtx_String& text, char symbol, Vtx_StringArray& arr) {
    arr.removeAll();
    if (text.isEmpty())
        return;
    splitStringAtSymbol(text, symbol, arr, false);
}

Vtx_String arrToStr(const Vtx_StringArray& arr, char symbol) {
    Vtx_String out;
    for (int i = 0; i < arr.length(); ++i) {
        if (i > 0)
            out.append(symbol);
        out.append(arr[i]);
    }
    return out;
}

void splitStringAtSymbol(const Vtx_String& text, char symbol, Vtx_StringArray& parts,
                         bool skipEmpty) {
    parts.removeAll();
    const std::string& s = text.str();
    std::size_t start = 0;
    while (true) {
        std::size_t hit = s.find(symbol, start);
        std::size_t end = hit == std::string::npos ? s.size() : hit;
        if (!skipEmpty || end > start)
            parts.append(Vtx_String(s.substr(start, end - start)));
        if (hit == std::string::npos)
            break;
        start = hit + 1;
    }
}

Vtx_String getSubstrBefore(const Vtx_String& text, char symbol) {
    int pos = text.find(symbol);
    return pos < 0 ? text : text.left(pos);
}

Vtx_String getSubstrAfter(const Vtx_String& text, char symbol) {
    int pos = text.find(symbol);
    return pos < 0 ? Vtx_String() : text.mid(pos + 1);
}

Vtx_String stripSymbols(const Vtx_String& text, const Vtx_String& symbols, bool everywhere) {
    const std::string& s = text.str();
    const std::string& set = symbols.str();
    auto inSet = [&set](char c) { return set.find(c) != std::string::npos; };
    if (everywhere) {
        std::string out;
        out.reserve(s.size());
        for (char c : s)
            if (!inSet(c))
                out += c;
        return Vtx_String(std::move(out));
    }
    std::size_t begin = 0;
    std::size_t end = s.size();
    while (begin < end && inSet(s[begin]))
        ++begin;
    while (end > begin && inSet(s[end - 1]))
        --end;
    return Vtx_String(s.substr(begin, end - begin));
}

bool isNumber(const Vtx_String& text) {
    double ignored = 0;
    return text.toDouble(ignored);
}

bool hasInvalidFileNameChars(const Vtx_String& text) {
    for (char c : text.str()) {
        if (static_cast<unsigned char>(c) < 0x20)
            return true;
        if (std::strchr("\\/:*?\"<>|", c) != nullptr)
            return true;
    }
    return false;
}

Vtx_String generateRandomString(int length) {
    static constexpr char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    if (length <= 0)
        return {};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kAlphabet - 2);
    std::string out(static_cast<std::size_t>(length), ' ');
    for (char& c : out)
        c = kAlphabet[pick(randomEngine())];
    return Vtx_String(std::move(out));
}

Vtx_String findNonExistingString(const Vtx_String& base, const Vtx_StringArray& existing) {
    std::unordered_set<std::string> taken;
    for (const Vtx_String& item : existing)
        taken.insert(item.lower().str());
    auto isFree = [&taken](const Vtx_String& candidate) {
        return taken.find(candidate.lower().str()) == taken.end();
    };
    if (isFree(base))
        return base;

    const std::string& s = base.str();
    std::size_t digitsStart = s.size();
    while (digitsStart > 0 && isDigit(s[digitsStart - 1]))
        --digitsStart;
    // Every try gives a different text, so at most existing.length() + 1
    // tries are needed.
    if (digitsStart < s.size()) {
        std::string prefix = s.substr(0, digitsStart);
        std::string digits = s.substr(digitsStart);
        while (true) {
            digits = incrementDigits(digits);
            Vtx_String candidate(prefix + digits);
            if (isFree(candidate))
                return candidate;
        }
    }
    for (long long n = 1;; ++n) {
        Vtx_String candidate = base + Vtx_String::fromInt(n);
        if (isFree(candidate))
            return candidate;
    }
}

int findFirstNumbers(const Vtx_String& text) {
    const std::string& s = text.str();
    auto it = std::find_if(s.begin(), s.end(), isDigit);
    return it == s.end() ? -1 : static_cast<int>(it - s.begin());
}

Vtx_String getAlfabet(int index) {
    if (index < 0)
        return {};
    std::string out;
    long long n = static_cast<long long>(index) + 1;
    while (n > 0) {
        --n;
        out.insert(out.begin(), static_cast<char>('A' + n % 26));
        n /= 26;
    }
    return Vtx_String(std::move(out));
}

double ObjectExportRoundTo(double value, double step) {
    if (!roundingApplies(value, step))
        return value;
    double q = std::fabs(value) / step;
    double n = std::floor(q + 0.5 + kRoundTolerance * std::max(1.0, q));
    double result = multipleOf(n, step);
    return value < 0 && result != 0 ? -result : result;
}

double ObjectExportRoundUp(double value, double step) {
    if (!roundingApplies(value, step))
        return value;
    double q = value / step;
    double n = std::ceil(q - kRoundTolerance * std::max(1.0, std::fabs(q)));
    return n == 0 ? 0.0 : multipleOf(n, step);
}

double ObjectExportRoundUp(double value, double step, double /*upTolerance*/) {
    return ObjectExportRoundUp(value, step);
}

void ObjectExportSort(Vtx_StringArray& texts, bool numeric) {
    std::stable_sort(
        texts.begin(), texts.end(),
        [numeric](const Vtx_String& a, const Vtx_String& b) { return textLess(a, b, numeric); });
}

void ObjectExportSort(Vtx_Array<double>& values) {
    std::stable_sort(values.begin(), values.end(), numberLess);
}

bool ObjectExportSort(Vtx_Array<double>& values, Vtx_Array<int>& positions) {
    if (values.length() != positions.length())
        return false;
    std::vector<std::pair<double, int>> pairs;
    pairs.reserve(values.items().size());
    for (int i = 0; i < values.length(); ++i)
        pairs.emplace_back(values[i], positions[i]);
    std::stable_sort(pairs.begin(), pairs.end(),
                     [](const auto& a, const auto& b) { return numberLess(a.first, b.first); });
    for (int i = 0; i < values.length(); ++i) {
        values[i] = pairs[static_cast<std::size_t>(i)].first;
        positions[i] = pairs[static_cast<std::size_t>(i)].second;
    }
    return true;
}

int ObjectExportAddToSorted(Vtx_StringArray& texts, const Vtx_String& text, bool numeric) {
    auto it = std::upper_bound(
        texts.begin(), texts.end(), text,
        [numeric](const Vtx_String& a, const Vtx_String& b) { return textLess(a, b, numeric); });
    int index = static_cast<int>(it - texts.begin());
    texts.insertAt(index, text);
    return index;
}
