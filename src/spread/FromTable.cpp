// "FROMTABLE": registration, the handler and its nesting bound.
#include "spread/FromTable.h"

#include "platform/host/Host.h"
#include "platform/sheet/Value.h"
#include "spread/FromTableText.h"
#include "spread/VtxSpread.h"

using vtx::sheet::ValueRecord;

namespace {

constexpr const char* kFromTableName = "FROMTABLE";
constexpr int kFromTableMinArgs = 2;
constexpr int kFromTableMaxArgs = 4;

// FROMTABLE calls under way inside one another, and whether one of them hit
// the bound. Once it has, every further nested call of the same outermost
// call fails at once: a table that looks itself up twice per level would
// otherwise load 2^depth files before the error reaches the top.
int gDepth = 0;
bool gOverflowed = false;

class DepthScope {
public:
    DepthScope() { ++gDepth; }
    ~DepthScope() {
        if (--gDepth == 0)
            gOverflowed = false;
    }
    DepthScope(const DepthScope&) = delete;
    DepthScope& operator=(const DepthScope&) = delete;
};

// Takes every text block still held by the arguments; returns the text of
// argument 1 (the table file) when it is one.
Vtx_String releaseArguments(ValueRecord* args, int count) {
    Vtx_String file;
    for (int i = 0; args && i < count; ++i) {
        CustomArgument argument = takeCustomArgument(args[i]);
        if (i == 0 && argument.type == vtx::sheet::kValueText)
            file = argument.text;
    }
    return file;
}

void refuseTooDeep(ValueRecord* result, ValueRecord* args, int count) {
    Vtx_String file = releaseArguments(args, count);
    if (!gOverflowed) {
        gOverflowed = true;
        hostPrintf("*Error* FROMTABLE: tables nested more than %d deep at \"%s\" (does a table "
                   "look itself up?).\n",
                   kFromTableMaxDepth, file.c_str());
    }
    if (result)
        result->setStatus(vtx::sheet::kValueError);
}

void runFromTableCall(Vtx_Spread* callerGrid, ValueRecord* result, ValueRecord* args, int count) {
    if (gDepth >= kFromTableMaxDepth || (gDepth > 0 && gOverflowed)) {
        refuseTooDeep(result, args, count);
        return;
    }
    DepthScope depth;
    // The line a mode-2 formula dialog prints on opening (it has no file of
    // its own). The call is that dialog's evaluation without making the
    // dialog's own grid, which would stay empty: the table comes from the
    // cache of parsed tables.
    hostPrintf("Loading spreadsheet:\n");
    evaluateFromTable(callerGrid, result, args, count);
    // Whatever the evaluation left, the handler owns the argument texts.
    releaseArguments(args, count);
}

} // namespace

bool registerFromTable(Vtx_Spread* grid) {
    if (!grid)
        return false;
    // The cell of the 2- and 3-argument forms is read in the table, and the
    // target of the 3-argument form is written, not read: neither is a
    // precedent in the calling grid. The keys of the 4-argument form are
    // read there and stay precedents.
    vtx::sheet::AddressArguments addresses;
    addresses.add(2, 2).add(3, 2).add(3, 3);
    return grid->addCustomFunction(kFromTableName, kFromTableMinArgs, kFromTableMaxArgs,
                                   fromTableHandler(grid), vtx::sheet::kCustomReferences,
                                   addresses);
}

vtx::sheet::CustomFunctionHandler fromTableHandler(Vtx_Spread* callerGrid) {
    return [callerGrid](ValueRecord* result, ValueRecord* args, int count) {
        runFromTableCall(callerGrid, result, args, count);
        return 1;
    };
}

int fromTableDepth() {
    return gDepth;
}

bool sameTableText(const Vtx_String& a, const Vtx_String& b, bool caseSensitive) {
    return a.length() == b.length() && a.equal(b, caseSensitive);
}

Vtx_String fromTableNumberText(double value) {
    return Vtx_String(vtx::sheet::formatGeneral(value));
}
