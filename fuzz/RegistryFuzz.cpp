// Fuzz target of the registry file reader. Round trip: keys that parse are
// formatted, parsed back to the same keys and formatted to the same bytes;
// the registry set to such a file holds the same values.

#include "FuzzSupport.h"

#include "platform/host/Registry.h"

#include <string>

namespace {

bool sameKeys(const RegistryKeys& a, const RegistryKeys& b) {
    if (a.size() != b.size())
        return false;
    for (auto x = a.begin(), y = b.begin(); x != a.end(); ++x, ++y) {
        if (x->first != y->first || x->second.path != y->second.path ||
            x->second.values.size() != y->second.values.size())
            return false;
        auto u = x->second.values.begin();
        for (auto v = y->second.values.begin(); v != y->second.values.end(); ++u, ++v)
            if (u->first != v->first || u->second.name != v->second.name ||
                u->second.type != v->second.type || u->second.text != v->second.text ||
                u->second.integer != v->second.integer)
                return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::asText(data, size);
    RegistryKeys keys;
    Vtx_String reason;
    if (parseRegistry(bytes, "input", keys, &reason) != eOk) {
        FUZZ_CHECK(keys.empty(), "a refused registry file left keys");
        return 0;
    }
    const std::string second = formatRegistry(keys);
    RegistryKeys back;
    FUZZ_CHECK(parseRegistry(second, "second", back, &reason) == eOk,
               "the written registry does not read back: " + reason.str());
    FUZZ_CHECK(sameKeys(keys, back), "the written registry reads back to other values");
    FUZZ_CHECK_SAME(second, formatRegistry(back), "written again, the registry changes");

    // The registry over a file: what it reads is what was parsed.
    const std::string path = fuzz::writeTempFile("registry.txt", bytes);
    HostRegistry registry;
    FUZZ_CHECK(registry.setFile(fuzz::corePathOf(path), &reason) == eOk,
               "a registry text that parses is refused as a file: " + reason.str());
    for (const auto& [folded, key] : keys)
        for (const auto& [name, value] : key.values) {
            const RegistryValue* found = registry.findValue(key.path, value.name);
            FUZZ_CHECK(found && found->type == value.type && found->text == value.text &&
                           found->integer == value.integer,
                       "value " + value.name.str() + " of " + key.path.str() + " reads otherwise");
        }
    return 0;
}
