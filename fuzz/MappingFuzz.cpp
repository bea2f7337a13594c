// Fuzz target of the mapping file reader. The input is a mapping file of a
// spreadsheet in a temporary library; the mappings of its first keys are
// read, compared with the other lines and written to a new mapping file.
// Round trip: what is written reads back to a mapping that, written again,
// gives the same file and the same objects.

#include "FuzzSupport.h"

#include "platform/core/Settings.h"
#include "standards/FileTextCache.h"
#include "standards/KsSSMapping.h"

#include <cstdio>
#include <string>

namespace {

constexpr int kKeysTried = 4;

// The keys of the first lines that have one (text before the first "=").
Vtx_StringArray firstKeys(std::string_view bytes) {
    Vtx_StringArray keys;
    while (!bytes.empty() && keys.length() < kKeysTried) {
        const std::size_t end = bytes.find('\n');
        const std::string_view line = bytes.substr(0, end);
        if (const std::size_t equals = line.find('='); equals != std::string_view::npos)
            keys.append(Vtx_String(line.substr(0, equals)));
        if (end == std::string_view::npos)
            break;
        bytes.remove_prefix(end + 1);
    }
    return keys;
}

bool sameObjects(const KsSSMapping& a, const KsSSMapping& b) {
    const Vtx_Array<KsObjectMap>& x = a.mappedObjects();
    const Vtx_Array<KsObjectMap>& y = b.mappedObjects();
    if (x.length() != y.length())
        return false;
    for (int i = 0; i < x.length(); ++i)
        if (x[i].ssVarName != y[i].ssVarName || x[i].objectName != y[i].objectName ||
            x[i].subName != y[i].subName || x[i].kind != y[i].kind)
            return false;
    return true;
}

std::string mapFile(const char* spreadsheet) {
    return fuzz::tempFolder() + "/lib/Connection Standards/" + spreadsheet + ".map";
}

// Writes mapping under key as spreadsheet's mapping file (replacing it) and
// reads it back.
KsSSMapping writeAndRead(const KsSSMapping& mapping, const char* spreadsheet, const char* key) {
    std::remove(mapFile(spreadsheet).c_str());
    FUZZ_CHECK(mapping.setMappingToFile(spreadsheet, key) == eOk,
               std::string("the mapping cannot be written to ") + spreadsheet);
    KsSSMapping back;
    const ErrorStatus status = back.getMappingFromFile(spreadsheet, key);
    FUZZ_CHECK(status == eOk,
               std::string("the written mapping does not read back: ") + errorStatusText(status));
    return back;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::asText(data, size);
    static const bool folders = [] {
        gSettings.setLibDir(fuzz::corePathOf(fuzz::tempFolder() + "/lib"));
        return true;
    }();
    (void)folders;
    standards::forgetCachedFile();
    forgetParsedMappings();
    fuzz::writeTempFile("lib/Connection Standards/Input.map", bytes);

    for (const Vtx_String& key : firstKeys(bytes)) {
        KsSSMapping mapping;
        if (mapping.getMappingFromFile("Input", key) != eOk)
            continue;
        Vtx_String sameKey;
        mapping.hasSameMapping("Input", sameKey);
        // Objects whose texts would break the line are left out when
        // writing, so only the second and third generations must agree.
        const KsSSMapping second = writeAndRead(mapping, "Second", "Key");
        const KsSSMapping third = writeAndRead(second, "Third", "Key");
        FUZZ_CHECK(sameObjects(second, third), "written again, the mapping changes");
        FUZZ_CHECK_SAME(fuzz::readWholeFile(mapFile("Second")),
                        fuzz::readWholeFile(mapFile("Third")),
                        "written again, the mapping file changes");
    }
    return 0;
}
