// The control's own file: a versioned, line-based text file, one record per
// line, written row by row so that a change to a cell is a one-line diff.
// The layout is documented in docs/sheet-file-format.md.
#include "platform/sheet/SheetImpl.h"

#include "platform/core/Files.h"
#include "platform/core/TextEscapes.h"
#include "platform/core/VtxString.h"
#include "platform/sheet/formula/Parser.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <unordered_set>

namespace vtx::sheet {

namespace {

constexpr std::string_view kMagic = "VTXSHEET";
// Version 2 added the second colour pair of the appearance record. A file is
// written with the lowest version that holds its content, so that grids
// without the new settings stay readable by version-1 readers.
constexpr int kVersion = 2;
constexpr std::size_t kMaxLine = kMaxSheetLine;
constexpr std::size_t kMaxFile = kMaxSheetFile;
// load() reads through the core library, which refuses larger files first;
// both limits must be the one documented.
static_assert(kMaxSheetFile == static_cast<std::size_t>(kMaxFileSize));

// A text in double quotes, escaped as the file's reader expects.
void appendQuoted(std::string& out, std::string_view text) {
    out += '"';
    appendEscaped(out, text, kEscapeReturn | kEscapeQuote | kEscapeHex | kEscapeUtf8);
    out += '"';
}

std::string number(double n) {
    return formatShortest(n);
}

void appendInt(std::string& out, long long n) {
    char buffer[24];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, n);
    out.append(buffer, result.ptr);
}

void appendNumber(std::string& out, double n) {
    char buffer[40];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, n);
    out.append(buffer, result.ptr);
}

// Colours and style bits: eight hex digits.
std::string hex8(std::uint32_t c) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%08X", c);
    return buffer;
}

void appendValue(std::string& out, const Value& v) {
    switch (v.type()) {
    case ValueType::Empty:
        break;
    case ValueType::Number:
        out += " n=";
        appendNumber(out, v.asNumber());
        break;
    case ValueType::Boolean:
        out += v.asBoolean() ? " b=1" : " b=0";
        break;
    case ValueType::Text:
        out += " t=";
        appendQuoted(out, v.asText());
        break;
    case ValueType::Error:
        out += " e=";
        out += errorText(v.asError());
        break;
    }
}

std::string styleLine(std::uint32_t id, const CellStyle& s) {
    CellStyle d;
    std::string out = "style " + std::to_string(id);
    const CellType& t = s.type;
    if (t.kind != d.type.kind)
        out += " kind=" + std::to_string(static_cast<int>(t.kind));
    if (t.maxLength != d.type.maxLength)
        out += " maxlen=" + std::to_string(t.maxLength);
    if (t.decimals != d.type.decimals)
        out += " decimals=" + std::to_string(t.decimals);
    if (t.minimum != d.type.minimum)
        out += " min=" + number(t.minimum);
    if (t.maximum != d.type.maximum)
        out += " max=" + number(t.maximum);
    if (t.numberStyle != d.type.numberStyle)
        out += " numstyle=" + std::to_string(static_cast<int>(t.numberStyle));
    if (t.spin)
        out += " spin=1";
    if (t.pictureStyle != d.type.pictureStyle)
        out += " picstyle=" + std::to_string(static_cast<int>(t.pictureStyle));
    if (t.controlStyle != d.type.controlStyle)
        out += " cstyle=" + hex8(t.controlStyle);
    auto text = [&](const char* key, const std::string& v) {
        if (v.empty())
            return;
        out += ' ';
        out += key;
        out += '=';
        appendQuoted(out, v);
    };
    text("text", t.text);
    text("off", t.pictureOff);
    text("on", t.pictureOn);
    text("font", s.font.name);
    if (s.font.height)
        out += " size=" + std::to_string(s.font.height);
    if (s.font.bold)
        out += " bold=1";
    if (s.font.italic)
        out += " italic=1";
    if (s.font.underline)
        out += " underline=1";
    if (s.backColor != kDefaultColor)
        out += " back=" + hex8(s.backColor);
    if (s.foreColor != kDefaultColor)
        out += " fore=" + hex8(s.foreColor);
    static const char* sides[4] = {"left", "top", "right", "bottom"};
    for (int i = 0; i < 4; ++i)
        if (!(s.borders[i] == BorderSide()))
            out += std::string(" ") + sides[i] + "=" + std::to_string(s.borders[i].style) + ":" +
                   hex8(s.borders[i].color);
    if (s.locked)
        out += " locked=1";
    return out;
}

} // namespace

