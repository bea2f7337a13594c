// Fuzz target of the properties list reader. Round trip: a list that reads
// is written, read back (it must equal the list read first) and written
// again (the two written files must be equal).

#include "FuzzSupport.h"

#include "platform/core/PropertiesList.h"

#include <string>

namespace {

Vtx_PropertiesList writeAndRead(const Vtx_PropertiesList& list, const std::string& path) {
    FUZZ_CHECK(list.writeToFile(fuzz::corePathOf(path)) == eOk, "the list cannot be written");
    Vtx_PropertiesList back;
    Vtx_String reason;
    FUZZ_CHECK(back.readFromFile(fuzz::corePathOf(path), &reason) == eOk,
               "the written list does not read back: " + reason.str());
    return back;
}

// The typed readings of every value: each succeeds or leaves the value as
// it was.
void readTyped(const Vtx_PropertiesList& list) {
    for (int i = 0; i < list.length(); ++i) {
        int whole = -7;
        if (list.getProperty(list.keyAt(i), whole) != eOk)
            FUZZ_CHECK(whole == -7, "a refused whole number changed the value");
        double number = -7.5;
        if (list.getProperty(list.keyAt(i), number) != eOk)
            FUZZ_CHECK(number == -7.5, "a refused number changed the value");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input = fuzz::writeTempFile("input.txt", fuzz::asText(data, size));
    Vtx_PropertiesList list;
    if (list.readFromFile(fuzz::corePathOf(input)) != eOk)
        return 0;
    readTyped(list);
    const std::string second = fuzz::tempFolder() + "/second.txt";
    const std::string third = fuzz::tempFolder() + "/third.txt";
    const Vtx_PropertiesList back = writeAndRead(list, second);
    FUZZ_CHECK(back == list, "the written list reads back to other properties");
    writeAndRead(back, third);
    FUZZ_CHECK_SAME(fuzz::readWholeFile(second), fuzz::readWholeFile(third),
                    "written again, the properties file changes");
    return 0;
}
