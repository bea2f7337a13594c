// Every built-in function called with numbers far outside what it expects
// (beyond the range of int and long long, the largest and smallest
// doubles, negative counts) and with texts and ranges where numbers belong:
// each call gives a value or an error value, and under the sanitizers no
// conversion is undefined.

#include "SheetTestUtil.h"

#include "platform/sheet/functions/FunctionRegistry.h"

#include <string>
#include <vector>

namespace vtx::sheet::test {

TEST(ExtremeArguments, EveryFunctionTakesEveryValue) {
    const std::vector<std::string> values = {
        "1E19",   "-1E19",  "4.29E9", "2147483648", "-2147483649", "1E308",      "-1E308",
        "1E-308", "9.9E15", "-1",     "0",          "0.5",         "255",        "32768",
        "A1:C3",  "\"x\"",  "TRUE",   "\"1E19\"",   "B9",          "A1:A1048576"};
    SheetModel s;
    sizeGrid(s, 30, 60);
    s.setNumber(1, 1, 1e19);
    s.setNumber(2, 1, -4.29e9);
    s.setNumber(3, 1, 2.5);
    s.setNumber(1, 2, 7);
    s.setData(2, 2, "text");
    s.setNumber(1, 3, 1e308);
    int calls = 0;
    auto call = [&](const std::string& name, const std::vector<std::string>& args) {
        std::string text = name + "(";
        for (std::size_t i = 0; i < args.size(); ++i)
            text += (i ? "," : "") + args[i];
        text += ")";
        ParseError e;
        if (!s.setFormula(10, 10, text, true, &e))
            return; // a wrong argument count may be refused when read
        const Value& v = s.value(10, 10);
        if (v.isNumber()) {
            ASSERT_TRUE(std::isfinite(v.asNumber())) << text;
        }
        ++calls;
    };
    for (int f = 0; f < functionCount(); ++f) {
        const std::string name(functionName(static_cast<std::uint32_t>(f)));
        for (std::size_t argc = 0; argc <= 4; ++argc) {
            for (const std::string& v : values) {
                // Every argument the same, then one at a time among ones.
                call(name, std::vector<std::string>(argc, v));
                for (std::size_t at = 0; at < argc; ++at) {
                    std::vector<std::string> args(argc, "1");
                    args[at] = v;
                    call(name, args);
                }
            }
        }
    }
    EXPECT_GT(calls, functionCount() * 100);
}

} // namespace vtx::sheet::test
