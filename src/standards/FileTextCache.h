#pragma once

/// Whole files kept in memory between evaluations: standards spreadsheets and
/// mapping files are read again only when their size or modification time
/// changed, so a file changed on disk is used at the next run while a batch
/// of runs reads each file once.

#include "platform/core/ErrorStatus.h"
#include "platform/core/VtxString.h"
#include "platform/sheet/SheetModel.h"

#include <memory>
#include <string>

namespace standards {

/// The bytes of the file at path, from the cache when the file is unchanged.
/// Fails as readFileBytes does (reason names the file).
ErrorStatus cachedFileBytes(const Vtx_String& path, std::shared_ptr<const std::string>& bytes,
                            Vtx_String* reason = nullptr);
/// The grid file at path, parsed once per version of the file: a run copies
/// it (SheetModel::copyFrom) instead of parsing the text again. Null when the
/// file cannot be read or is damaged; reason names the file (and line).
std::shared_ptr<const vtx::sheet::SheetModel> cachedSheet(const Vtx_String& path,
                                                          Vtx_String* reason = nullptr);
/// Forgets one file (after writing it) or, with an empty path, every file.
void forgetCachedFile(const Vtx_String& path = Vtx_String());

} // namespace standards
