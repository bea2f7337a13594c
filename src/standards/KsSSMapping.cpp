#include "standards/KsSSMapping.h"

#include "platform/core/Files.h"
#include "platform/core/Settings.h"
#include "platform/core/StringUtils.h"
#include "standards/FileTextCache.h"
#include "standards/KsDlgStandardsData.h"
#include "standards/MappingText.h"

#include <memory>
#include <string>
#include <unordered_map>

namespace {

const char* const kStandardsFolder = "Connection Standards\\";

void splitLines(std::string_view rest, Vtx_StringArray& lines) {
    lines.removeAll();
    while (!rest.empty()) {
        std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.append(Vtx_String(line));
        if (end == std::string_view::npos)
            break;
        rest.remove_prefix(end + 1);
    }
}

// The lines of a mapping file, through the file cache: a batch of runs reads
// the file once, and a file changed on disk is read again.
ErrorStatus readMappingLines(const Vtx_String& path, Vtx_StringArray& lines) {
    lines.removeAll();
    std::shared_ptr<const std::string> bytes;
    ErrorStatus es = standards::cachedFileBytes(path, bytes);
    if (es == eOk)
        splitLines(*bytes, lines);
    return es;
}

// What the line of one key in one version of a mapping file gives, so that
// a batch of runs parses it once. The entry holds the bytes it was parsed
// from: a changed file comes with new bytes from the file cache and is
// parsed again.
struct ParsedMapping {
    std::shared_ptr<const std::string> bytes;
    ErrorStatus status = eOk;
    bool found = false; ///< the key has a line: its objects are the mapping
    Vtx_Array<KsObjectMap> objects;
};

std::unordered_map<std::string, ParsedMapping>& parsedMappings() {
    static std::unordered_map<std::string, ParsedMapping> cache;
    return cache;
}

// Drops the header line ("Mapping ... version ...") when it is there.
void dropHeader(Vtx_StringArray& lines) {
    if (!lines.isEmpty() && lines[0].hasSubString("Mapping") && lines[0].hasSubString("version"))
        lines.removeAt(0);
}

Vtx_String lineKey(const Vtx_String& line) {
    int equals = line.find('=');
    return equals < 0 ? Vtx_String() : line.left(equals);
}

int findKeyLine(const Vtx_StringArray& lines, const Vtx_String& key) {
    for (int i = 0; i < lines.length(); ++i)
        if (lineKey(lines[i]).equal(key, true))
            return i;
    return -1;
}

bool hasByte(const Vtx_String& text, char c) {
    return text.find(c) >= 0;
}

bool hasLineEnd(const Vtx_String& text) {
    return hasByte(text, '\n') || hasByte(text, '\r');
}

// A variable name or object text that would break the line it is written to.
bool breaksLine(const Vtx_String& varName, const Vtx_String& objectText) {
    if (hasLineEnd(varName) || hasLineEnd(objectText))
        return true;
    if (hasByte(varName, kVarSeparator) || hasByte(varName, kItemSeparator) ||
        hasByte(varName, kObjectSeparator) || hasByte(varName, '='))
        return true;
    if (hasByte(objectText, kVarSeparator) || hasByte(objectText, kItemSeparator))
        return true;
    return objectText.find(kObjectSeparator) != objectText.findLast(kObjectSeparator);
}

} // namespace

void forgetParsedMappings() {
    parsedMappings().clear();
}

Vtx_String mappingFilePath(const Vtx_String& spreadsheetName) {
    // The absolute path of a spreadsheet (as a child call resolves it) has
    // its mapping file beside it. Any other name is under the library's
    // standards folder, never relative to the working folder: a stray file
    // there must not hide the library's mapping.
    if (nativePath(spreadsheetName).is_absolute() && fileExists(spreadsheetName))
        return changeExtension(spreadsheetName, "map");
    Vtx_String path = gSettings.libDir + kStandardsFolder + spreadsheetName + ".kss";
    return changeExtension(path, "map");
}

ErrorStatus KsSSMapping::initFromMacro(const KsDlgStandardsData& data) {
    if (!data.dbMacro || !data.moduleGroupName.isEmpty())
        return eInvalidInput;
    mode = kModeMacro;
    return getMappingFromFile(data.spreadsheetName, data.mappingKey);
}

