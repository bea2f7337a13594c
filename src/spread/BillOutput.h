#pragma once

/// KsSSBillOutput: writes a bill, a part list that the core library's list
/// producer feeds row by row, into the grid of a bill window, optionally with
/// a picture of every part, and saves it as a sheet file carrying the bill's
/// variables and print settings. Behaviour and file layout:
/// docs/bill-output.md.
///
///     KsSSBillOutput output;
///     if (output.init("C:\\Bills\\hall.kss", columns, {}, codes, "Bill", names, values) != eOk)
///         return;                                       // no window
///     output.setVars(96, 0, 0, true, true, &bill, &transaction); // pictures on
///     produceList(bill, output);  // onStartFeed, onAddRow..., onAddSubTotals..., onEndFeed
///     Vtx_Spread* shown = output.getSSPointer();        // the window stays open
///
/// Nothing throws. A copy takes every field but the window: the window has
/// one owner, so a copy starts without one and makes its own at init.

#include "platform/Exports.h"
#include "platform/core/BillPictures.h"
#include "platform/core/ErrorStatus.h"
#include "platform/core/ListOutput.h"
#include "platform/core/VtxArray.h"
#include "platform/core/VtxString.h"
#include "platform/core/VtxStringArray.h"
#include "platform/sheet/CellStyle.h"
#include "platform/sheet/SheetTypes.h"
#include "spread/BillWindow.h"

#include <ctime>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class Vtx_Spread;
class Vtx_Transaction;

/// The status init returns when the bill window or its grid cannot be made.
constexpr ErrorStatus kBillNoWindow = static_cast<ErrorStatus>(337);
/// Row-property codes: the cell type every written row gets in a column.
enum KsBillRowProperty : int {
    kBillWholeNumber = 1, ///< number cell, no decimals
    kBillOneDecimal = 2,  ///< number cell, one decimal
    kBillText = 3,        ///< edit cell of up to kBillTextLength characters
};
constexpr int kBillTextLength = 200;
/// Bounds of the bill's number cells.
constexpr double kBillNumberLimit = 99999999999999.0;
/// Rows added at a time when the bill outgrows its grid.
constexpr int kBillRowStep = 100;
/// Background of sub-total cells (0x00BBGGRR: light blue).
constexpr unsigned kBillSubTotalBack = 16765348;
/// The grid setting and grid colour a bill grid gets.
constexpr int kBillGridSetting = 7;
constexpr unsigned kBillGridColor = 3289650; // RGB 50, 50, 50
/// The module bitmap shown beside each part's picture.
constexpr int kBillPictureMarker = 251;
/// The format of the "Date" variable (strftime, C locale).
constexpr const char* kBillDateFormat = "%d %B, %Y (%H:%M)";

class VTX_MODULE_API KsSSBillOutput : public Vtx_ListOutputCallback {
public:
    KsSSBillOutput();
    ~KsSSBillOutput() override;
    KsSSBillOutput(const KsSSBillOutput& other);
    KsSSBillOutput& operator=(const KsSSBillOutput& other);

    /// Makes the bill window (once) and prepares its grid: the print-settings
    /// set settingsName loaded with reset (6 x 11 edit cells, the set's font
    /// as the grid's default), grid setting 7 and grid colour RGB 50, 50, 50,
    /// one column per name with the names as headers. Starts a new bill: the
    /// grid is emptied first. unused is not read. kBillNoWindow (nothing
    /// stored) when there is no window or grid.
    ErrorStatus init(const Vtx_String& billFile, const Vtx_StringArray& columnNames,
                     const Vtx_Array<int>& unused, const Vtx_Array<int>& rowProperties,
                     const Vtx_String& settingsName, const Vtx_StringArray& varNames,
                     const Vtx_StringArray& varValues);
    /// The picture maker's options, the bill and the host transaction.
    /// Pictures are made only when both bill and transaction are set.
    void setVars(int width, int made, int lengthColumn, bool frame, bool colour,
                 const Vtx_Bill* bill, const Vtx_Transaction* transaction);
    /// The bill window's grid, null while there is no window.
    Vtx_Spread* getSSPointer() const;

