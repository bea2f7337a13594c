#include "platform/sheet/functions/FunctionRegistry.h"

#include "platform/core/VtxString.h"
#include "platform/sheet/functions/FunctionApi.h"

#include <string>
#include <unordered_map>

namespace vtx::sheet {

namespace {

struct Registry {
    std::vector<FunctionInfo> infos;
    std::unordered_map<std::string_view, int> byName;

    Registry() {
        addLogicalFunctions(infos);
        addInfoFunctions(infos);
        addMathFunctions(infos);
        addStatFunctions(infos);
        addRegressionFunctions(infos);
        addTextFunctions(infos);
        addLookupFunctions(infos);
        addReferenceFunctions(infos);
        addConvertFunction(infos);
        addDateFunctions(infos);
        for (std::size_t i = 0; i < infos.size(); ++i) {
            FunctionInfo& def = infos[i];
            if (def.kinds[0] == ArgKind::Unset)
                def.kinds[0] = ArgKind::Scalar;
            for (int k = 1; k < 4; ++k)
                if (def.kinds[k] == ArgKind::Unset)
                    def.kinds[k] = def.kinds[k - 1];
            byName.emplace(def.name, static_cast<int>(i));
        }
    }
};

const Registry& registry() {
    static const Registry instance;
    return instance;
}

} // namespace

int findFunction(std::string_view name) {
    char upper[32];
    if (name.size() > sizeof upper)
        return -1; // longer than any built-in name
    for (std::size_t i = 0; i < name.size(); ++i)
        upper[i] = vtxToUpper(name[i]);
    const auto& r = registry();
    auto it = r.byName.find(std::string_view(upper, name.size()));
    return it == r.byName.end() ? -1 : it->second;
}

std::string_view functionName(std::uint32_t index) {
    return registry().infos[index].name;
}

int functionCount() {
    return static_cast<int>(registry().infos.size());
}

const FunctionInfo& functionInfo(std::uint32_t index) {
    return registry().infos[index];
}

} // namespace vtx::sheet