ErrorStatus KsSSMapping::initFromModuleGroup(const Vtx_String& groupName) {
    if (groupName.isEmpty())
        return eInvalidInput;
    mode = kModeModuleGroup;
    return eOk;
}

ErrorStatus KsSSMapping::getMappingFromFile(const Vtx_String& spreadsheetName,
                                            const Vtx_String& key) {
    const Vtx_String path = mappingFilePath(spreadsheetName);
    std::shared_ptr<const std::string> bytes;
    ErrorStatus es = standards::cachedFileBytes(path, bytes);
    if (es != eOk)
        return es;
    auto& cache = parsedMappings();
    const std::string cacheKey = path.str() + '\0' + key.str();
    auto it = cache.find(cacheKey);
    if (it != cache.end() && it->second.bytes == bytes) {
        if (it->second.found)
            m_mappedObjects = it->second.objects;
        return it->second.status;
    }
    ParsedMapping parsed;
    parsed.bytes = bytes;
    Vtx_StringArray lines;
    splitLines(*bytes, lines);
    dropHeader(lines);
    // An empty file leaves the mapping as it is.
    if (!lines.isEmpty()) {
        const int index = findKeyLine(lines, key);
        parsed.found = index >= 0;
        parsed.status = parsed.found ? initMappingFromLine(lines[index]) : eKeyNotFound;
        if (parsed.found)
            parsed.objects = m_mappedObjects;
    }
    if (cache.size() >= 256)
        cache.clear();
    const ErrorStatus status = parsed.status;
    cache.insert_or_assign(cacheKey, std::move(parsed));
    return status;
}

ErrorStatus KsSSMapping::initMappingFromLine(const Vtx_String& line) {
    m_mappedObjects.removeAll();
    int equals = line.find('=');
    if (equals < 0)
        return eInvalidInput;
    Vtx_StringArray items;
    splitStringAtSymbol(line.mid(equals + 1), kItemSeparator, items, true);
    for (const Vtx_String& item : items) {
        int separator = item.find(kVarSeparator);
        if (separator < 0)
            continue;
        KsObjectMap object;
        if (object.getMappingFromStrs(item.left(separator), item.mid(separator + 1)) == eOk)
            m_mappedObjects.append(object);
    }
    return eOk;
}

ErrorStatus KsSSMapping::setMappingToFile(const Vtx_String& spreadsheetName,
                                          const Vtx_String& key) const {
    if (hasLineEnd(key) || hasByte(key, '=') || hasByte(key, kItemSeparator))
        return eInvalidInput;
    // 1. Object texts and names, parallel; objects without a kind word are
    // left out. 2. Of a name that occurs more than once only the first object
    // is kept: it is the one findSSVar gives. 3. Then names unfit for files
    // and anything that would break the line's separators are left out; no
    // later object of the name stands in for a dropped one.
    Vtx_StringArray seen;
    Vtx_StringArray names;
    Vtx_StringArray texts;
    KsSSMapping written;
    for (const KsObjectMap& object : m_mappedObjects) {
        Vtx_String text;
        Vtx_String name;
        if (object.setMappingToStrs(text, name) != eOk || seen.contains(name, false))
            continue;
        seen.append(name);
        if (hasInvalidFileNameChars(name) || breaksLine(name, text))
            continue;
        names.append(name);
        texts.append(text);
        written.m_mappedObjects.append(object);
    }
    // 4. The existing file; a missing one counts as empty, but one that
    // exists and cannot be read is never overwritten.
    const Vtx_String path = mappingFilePath(spreadsheetName);
    Vtx_StringArray lines;
    if (fileExists(path)) {
        ErrorStatus es = ObjectExportReadFile(path, lines);
        if (es != eOk)
            return es;
    }
    dropHeader(lines);
    // The file is left alone only when the key has one line and it holds the
    // same mapping, compared both ways: a mapping with fewer objects is a
    // change too. Otherwise every line of the key goes (a hand-edited or
    // merged file may hold two), so reading finds the new one.
    int keyLines = 0;
    for (const Vtx_String& line : lines)
        keyLines += lineKey(line).equal(key, true) ? 1 : 0;
    if (keyLines == 1) {
        KsSSMapping stored;
        if (stored.initMappingFromLine(lines[findKeyLine(lines, key)]) == eOk &&
            written.isEqual(stored) && stored.isEqual(written))
            return eOk;
    }
    for (int i = lines.length() - 1; i >= 0; --i)
        if (lineKey(lines[i]).equal(key, true))
            lines.removeAt(i);
    // 5. The new line at the end; 6. the header in front, written whole.
    Vtx_String line = key + "=";
    for (int i = 0; i < names.length(); ++i) {
        if (i > 0)
            line.append(kItemSeparator);
        line.append(names[i]).append(kVarSeparator).append(texts[i]);
    }
    lines.append(line);
    lines.insertAt(0, kMappingHeader);
    standards::forgetCachedFile(path);
    return ObjectExportWriteFile(path, lines);
}

