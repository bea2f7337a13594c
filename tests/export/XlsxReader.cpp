#include "XlsxReader.h"

#include <expat.h>
#include <zip.h>

#include <cstdlib>
#include <memory>

namespace xlsxtest {

namespace {

struct Node {
    std::string name;
    std::map<std::string, std::string> attributes;
    std::string text;
    std::vector<std::unique_ptr<Node>> children;
    Node* parent = nullptr;

    std::string attribute(const std::string& key) const {
        auto found = attributes.find(key);
        return found == attributes.end() ? std::string() : found->second;
    }
    // Every node below this one (at any depth) with the given name.
    void collect(const std::string& wanted, std::vector<const Node*>& out) const {
        for (const auto& child : children) {
            if (child->name == wanted)
                out.push_back(child.get());
            child->collect(wanted, out);
        }
    }
    std::vector<const Node*> all(const std::string& wanted) const {
        std::vector<const Node*> out;
        collect(wanted, out);
        return out;
    }
    const Node* first(const std::string& wanted) const {
        auto found = all(wanted);
        return found.empty() ? nullptr : found.front();
    }
    // The text of this node and everything below it.
    std::string allText() const {
        std::string out = text;
        for (const auto& child : children)
            out += child->allText();
        return out;
    }
};

struct ParseState {
    Node root;
    Node* current = &root;
};

void onStart(void* data, const XML_Char* name, const XML_Char** attributes) {
    auto* state = static_cast<ParseState*>(data);
    auto node = std::make_unique<Node>();
    node->name = name;
    for (int i = 0; attributes[i]; i += 2)
        node->attributes[attributes[i]] = attributes[i + 1];
    node->parent = state->current;
    state->current->children.push_back(std::move(node));
    state->current = state->current->children.back().get();
}

void onEnd(void* data, const XML_Char*) {
    auto* state = static_cast<ParseState*>(data);
    state->current = state->current->parent;
}

void onText(void* data, const XML_Char* text, int length) {
    static_cast<ParseState*>(data)->current->text.append(text, static_cast<std::size_t>(length));
}

bool parseXml(const std::string& xml, ParseState& state, std::string& error) {
    XML_Parser parser = XML_ParserCreate("UTF-8");
    XML_SetUserData(parser, &state);
    XML_SetElementHandler(parser, onStart, onEnd);
    XML_SetCharacterDataHandler(parser, onText);
    const bool ok = XML_Parse(parser, xml.data(), static_cast<int>(xml.size()), 1) == XML_STATUS_OK;
    if (!ok)
        error = XML_ErrorString(XML_GetErrorCode(parser));
    XML_ParserFree(parser);
    return ok;
}

bool readEntry(zip_t* archive, const std::string& name, std::string& out) {
    zip_file_t* file = zip_fopen(archive, name.c_str(), 0);
    if (!file)
        return false;
    out.clear();
    char buffer[8192];
    zip_int64_t n = 0;
    while ((n = zip_fread(file, buffer, sizeof buffer)) > 0)
        out.append(buffer, static_cast<std::size_t>(n));
    zip_fclose(file);
    return n == 0;
}

// "B4" from a 0-based column and row.
std::string reference(int column, int row) {
    std::string name;
    for (int c = column + 1; c > 0; c = (c - 1) / 26)
        name.insert(name.begin(), static_cast<char>('A' + (c - 1) % 26));
    return name + std::to_string(row + 1);
}

// Texts in the package escape characters XML cannot hold as "_xHHHH_"
// (and a literal "_x" as "_x005F_x"); readers decode them.
std::string decodeEscapes(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "_x") == 0 && i + 7 <= text.size() && text[i + 6] == '_') {
            const std::string hex = text.substr(i + 2, 4);
            char* end = nullptr;
            const long code = std::strtol(hex.c_str(), &end, 16);
            if (end == hex.c_str() + 4 && code < 0x80) {
                out += static_cast<char>(code);
                i += 6;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

std::string builtInFormat(int id) {
    static const std::map<int, std::string> formats = {{1, "0"},        {2, "0.00"}, {3, "#,##0"},
                                                       {4, "#,##0.00"}, {9, "0%"},   {10, "0.00%"}};
    auto found = formats.find(id);
    return found == formats.end() ? std::string() : found->second;
}

} // namespace

bool Workbook::has(const std::string& entry) const {
    for (const auto& name : entries)
        if (name == entry)
            return true;
    return false;
}

const Cell* Workbook::cell(const std::string& ref) const {
    auto found = cells.find(ref);
    return found == cells.end() ? nullptr : &found->second;
}

namespace {

// The part (font, border, fill) of the cell format numbered style: the
// format's index into parts; nullptr when either index is out of range.
template <typename T>
const T* formatPart(int style, const std::vector<int>& byFormat, const std::vector<T>& parts) {
    if (style < 0 || static_cast<std::size_t>(style) >= byFormat.size())
        return nullptr;
    const int index = byFormat[static_cast<std::size_t>(style)];
    if (index < 0 || static_cast<std::size_t>(index) >= parts.size())
        return nullptr;
    return &parts[static_cast<std::size_t>(index)];
}

} // namespace

const Font* Workbook::font(const std::string& ref) const {
    const Cell* c = cell(ref);
    return formatPart(c ? c->style : 0, formatFonts, fonts);
}

std::string Workbook::numberFormat(const std::string& ref) const {
    const Cell* c = cell(ref);
    if (!c || c->style < 0 || static_cast<std::size_t>(c->style) >= formatCodes.size())
        return {};
    return formatCodes[static_cast<std::size_t>(c->style)];
}

const Border* Workbook::border(const std::string& ref) const {
    const Cell* c = cell(ref);
    return c ? formatPart(c->style, formatBorders, borders) : nullptr;
}

std::string Workbook::fill(const std::string& ref) const {
    const Cell* c = cell(ref);
    const std::string* color = c ? formatPart(c->style, formatFills, fills) : nullptr;
    return color ? *color : std::string();
}

bool readWorkbook(const std::string& path, Workbook& book, std::string& error) {
    int code = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
    if (!archive) {
        error = path + ": not a readable zip package (libzip error " + std::to_string(code) + ")";
        return false;
    }
    std::unique_ptr<zip_t, decltype(&zip_discard)> closer(archive, zip_discard);
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i)
        book.entries.push_back(zip_get_name(archive, static_cast<zip_uint64_t>(i), 0));

    auto load = [&](const std::string& name, ParseState& state) {
        std::string xml;
        if (!readEntry(archive, name, xml)) {
            error = name + ": missing";
            return false;
        }
        std::string why;
        if (!parseXml(xml, state, why)) {
            error = name + ": " + why;
            return false;
        }
        return true;
    };

    std::vector<std::string> shared;
    if (book.has("xl/sharedStrings.xml")) {
        ParseState strings;
        if (!load("xl/sharedStrings.xml", strings))
            return false;
        for (const Node* si : strings.root.all("si")) {
            std::string text;
            for (const Node* t : si->all("t"))
                text += t->text;
            shared.push_back(decodeEscapes(text));
        }
    }

    ParseState styles;
    if (!load("xl/styles.xml", styles))
        return false;
    std::map<int, std::string> customFormats;
    for (const Node* format : styles.root.all("numFmt"))
        customFormats[std::atoi(format->attribute("numFmtId").c_str())] =
            format->attribute("formatCode");
    for (const Node* font : styles.root.all("font")) {
        Font f;
        if (const Node* name = font->first("name"))
            f.name = name->attribute("val");
        if (const Node* size = font->first("sz"))
            f.size = std::atof(size->attribute("val").c_str());
        f.bold = font->first("b") != nullptr;
        f.italic = font->first("i") != nullptr;
        f.underline = font->first("u") != nullptr;
        book.fonts.push_back(f);
    }
    for (const Node* border : styles.root.all("border")) {
        Border b;
        const char* const sides[4] = {"left", "top", "right", "bottom"};
        for (std::size_t i = 0; i < 4; ++i)
            for (const auto& side : border->children)
                if (side->name == sides[i]) {
                    b.styles[i] = side->attribute("style");
                    if (const Node* color = side->first("color"))
                        b.colors[i] = color->attribute("rgb");
                }
        book.borders.push_back(b);
    }
    for (const Node* fill : styles.root.all("fill")) {
        const Node* color = fill->first("fgColor");
        book.fills.push_back(color ? color->attribute("rgb") : std::string());
    }
    if (const Node* formats = styles.root.first("cellXfs"))
        for (const auto& xf : formats->children) {
            book.formatBorders.push_back(std::atoi(xf->attribute("borderId").c_str()));
            book.formatFills.push_back(std::atoi(xf->attribute("fillId").c_str()));
            book.formatFonts.push_back(std::atoi(xf->attribute("fontId").c_str()));
            const int id = std::atoi(xf->attribute("numFmtId").c_str());
            book.formatCodes.push_back(customFormats.count(id) ? customFormats[id]
                                                               : builtInFormat(id));
        }

    ParseState sheet;
    if (!load("xl/worksheets/sheet1.xml", sheet))
        return false;
    for (const Node* c : sheet.root.all("c")) {
        Cell cell;
        cell.type = c->attribute("t");
        if (cell.type.empty())
            cell.type = "n";
        cell.style = std::atoi(c->attribute("s").c_str());
        const Node* v = c->first("v");
        if (cell.type == "inlineStr")
            cell.value = decodeEscapes(c->allText());
        else if (v)
            cell.value = v->text;
        if (cell.type == "s") {
            const auto index = static_cast<std::size_t>(std::atoi(cell.value.c_str()));
            if (index >= shared.size()) {
                error = "cell " + c->attribute("r") + ": shared string out of range";
                return false;
            }
            cell.value = shared[index];
        }
        book.cells[c->attribute("r")] = cell;
    }
    for (const Node* merge : sheet.root.all("mergeCell"))
        book.merges.push_back(merge->attribute("ref"));
    for (const Node* col : sheet.root.all("col")) {
        const int first = std::atoi(col->attribute("min").c_str());
        const int last = std::atoi(col->attribute("max").c_str());
        for (int c = first; c <= last; ++c)
            book.columnWidths[c] = std::atof(col->attribute("width").c_str());
    }
    for (const Node* row : sheet.root.all("row"))
        if (row->attribute("customHeight") == "1")
            book.rowHeights[std::atoi(row->attribute("r").c_str())] =
                std::atof(row->attribute("ht").c_str());
    if (const Node* pane = sheet.root.first("pane"); pane && pane->attribute("state") == "frozen")
        book.frozenAt = pane->attribute("topLeftCell");
    if (const Node* margins = sheet.root.first("pageMargins"))
        for (const char* side : {"left", "right", "top", "bottom"})
            book.margins[side] = std::atof(margins->attribute(side).c_str());
    if (const Node* header = sheet.root.first("oddHeader"))
        book.pageHeader = header->text;
    if (const Node* footer = sheet.root.first("oddFooter"))
        book.pageFooter = footer->text;
    if (const Node* print = sheet.root.first("printOptions"))
        book.printGridLines = print->attribute("gridLines") == "1";

    ParseState workbook;
    if (!load("xl/workbook.xml", workbook))
        return false;
    if (const Node* first = workbook.root.first("sheet"))
        book.sheetName = first->attribute("name");
    for (const Node* name : workbook.root.all("definedName"))
        if (name->attribute("name") == "_xlnm.Print_Titles")
            book.printTitles = name->text;
    if (book.has("docProps/core.xml")) {
        ParseState core;
        if (!load("docProps/core.xml", core))
            return false;
        if (const Node* title = core.root.first("dc:title"))
            book.title = title->text;
    }
    if (book.has("docProps/custom.xml")) {
        ParseState custom;
        if (!load("docProps/custom.xml", custom))
            return false;
        for (const Node* property : custom.root.all("property"))
            book.properties[property->attribute("name")] = property->allText();
    }

    for (const auto& entry : book.entries) {
        if (entry.rfind("xl/drawings/drawing", 0) != 0 || entry.find("_rels") != std::string::npos)
            continue;
        ParseState drawing;
        if (!load(entry, drawing))
            return false;
        for (const Node* from : drawing.root.all("xdr:from")) {
            const Node* col = from->first("xdr:col");
            const Node* row = from->first("xdr:row");
            if (col && row)
                book.pictures.push_back(
                    reference(std::atoi(col->text.c_str()), std::atoi(row->text.c_str())));
        }
    }
    return true;
}

} // namespace xlsxtest
