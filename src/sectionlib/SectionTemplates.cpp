// The templates of section values tables and the tables the editor makes.
#include "sectionlib/SectionTemplates.h"

#include "platform/core/Settings.h"
#include "sectionlib/NewSectionByExample.h"

#include <algorithm>

namespace {

constexpr int kFirstNameText = 719;       ///< types 1 to 17
constexpr int kFirstLaterNameText = 1677; ///< types 18 to 24
constexpr int kFirstLaterType = 18;
constexpr int kValueText = 86;
constexpr int kLeadingColumns = 2;

/// The standard type of a template: its number when it is one of 1 to 24.
int standardType(const Vtx_String& templateName) {
    int type = 0;
    if (!templateName.toInt(type) || type < 1 || type > kStandardSectionTypes)
        return -1;
    return type;
}

/// 2 + L: the system name, the in-use flag and the languages.
int leadingCount(const Vtx_StringArray& headers) {
    constexpr int kSeventh = 6;
    const bool korean = headers.isValid(kSeventh) && headers[kSeventh].equal("Korean", false);
    return kLeadingColumns + (korean ? 5 : 4);
}

} // namespace

Vtx_String standardTemplateText(int type) {
    if (type < 1 || type > kStandardSectionTypes)
        return {};
    const int text = type < kFirstLaterType ? kFirstNameText + type - 1
                                            : kFirstLaterNameText + type - kFirstLaterType;
    return "<" + dialString(text) + ">";
}

int standardTemplateNumber(const Vtx_String& shown) {
    for (int type = 1; type <= kStandardSectionTypes; ++type)
        if (shown.equal(standardTemplateText(type), false))
            return type;
    return -1;
}

Vtx_String templateOfShown(const Vtx_String& shown) {
    const int type = standardTemplateNumber(shown);
    return type > 0 ? Vtx_String::fromInt(type) : shown;
}

Vtx_String shownTemplate(const Vtx_String& templateName) {
    const int type = standardType(templateName);
    return type > 0 ? standardTemplateText(type) : templateName;
}

Vtx_StringArray templateChoices(const Vtx_StringArray& userTemplates,
                                const Vtx_String& currentTemplate) {
    Vtx_StringArray choices;
    for (int type = 1; type <= kStandardSectionTypes; ++type)
        choices.append(standardTemplateText(type));
    for (const Vtx_String& file : userTemplates)
        choices.append(file);
    const Vtx_String current = shownTemplate(currentTemplate);
    if (!current.isEmpty() && !choices.contains(current, false))
        choices.append(current);
    return choices;
}

Vtx_StringArray renewedHeaders(const Vtx_StringArray& headers, const Vtx_String& templateName,
                               int columnCount) {
    const int leading = leadingCount(headers);
    Vtx_StringArray renewed;
    for (int c = 0; c < leading; ++c)
        renewed.append(headers.isValid(c) ? headers[c] : Vtx_String());
    for (const Vtx_String& name : standardDimensionNames(standardType(templateName)))
        renewed.append(name);
    for (int c = renewed.length(); c < std::max(columnCount, headers.length()); ++c)
        renewed.append(headers.isValid(c) ? headers[c] : Vtx_String());
    return renewed;
}

int standardHeaderCount(const Vtx_StringArray& headers, const Vtx_String& templateName) {
    const int type = standardType(templateName);
    if (type < 0)
        return 0;
    return leadingCount(headers) + standardDimensionNames(type).length();
}

Vtx_ProfValuesTable newValuesTable(const Vtx_String& name, const Vtx_StringArray& languages) {
    Vtx_ProfValuesTable table;
    table.tableName = name;
    table.columns = {"SysName", "I/O"};
    Vtx_StringArray row{"", "1"};
    for (const Vtx_String& language : languages) {
        table.columns.append(language);
        row.append(Vtx_String());
    }
    for (int k = 1; k <= 2; ++k) {
        table.columns.append(dialString(kValueText) + " " + Vtx_String::fromInt(k));
        row.append("0");
    }
    table.rows.append(row);
    return table;
}