bool KsSSMapping::hasSameMapping(const Vtx_String& spreadsheetName, Vtx_String& key) const {
    Vtx_StringArray lines;
    if (readMappingLines(mappingFilePath(spreadsheetName), lines) != eOk)
        return false;
    dropHeader(lines);
    for (const Vtx_String& line : lines) {
        KsSSMapping stored;
        stored.initMappingFromLine(line);
        if (isEqual(stored)) {
            key = lineKey(line);
            return true;
        }
    }
    return false;
}

bool KsSSMapping::isEqual(const KsSSMapping& other) const {
    for (const KsObjectMap& object : m_mappedObjects) {
        KsValueType type;
        int index = -1;
        if (!kindValueType(object.kind, type) ||
            other.findSSVar(object.ssVarName, type, index) != eOk ||
            object.isCompatible(other.m_mappedObjects[index]) != eOk)
            return false;
    }
    return true;
}

ErrorStatus KsSSMapping::isCompatible(const KsSSMapping& other, int& count) const {
    count = 0;
    for (const KsObjectMap& object : m_mappedObjects) {
        int index = -1;
        if (other.findCompatible(object, index) != eOk)
            ++count;
    }
    return eOk;
}

ErrorStatus KsSSMapping::findCompatible(const KsObjectMap& object, int& index) const {
    for (int i = 0; i < m_mappedObjects.length(); ++i) {
        if (m_mappedObjects[i].isCompatible(object) == eOk) {
            index = i;
            return eOk;
        }
    }
    return eKeyNotFound;
}

ErrorStatus KsSSMapping::findSSVar(const Vtx_String& name, KsValueType valueType,
                                   int& index) const {
    for (int i = 0; i < m_mappedObjects.length(); ++i) {
        KsValueType type;
        const KsObjectMap& object = m_mappedObjects[i];
        if (!kindValueType(object.kind, type) || !object.ssVarName.equal(name, false))
            continue;
        // The first object of a name is the variable's (the mapping file keeps
        // only that one); it must be of a like type, not an equal one: the
        // mapping page offers an Int variable every numeric object.
        if (!isLikeType(type, valueType))
            return eKeyNotFound;
        index = i;
        return eOk;
    }
    return eKeyNotFound;
}

ErrorStatus KsSSMapping::getValidVars(bool /*flag*/, KsValueType valueType,
                                      Vtx_Array<int>& indices) const {
    indices.removeAll();
    for (int i = 0; i < m_mappedObjects.length(); ++i) {
        KsValueType type;
        if (kindValueType(m_mappedObjects[i].kind, type) && isLikeType(type, valueType))
            indices.append(i);
    }
    return eOk;
}

ErrorStatus KsSSMapping::sortValidVars(Vtx_Array<int>& indices,
                                       const Vtx_Array<int>& categoryOrder) const {
    Vtx_Array<int> input = indices;
    indices.removeAll();
    if (categoryOrder.isEmpty())
        return eInvalidInput;
    std::vector<Vtx_Array<int>> buckets(static_cast<std::size_t>(categoryOrder.length()));
    for (int index : input) {
        int category = m_mappedObjects.isValid(index) ? m_mappedObjects[index].category : -1;
        int position = categoryOrder.find(category);
        if (position < 0)
            position = categoryOrder.length() - 1;
        buckets[static_cast<std::size_t>(position)].append(index);
    }
    for (const Vtx_Array<int>& bucket : buckets) {
        indices.append(-1);
        for (int index : bucket)
            indices.append(index);
    }
    return eOk;
}
