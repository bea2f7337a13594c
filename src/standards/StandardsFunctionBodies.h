#pragma once

// The bodies of the twelve standards functions, grouped by file:
// StandardsFunctionValues.cpp, StandardsFunctionLookup.cpp and
// StandardsFunctionSizes.cpp. Only the function table uses them.

#include "standards/StandardsFunctionArgs.h"

namespace standards_bodies {

bool roundTo(StandardsCall& call);
bool getCell(StandardsCall& call);
bool getProfCell(StandardsCall& call);
bool sectionSize(StandardsCall& call);
bool getSysName(StandardsCall& call);
bool stdWidthWithTolerance(StandardsCall& call);
bool stdThicknessWithTolerance(StandardsCall& call);
bool stdSizeWithTolerance(StandardsCall& call);
bool getArrayItem(StandardsCall& call);
bool toNumber(StandardsCall& call);
bool isNull(StandardsCall& call);
bool isPositive(StandardsCall& call);

} // namespace standards_bodies