    // ---- the feed ----
    /// With pictures: opens the progress dialog. Always eOk.
    ErrorStatus onStartFeed() override;
    /// Writes a part's row, with its picture when pictures are made (the
    /// maker's temporary file is deleted afterwards).
    void onAddRow(const Vtx_StringArray& texts) override;
    /// Writes the labels as a row; every labelled column gets a thin border
    /// all round and the light blue background. seconds, flag and number
    /// are not used.
    void onAddSubTotals(const Vtx_StringArray& labels, const Vtx_StringArray& seconds, bool flag,
                        int number) override;
    /// Trims the grid to the rows written, fits the column widths, stores the
    /// variables (Date, Title, BillFilename, then the caller's) in the print
    /// settings and saves the grid to the bill file, with the header and
    /// footer pictures and the parts' pictures beside it. eNullPtr without a
    /// grid; eFileAccessErr when the bill or a picture cannot be written.
    /// A bill saved without all it was given is no success either:
    /// eLimitExceeded when lines did not fit in the grid or texts were cut to
    /// their cells' length (kBillTextLength for texts), eInvalidInput when
    /// a variable holds the byte 0xA4 and was left out. Every failure is
    /// reported on the command line; else eOk.
    ErrorStatus onEndFeed() override;

    /// Writes one row (and the picture file's row after it when the file
    /// exists) below the last one written. False when the grid is full (or
    /// missing) and the row was left out.
    bool addRow(const Vtx_StringArray& texts, const Vtx_String& pictureFile);

    // ---- state ----
    int currentRow() const { return m_currentRow; }
    const Vtx_String& billFileName() const { return m_billFile; }
    const Vtx_Array<int>& rowProperties() const { return m_rowProperties; }
    const Vtx_StringArray& variableNames() const { return m_varNames; }
    const Vtx_StringArray& variableValues() const { return m_varValues; }
    const Vtx_BillImageOptions& imageOptions() const { return m_imageOptions; }
    const KsBillWindow* window() const { return m_window.get(); }
    /// The variables onEndFeed stores: Date, Title and BillFilename first.
    void billVariables(Vtx_StringArray& names, Vtx_StringArray& values) const;
    /// The most rows the bill writes: the grid's own limit (kMaxRows) unless
    /// a smaller one is set here (at least 1). Lines beyond it are left out
    /// and reported, and onEndFeed then fails with eLimitExceeded.
    void setRowLimit(int rows);
    int rowLimit() const { return m_rowLimit; }
    /// The time the Date variable shows (default: the local time now).
    void setClock(std::function<std::tm()> clock) { m_clock = std::move(clock); }

    /// The bill's title: the file name without folder and extension, less
    /// everything up to and including its last 0xBF.
    static Vtx_String billTitle(const Vtx_String& billFile);
    /// A time as the Date variable shows it ("07 December, 2026 (09:30)").
    static Vtx_String formatDate(const std::tm& time);
    /// Where the parts' pictures of a bill file go, relative to its folder.
    static Vtx_String pictureFolderName(const Vtx_String& billFile);

private:
    int nextRow();
    void widen(int columns);
    const vtx::sheet::CellStyle& plainStyle(int column) const;
    void startRow(int row, bool coded);
    void reportLeftOut() const;
    void writeTexts(int row, const Vtx_StringArray& texts);
    void addPicture(const Vtx_String& pictureFile);
    std::string pictureName(std::string bytes);
    void removeOldPictures() const;
    void fitColumnWidths();
    bool writePictures(Vtx_String& reason) const;
    bool picturesWanted() const { return m_bill && m_transaction; }

    Vtx_BillImageOptions m_imageOptions;
    const Vtx_Bill* m_bill = nullptr;
    const Vtx_Transaction* m_transaction = nullptr;
    std::unique_ptr<KsBillWindow> m_window;
    int m_currentRow = 0;
    /// The grid reached its row limit (reported once), and what it left out.
    bool m_full = false;
    int m_rowLimit = vtx::sheet::kMaxRows;
    int m_leftOutParts = 0;
    int m_leftOutSubTotals = 0;
    int m_leftOutPictures = 0;
    /// Texts longer than their cell holds, cut to its length (each reported).
    int m_cutTexts = 0;
    /// The picture maker's folder of the pictures taken so far: removed at
    /// the end of the feed when it is empty.
    std::filesystem::path m_scratchFolder;
    /// The style of each column's cells (0 the row headers) before a row is
    /// written, taken from the grid the print settings prepared: every row
    /// starts from it, whatever the row above it holds.
    std::vector<vtx::sheet::CellStyle> m_plainStyles;
    Vtx_Array<int> m_rowProperties;
    Vtx_String m_billFile;
    Vtx_String m_spare;
    Vtx_StringArray m_varNames;
    Vtx_StringArray m_varValues;
    /// The parts' pictures by their names relative to the bill's folder:
    /// the grid holds them until the bill is saved beside them.
    /// Parts whose pictures are alike (a bar as long as another's) share one
    /// file: the names of the pictures by a hash of their bytes.
    std::map<std::string, std::string> m_pictures;
    std::unordered_multimap<std::size_t, std::string> m_pictureNames;
    std::function<std::tm()> m_clock;
};