std::string SheetModel::saveToText() const {
    const SheetImpl& s = *m_impl;
    std::string out;
    const SheetAppearance defaults;
    const bool secondPair = s.m_appearance.secondColor != defaults.secondColor ||
                            s.m_appearance.secondColorAlt != defaults.secondColorAlt;
    out += std::string(kMagic) + " " + std::to_string(secondPair ? 2 : 1) + "\n";
    out += "size " + std::to_string(s.m_maxCols) + " " + std::to_string(s.m_maxRows) + "\n";
    out += "refstyle " + std::to_string(static_cast<int>(s.m_refStyle)) + "\n";
    out += "options";
    for (int i = 0; i < 64; ++i) {
        if ((s.m_options >> i) & 1u) {
            out += ' ';
            out += std::to_string(i);
        }
    }
    out += "\n";
    {
        const SheetAppearance& a = s.m_appearance;
        const SheetAppearance d;
        std::string line = "appearance";
        auto put = [&](const char* key, long long v, long long dv) {
            if (v == dv)
                return;
            line += ' ';
            line += key;
            line += '=';
            line += std::to_string(v);
        };
        auto color = [&](const char* key, std::uint32_t v) {
            if (v == kDefaultColor)
                return;
            line += ' ';
            line += key;
            line += '=';
            line += hex8(v);
        };
        put("style", a.appearance, d.appearance);
        put("backstyle", a.backColorStyle, d.backColorStyle);
        put("notes", a.cellNoteIndicator, d.cellNoteIndicator);
        put("tipmode", a.textTipMode, d.textTipMode);
        put("tipdelay", a.textTipDelay, d.textTipDelay);
        put("vscroll", a.scrollBarWidth, d.scrollBarWidth);
        put("hscroll", a.scrollBarHeight, d.scrollBarHeight);
        color("selback", a.selectionBack);
        color("selfore", a.selectionFore);
        color("grid", a.gridColor);
        color("grid2", a.gridColorAlt);
        color("second", a.secondColor);
        color("second2", a.secondColorAlt);
        put("gridA", a.gridStyleA, d.gridStyleA);
        put("gridB", a.gridStyleB, d.gridStyleB);
        put("setting", a.styleSetting, d.styleSetting);
        for (int i = 0; i < 3; ++i) {
            const auto& k = a.actionKeys[i];
            if (k == SheetAppearance::ActionKey())
                continue;
            line += " key";
            line += std::to_string(i);
            line += '=';
            line += std::to_string(k.shift) + ":" + std::to_string(k.control) + ":" +
                    std::to_string(k.key);
        }
        if (line.size() > 10)
            out += line + "\n";
    }
    // The cursor, sizes and spans are written only where they lie within the
    // counts, as the reader requires.
    if (s.m_active.col > 0 && s.inRange(s.m_active.col, s.m_active.row))
        out += "active " + std::to_string(s.m_active.col) + " " + std::to_string(s.m_active.row) +
               "\n";
    if (s.m_hasSelection && s.inRange(s.m_selection.col1, s.m_selection.row1))
        out += "selection " + std::to_string(s.m_selection.col0) + " " +
               std::to_string(s.m_selection.row0) + " " + std::to_string(s.m_selection.col1) + " " +
               std::to_string(s.m_selection.row1) + "\n";
    for (auto [col, w] : s.m_colWidths)
        if (col <= s.m_maxCols)
            out += "width " + std::to_string(col) + " " + number(w) + "\n";
    for (auto [row, h] : s.m_rowHeights) {
        if (row > s.m_maxRows)
            continue;
        out += "height ";
        appendInt(out, row);
        out += ' ';
        appendNumber(out, h);
        out += '\n';
    }
    const std::vector<PlacedCell> cells = s.cellsByRow({0, 0, s.m_maxCols, s.m_maxRows});
    out.reserve(out.size() + cells.size() * 24);
    // Only the styles in use, renumbered from 1 in order of first use.
    std::vector<std::uint32_t> newId(s.m_styles.size(), 0);
    std::uint32_t next = 1;
    for (const PlacedCell& placed : cells) {
        const Cell* c = placed.cell;
        if (c->style && !newId[c->style]) {
            newId[c->style] = next++;
            out += styleLine(newId[c->style], s.m_styles[c->style]) + "\n";
        }
    }
    for (const CellSpan& sp : s.m_spans.all())
        if (s.inRange(sp.col + sp.cols - 1, sp.row + sp.rows - 1))
            out += "span " + std::to_string(sp.col) + " " + std::to_string(sp.row) + " " +
                   std::to_string(sp.cols) + " " + std::to_string(sp.rows) + "\n";
    for (const PlacedCell& placed : cells) {
        const Cell* c = placed.cell;
        const int col = placed.col;
        const int row = placed.row;
        bool hasText = c->extra && (!c->extra->tag.empty() || !c->extra->enteredText.empty());
        if (!c->formula && c->value.isEmpty() && !c->style && !hasText)
            continue;
        out += "cell ";
        appendInt(out, col);
        out += ' ';
        appendInt(out, row);
        if (c->style) {
            out += " s=";
            appendInt(out, newId[c->style]);
        }
        if (c->formula) {
            out += " f=";
            appendQuoted(out, c->formula->render({col, row}, false));
        }
        appendValue(out, c->value);
        if (c->extra && !c->extra->enteredText.empty()) {
            out += " x=";
            appendQuoted(out, c->extra->enteredText);
        }
        if (c->extra && !c->extra->tag.empty()) {
            out += " g=";
            appendQuoted(out, c->extra->tag);
        }
        out += '\n';
    }
    out += "end\n";
    return out;
}

