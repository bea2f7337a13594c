#pragma once

/// The templates of section values tables as the section-library editor
/// shows and chooses them, and the tables it makes.
///
/// A table's template is a standard section type (its number 1 to 24 as
/// text), a user template (a drawing file, "Box.dwg") or another template
/// file the library names ("IShape.tpl"). A standard type is shown as
/// "<" + its name + ">"; every other template is shown as it is.
///
///     Vtx_StringArray choices = templateChoices(data.templateFiles, table.templateName);
///     table.templateName = templateOfShown(choices[picked]);

#include "platform/core/VtxString.h"
#include "platform/core/VtxStringArray.h"
#include "sectionlib/ProfValuesTable.h"

/// The number of standard section types.
constexpr int kStandardSectionTypes = 24;

/// "<" + the name of standard type `type` + ">"; empty outside 1 to 24.
Vtx_String standardTemplateText(int type);
/// The standard type whose shown text is shown (case ignored); -1 when none.
int standardTemplateNumber(const Vtx_String& shown);
/// The template a shown text stands for: a standard type's number as text,
/// any other text unchanged.
Vtx_String templateOfShown(const Vtx_String& shown);
/// How a template is shown: a standard type's number in brackets with its
/// name, any other template as it is.
Vtx_String shownTemplate(const Vtx_String& templateName);
/// The choices of the template list: the 24 standard types, the user
/// templates, and the current template when it is none of those (so that
/// showing a table never loses its template).
Vtx_StringArray templateChoices(const Vtx_StringArray& userTemplates,
                                const Vtx_String& currentTemplate);

/// The header row of a table after choosing templateName: the first 2 + L
/// headers (system name, in-use flag, languages; L is 5 when the seventh
/// header is "Korean", else 4), for a standard type its dimension names,
/// then the old headers of any further columns. At least columnCount
/// headers; more when the dimension names need more columns.
Vtx_StringArray renewedHeaders(const Vtx_StringArray& headers, const Vtx_String& templateName,
                               int columnCount);
/// The number of headers renewedHeaders gives for a standard type without
/// any further column (2 + L + its dimension names); 0 for other templates.
int standardHeaderCount(const Vtx_StringArray& headers, const Vtx_String& templateName);

/// A new values table named name: the columns "SysName", "I/O", the
/// languages and two value columns ("Value 1", "Value 2" in the work
/// language); one section with an empty system name, in use, empty user
/// names and the values 0 and 0.
Vtx_ProfValuesTable newValuesTable(const Vtx_String& name, const Vtx_StringArray& languages);
