// A fuzz target that checks the harness itself: the input "crash" fails a
// check and "hang" never returns, so that the replay tests (fuzz/CMakeLists)
// prove that a crash or a hang in a corpus fails its test in every build.

#include "FuzzSupport.h"

#include <atomic>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzz::asText(data, size);
    FUZZ_CHECK(text != "crash", "the input asks for a crash");
    static std::atomic<bool> forever{true};
    while (text == "hang" && forever.load())
        ;
    return 0;
}