bool SheetModel::save(const std::string& path, std::string* reason) const {
    ErrorStatus status = writeFileAtomically(Vtx_String(path), saveToText());
    if (status != eOk) {
        if (reason)
            *reason = path + ": cannot be written (" + errorStatusWords(status) + ")";
        return false;
    }
    return true;
}

bool SheetModel::load(const std::string& path, std::string* reason) {
    std::string bytes;
    Vtx_String why;
    ErrorStatus status = readFileBytes(Vtx_String(path), bytes, &why);
    if (status != eOk) {
        if (reason)
            *reason = why.isEmpty() ? path + ": cannot be read" : why.str();
        return false;
    }
    return loadFromText(bytes, path, reason);
}

// ---- reading ----

namespace {

class LineReader {
public:
    LineReader(std::string_view line, std::string& error) : m_line(line), m_error(error) {}

    bool atEnd() {
        skipBlanks();
        return m_pos >= m_line.size();
    }
    bool word(std::string& out) {
        skipBlanks();
        std::size_t start = m_pos;
        while (m_pos < m_line.size() && m_line[m_pos] != ' ' && m_line[m_pos] != '=')
            ++m_pos;
        out = std::string(m_line.substr(start, m_pos - start));
        return !out.empty() || fail("a word expected");
    }
    bool integer(int& out, int lo, int hi) {
        std::string w;
        if (!word(w))
            return false;
        auto r = std::from_chars(w.data(), w.data() + w.size(), out);
        if (r.ec != std::errc() || r.ptr != w.data() + w.size())
            return fail("\"" + w + "\" is not a whole number");
        if (out < lo || out > hi)
            return fail(w + " is out of range");
        return true;
    }
    bool real(double& out) {
        std::string w;
        if (!word(w))
            return false;
        if (!parseNumber(w, out))
            return fail("\"" + w + "\" is not a number");
        return true;
    }
    /// key=value pairs: the key, then the value (unquoted for a quoted text).
    bool pair(std::string& key, std::string& value, bool& quoted) {
        if (!word(key))
            return false;
        if (m_pos >= m_line.size() || m_line[m_pos] != '=')
            return fail("\"=\" expected after " + key);
        ++m_pos;
        quoted = m_pos < m_line.size() && m_line[m_pos] == '"';
        if (quoted)
            return text(value);
        std::size_t start = m_pos;
        while (m_pos < m_line.size() && m_line[m_pos] != ' ')
            ++m_pos;
        value = std::string(m_line.substr(start, m_pos - start));
        return true;
    }
    bool text(std::string& out) {
        out.clear();
        ++m_pos; // opening quote
        while (true) {
            if (m_pos >= m_line.size())
                return fail("text without its closing quote");
            char c = m_line[m_pos++];
            if (c == '"')
                return true;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (m_pos >= m_line.size())
                return fail("escape at the end of the line");
            const char e = m_line[m_pos];
            const std::size_t used =
                decodeEscape(m_line, m_pos, kEscapeReturn | kEscapeQuote | kEscapeHex, out);
            if (used == 0)
                return fail(e == 'x' ? std::string("bad \\x escape")
                                     : std::string("unknown escape \\") + e);
            m_pos += used;
        }
    }
    bool fail(const std::string& why) {
        if (m_error.empty())
            m_error = why;
        return false;
    }

private:
    void skipBlanks() {
        while (m_pos < m_line.size() && m_line[m_pos] == ' ')
            ++m_pos;
    }
    std::string_view m_line;
    std::size_t m_pos = 0;
    std::string& m_error;
};

bool parseHex(const std::string& text, std::uint32_t& out) {
    if (text.empty() || text.size() > 8)
        return false;
    auto r = std::from_chars(text.data(), text.data() + text.size(), out, 16);
    return r.ec == std::errc() && r.ptr == text.data() + text.size();
}

bool parseInt(const std::string& text, int& out, int lo, int hi) {
    auto r = std::from_chars(text.data(), text.data() + text.size(), out);
    return r.ec == std::errc() && r.ptr == text.data() + text.size() && out >= lo && out <= hi;
}

} // namespace

