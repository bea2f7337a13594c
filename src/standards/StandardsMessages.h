#pragma once

/// Warnings of the standards engine. They are message boxes through the
/// host's prompting interface, shown only while the standards-diagnostics
/// switch of the current document is on, unless always is set.

#include "platform/core/VtxString.h"

void showStandardsWarning(const Vtx_String& text, const Vtx_String& caption = Vtx_String(),
                          bool always = false);
