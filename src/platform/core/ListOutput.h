#pragma once

/// The core library's list producer: a part list (Vtx_Bill) and the callback
/// interface through which it is fed row by row to whatever writes it out.
///
///     Vtx_Bill bill;
///     Vtx_String reason;
///     if (readPartList("C:\\Bills\\hall.csv", bill, &reason) != eOk)
///         report(reason);                     // "C:\\Bills\\hall.csv: line 4: ..."
///     MyOutput output;                        // derives from Vtx_ListOutputCallback
///     produceList(bill, output);              // onStartFeed, onAddRow..., onEndFeed
///
/// The part-list file format is described in docs/bill-output.md.

#include "platform/Exports.h"
#include "platform/core/ErrorStatus.h"
#include "platform/core/VtxArray.h"
#include "platform/core/VtxString.h"
#include "platform/core/VtxStringArray.h"

/// What a producer hands to a list writer, in feed order. The virtual
/// operations keep this slot order: destructor, onStartFeed, onEndFeed,
/// onNewPage, onAddRow, onAddSubTotals, onAddSeperation.
class VTX_CORE_API Vtx_ListOutputCallback {
public:
    virtual ~Vtx_ListOutputCallback() = default;
    /// Before the first row; a failure stops the feed.
    virtual ErrorStatus onStartFeed() { return eOk; }
    /// After the last row; its status is the feed's result.
    virtual ErrorStatus onEndFeed() { return eOk; }
    /// A page break of a paged list; writers without pages ignore it.
    virtual void onNewPage() {}
    /// One part: one text per column.
    virtual void onAddRow(const Vtx_StringArray& texts) = 0;
    /// A sub-total line: the label (or total) of each column, a second text
    /// per column, a flag and a number whose use is the writer's.
    virtual void onAddSubTotals(const Vtx_StringArray& labels, const Vtx_StringArray& seconds,
                                bool flag, int number) = 0;
    /// A separation between groups; writers without one ignore it.
    virtual void onAddSeperation() {}
};

/// One line of a part list.
struct VTX_CORE_API Vtx_BillEntry {
    enum Kind { Part, SubTotal, Separation, NewPage };
    Kind kind = Part;
    Vtx_StringArray texts;
};

/// A part list: column names, one row-property code per column (docs:
/// 1 whole number, 2 number with one decimal, 3 text), the print-settings
/// set to use, named variables, and the lines in order.
class VTX_CORE_API Vtx_Bill {
public:
    Vtx_Bill() = default;
    virtual ~Vtx_Bill() = default;
    Vtx_Bill(const Vtx_Bill&) = default;
    Vtx_Bill& operator=(const Vtx_Bill&) = default;

    Vtx_StringArray columnNames;
    Vtx_Array<int> rowProperties;
    Vtx_String settingsName;
    Vtx_StringArray variableNames;
    Vtx_StringArray variableValues;
    Vtx_Array<Vtx_BillEntry> entries;

    /// Index of the column whose name equals name (case ignored), or -1.
    int findColumn(const Vtx_String& name) const;
    /// The largest number in a column over the part lines; 0 when none.
    double largestNumber(int column) const;
    /// The number of part lines.
    int partCount() const;
};

/// Feeds the bill to output: onStartFeed (the feed stops when it fails), then
/// each line in order through onAddRow, onAddSubTotals (the line's texts as
/// labels, no second texts, flag false, number 0), onAddSeperation or
/// onNewPage, then onEndFeed, whose status is returned.
VTX_CORE_API ErrorStatus produceList(const Vtx_Bill& bill, Vtx_ListOutputCallback& output);

/// Most columns a part list may have (the grid's column limit).
constexpr int kMaxPartListColumns = 16384;

/// Reads a part list file (UTF-8 CSV, docs/bill-output.md) into bill
/// (replaced only on success). On failure reason names the file and line:
/// eFileNotFound / eFileAccessErr / eLimitExceeded for the file,
/// eBadFileFormat for its content.
VTX_CORE_API ErrorStatus readPartList(const Vtx_String& path, Vtx_Bill& bill,
                                      Vtx_String* reason = nullptr);
/// As readPartList, from bytes already read; name stands for the file.
VTX_CORE_API ErrorStatus readPartListText(std::string_view bytes, const Vtx_String& name,
                                          Vtx_Bill& bill, Vtx_String* reason = nullptr);