bool SheetModel::loadFromText(std::string_view content, const std::string& name,
                              std::string* reason) {
    if (m_impl->m_recalcDepth > 0) {
        if (reason)
            *reason = name + ": the grid is being recalculated";
        return false;
    }
    if (content.size() > kMaxFile) {
        if (reason)
            *reason = name + ": file larger than " + std::to_string(kMaxFile) + " bytes";
        return false;
    }
    SheetModel fresh;
    SheetImpl& s = *fresh.m_impl;
    s.m_options &= ~(std::uint64_t{1} << kOptionAutoCalc); // no recalculation while loading
    std::uint64_t options = SheetImpl::defaultOptions();
    std::unordered_map<int, std::uint32_t> styles;
    std::unordered_set<std::uint64_t> seen;
    std::string error;
    int lineNo = 0;
    bool ended = false;
    bool sized = false;
    std::size_t pos = 0;
    auto failAt = [&](const std::string& why) {
        if (reason)
            *reason = name + ":" + std::to_string(lineNo) + ": " + why;
        return false;
    };
    while (pos < content.size()) {
        std::size_t nl = content.find('\n', pos);
        std::size_t end = nl == std::string_view::npos ? content.size() : nl;
        std::string_view raw = content.substr(pos, end - pos);
        pos = end + 1;
        ++lineNo;
        if (!raw.empty() && raw.back() == '\r')
            raw.remove_suffix(1);
        if (raw.size() > kMaxLine)
            return failAt("line longer than " + std::to_string(kMaxLine) + " bytes");
        std::string line;
        if (!fromUtf8(raw, line))
            return failAt("not valid UTF-8 text of 8-bit characters");
        if (ended) {
            if (line.empty())
                continue;
            return failAt("text after the end line");
        }
        if (lineNo == 1) {
            LineReader r(line, error);
            std::string magic;
            int version = 0;
            if (!r.word(magic) || magic != kMagic)
                return failAt("not a sheet file (\"VTXSHEET\" expected)");
            if (!r.integer(version, 1, 1000000))
                return failAt(error);
            if (version > kVersion)
                return failAt("version " + std::to_string(version) + " is newer than this reader");
            continue;
        }
        if (line.empty() || line[0] == '#')
            continue;
        LineReader r(line, error);
        std::string keyword;
        if (!r.word(keyword))
            return failAt(error);
        if (keyword == "end") {
            ended = true;
            continue;
        }
        if (keyword == "size") {
            int cols = 0;
            int rows = 0;
            if (sized)
                return failAt("\"size\" given twice");
            if (!r.integer(cols, 0, kMaxCols) || !r.integer(rows, 0, kMaxRows))
                return failAt(error);
            s.m_maxCols = cols;
            s.m_maxRows = rows;
            sized = true;
        } else if (keyword == "refstyle") {
            int style = 0;
            if (!r.integer(style, 0, 2))
                return failAt(error);
            s.m_refStyle = static_cast<RefStyle>(style);
        } else if (keyword == "appearance") {
            SheetAppearance& a = s.m_appearance;
            while (!r.atEnd()) {
                std::string key;
                std::string value;
                bool quoted = false;
                if (!r.pair(key, value, quoted))
                    return failAt(error);
                int* number = key == "style"       ? &a.appearance
                              : key == "backstyle" ? &a.backColorStyle
                              : key == "notes"     ? &a.cellNoteIndicator
                              : key == "tipmode"   ? &a.textTipMode
                              : key == "tipdelay"  ? &a.textTipDelay
                              : key == "vscroll"   ? &a.scrollBarWidth
                              : key == "hscroll"   ? &a.scrollBarHeight
                              : key == "gridA"     ? &a.gridStyleA
                              : key == "gridB"     ? &a.gridStyleB
                              : key == "setting"   ? &a.styleSetting
                                                   : nullptr;
                std::uint32_t* color = key == "selback"   ? &a.selectionBack
                                       : key == "selfore" ? &a.selectionFore
                                       : key == "grid"    ? &a.gridColor
                                       : key == "grid2"   ? &a.gridColorAlt
                                       : key == "second"  ? &a.secondColor
                                       : key == "second2" ? &a.secondColorAlt
                                                          : nullptr;
                bool ok = false;
                if (number) {
                    ok = parseInt(value, *number, -1000000000, 1000000000);
                } else if (color) {
                    ok = parseHex(value, *color);
                } else if (key.size() == 4 && key.compare(0, 3, "key") == 0 && key[3] >= '0' &&
                           key[3] <= '2') {
                    auto& k = a.actionKeys[key[3] - '0'];
                    auto c1 = value.find(':');
                    auto c2 = c1 == std::string::npos ? c1 : value.find(':', c1 + 1);
                    int shift = 0;
                    int control = 0;
                    ok = c2 != std::string::npos && parseInt(value.substr(0, c1), shift, 0, 1) &&
                         parseInt(value.substr(c1 + 1, c2 - c1 - 1), control, 0, 1) &&
                         parseInt(value.substr(c2 + 1), k.key, 0, 65535);
                    k.shift = shift != 0;
                    k.control = control != 0;
                } else {
                    return failAt("unknown appearance field \"" + key + "\"");
                }
                if (!ok)
                    return failAt("bad value of appearance field \"" + key + "\"");
            }
        } else if (keyword == "options") {
            options = 0;
            while (!r.atEnd()) {
                int n = 0;
                if (!r.integer(n, 0, 63))
                    return failAt(error);
                options |= std::uint64_t{1} << n;
            }
        } else if (keyword == "active" || keyword == "width" || keyword == "height" ||
                   keyword == "selection" || keyword == "span") {
            if (!sized)
                return failAt("\"size\" must come first");
            if (keyword == "active") {
                int c = 0;
                int row = 0;
                if (!r.integer(c, 1, s.m_maxCols) || !r.integer(row, 1, s.m_maxRows))
                    return failAt(error);
                s.m_active = {c, row};
            } else if (keyword == "selection") {
                CellRange sel;
                if (!r.integer(sel.col0, 0, s.m_maxCols) || !r.integer(sel.row0, 0, s.m_maxRows) ||
                    !r.integer(sel.col1, sel.col0, s.m_maxCols) ||
                    !r.integer(sel.row1, sel.row0, s.m_maxRows))
                    return failAt(error);
                s.m_selection = sel;
                s.m_hasSelection = true;
            } else if (keyword == "span") {
                int c = 0;
                int row = 0;
                int cols = 0;
                int rows = 0;
                if (!r.integer(c, 0, s.m_maxCols) || !r.integer(row, 0, s.m_maxRows) ||
                    !r.integer(cols, 1, kMaxCols) || !r.integer(rows, 1, kMaxRows))
                    return failAt(error);
                if (!fresh.addSpan(c, row, cols, rows))
                    return failAt("span outside the grid or overlapping another");
            } else {
                int index = 0;
                double size = 0;
                bool cols = keyword == "width";
                if (!r.integer(index, 0, cols ? s.m_maxCols : s.m_maxRows) || !r.real(size))
                    return failAt(error);
                if (!(cols ? fresh.setColumnWidth(index, size) : fresh.setRowHeight(index, size)))
                    return failAt("size out of range");
            }
        } else if (keyword == "style") {
            int id = 0;
            if (!r.integer(id, 1, 1 << 30))
                return failAt(error);
            if (styles.count(id))
                return failAt("style " + std::to_string(id) + " defined twice");
            CellStyle st;
            while (!r.atEnd()) {
                std::string key;
                std::string value;
                bool quoted = false;
                if (!r.pair(key, value, quoted))
                    return failAt(error);
                int n = 0;
                double d = 0;
                bool ok = true;
                if (key == "kind") {
                    ok = parseInt(value, n, 0, 7);
                    st.type.kind = static_cast<CellKind>(n);
                } else if (key == "maxlen") {
                    ok = parseInt(value, st.type.maxLength, 0, kMaxEditLength);
                } else if (key == "decimals") {
                    ok = parseInt(value, st.type.decimals, 0, kMaxDecimals);
                } else if (key == "min" || key == "max") {
                    ok = parseNumber(value, d);
                    (key == "min" ? st.type.minimum : st.type.maximum) = d;
                } else if (key == "numstyle") {
                    ok = parseInt(value, n, 0, 2);
                    st.type.numberStyle = static_cast<NumberStyle>(n);
                } else if (key == "spin") {
                    ok = parseInt(value, n, 0, 1);
                    st.type.spin = n != 0;
                } else if (key == "picstyle") {
                    ok = parseInt(value, n, 0, 2);
                    st.type.pictureStyle = static_cast<PictureStyle>(n);
                } else if (key == "text" || key == "off" || key == "on" || key == "font") {
                    ok = quoted && value.size() <= kMaxStyleText;
                    std::string& target = key == "text"  ? st.type.text
                                          : key == "off" ? st.type.pictureOff
                                          : key == "on"  ? st.type.pictureOn
                                                         : st.font.name;
                    target = value;
                } else if (key == "size") {
                    ok = parseInt(value, st.font.height, 0, kMaxFontHeight);
                } else if (key == "bold" || key == "italic" || key == "underline" ||
                           key == "locked") {
                    ok = parseInt(value, n, 0, 1);
                    bool& target = key == "bold"        ? st.font.bold
                                   : key == "italic"    ? st.font.italic
                                   : key == "underline" ? st.font.underline
                                                        : st.locked;
                    target = n != 0;
                } else if (key == "cstyle") {
                    ok = parseHex(value, st.type.controlStyle);
                } else if (key == "back" || key == "fore") {
                    ok = parseHex(value, key == "back" ? st.backColor : st.foreColor);
                } else if (key == "left" || key == "top" || key == "right" || key == "bottom") {
                    int side = key == "left" ? 0 : key == "top" ? 1 : key == "right" ? 2 : 3;
                    auto colon = value.find(':');
                    ok = colon != std::string::npos &&
                         parseInt(value.substr(0, colon), n, 0, 255) &&
                         parseHex(value.substr(colon + 1), st.borders[side].color);
                    st.borders[side].style = static_cast<std::uint8_t>(n);
                } else {
                    return failAt("unknown style field \"" + key + "\"");
                }
                if (!ok)
                    return failAt("bad value of style field \"" + key + "\"");
            }
            styles[id] = s.internStyle(st);
        } else if (keyword == "cell") {
            if (!sized)
                return failAt("\"size\" must come first");
            int col = 0;
            int row = 0;
            if (!r.integer(col, 0, s.m_maxCols) || !r.integer(row, 0, s.m_maxRows))
                return failAt(error);
            if (!seen.insert(CellPos{col, row}.key()).second)
                return failAt("cell " + std::to_string(col) + " " + std::to_string(row) +
                              " given twice");
            std::uint32_t style = 0;
            std::string formula;
            bool hasFormula = false;
            Value value;
            std::string entered;
            std::string tag;
            while (!r.atEnd()) {
                std::string key;
                std::string text;
                bool quoted = false;
                if (!r.pair(key, text, quoted))
                    return failAt(error);
                double d = 0;
                if (key == "s") {
                    int id = 0;
                    if (!parseInt(text, id, 1, 1 << 30) || !styles.count(id))
                        return failAt("unknown style " + text);
                    style = styles[id];
                } else if (key == "f" && quoted) {
                    formula = text;
                    hasFormula = true;
                } else if (key == "n" && !quoted && parseNumber(text, d)) {
                    value = Value::number(d);
                } else if ((key == "t" || key == "x") && quoted && text.size() > kMaxTextLength) {
                    return failAt("text longer than " + std::to_string(kMaxTextLength) +
                                  " characters");
                } else if (key == "g" && quoted && text.size() > kMaxTagLength) {
                    return failAt("tag longer than " + std::to_string(kMaxTagLength) +
                                  " characters");
                } else if (key == "t" && quoted) {
                    value = Value::text(text);
                } else if (key == "b" && (text == "0" || text == "1")) {
                    value = Value::boolean(text == "1");
                } else if (key == "e" && errorFromText(text) != FormulaError::None) {
                    value = Value::error(errorFromText(text));
                } else if (key == "x" && quoted) {
                    entered = text;
                } else if (key == "g" && quoted) {
                    tag = text;
                } else {
                    return failAt("bad cell field \"" + key + "\"");
                }
            }
            Cell& c = s.m_cells.ensure(col, row);
            c.style = style;
            if (!entered.empty() || !tag.empty()) {
                c.extra = std::make_unique<CellExtra>();
                c.extra->enteredText = entered;
                c.extra->tag = tag;
            }
            if (hasFormula) {
                FormulaCode code;
                ParseError perr;
                if (!parseFormula(formula, {col, row}, RefStyle::Default, {}, code, perr))
                    return failAt("formula refused: " + perr.message());
                s.installFormula({col, row}, s.m_pool.intern(code));
                s.m_cells.find(col, row)->flags = 0;
            }
            s.m_cells.find(col, row)->value = std::move(value);
        } else {
            return failAt("unknown record \"" + keyword + "\"");
        }
    }
    if (!ended) {
        ++lineNo;
        return failAt(lineNo <= 1 ? "empty file" : "the file ends without its \"end\" line");
    }
    s.m_options = options;
    s.m_pending.clear();
    m_impl.swap(fresh.m_impl);
    return notify(true, kChangeStructure | kChangeCells | kChangeSizes | kChangeSpans |
                            kChangeCursor | kChangeOptions);
}

} // namespace vtx::sheet
