#pragma once

/// KsPrintSettings: the print and presentation settings a spreadsheet
/// carries in the tag of its sheet cell (0, 0): default font, margins, header
/// and footer pictures, what to print, and named variables that a printed
/// header or footer can show. Named sets live in ".ksd" files in the
/// installation folder; the default set's name and the user's language come
/// from the machine-wide registry. Layout and examples:
/// docs/print-settings.md.
///
///     KsPrintSettings settings;
///     settings.loadSettingsIntoGrid(&grid, "Bill", true); // grid prepared for a bill
///     ...
///     settings.readFromGrid(&grid);
///     settings.setVariables(names, values);
///     settings.writeToGrid(&grid);
///     if (grid.saveFile(path))
///         settings.carryPicturesAlong(path);               // pictures beside the file
///
/// Every read starts from the defaults below. Nothing throws.

#include "platform/core/VtxString.h"
#include "platform/core/VtxStringArray.h"
#include "spread/PrintSettingsStore.h"

class Vtx_Spread;

/// The registry key that holds the settings' machine-wide defaults.
constexpr const char* kPrintSettingsRegistryKey = "Software\\Kestrel\\Spreadsheet Editor v1.0";
/// Registry texts longer than this many bytes are not read.
constexpr int kPrintSettingsMaxRegistryText = 256;
/// The extension of settings files (no dot).
constexpr const char* kPrintSettingsExtension = "ksd";
/// The cell-note indicator value that shows no mark on cells with notes.
constexpr int kCellNoteIndicatorOff = 2;

class KsPrintSettings {
public:
    KsPrintSettings() = default;
    virtual ~KsPrintSettings() = default;
    KsPrintSettings(const KsPrintSettings&) = default;
    KsPrintSettings& operator=(const KsPrintSettings&) = default;

    /// Back to the defaults: not valid, no grid, "Tahoma" 13, margins 9, 5,
    /// 5, 5, every flag on, no variables. The registry values stay.
    void setDefaults();

    // ---- the key/value store ----
    /// Defaults, valid, then every known key present with the right type
    /// (flags only from integer entries, non-zero is true); "varNames0",
    /// "varNames1", ... up to the first missing or non-text entry, likewise
    /// "varValues"; the longer list is cut to the shorter's length.
    void readFromStore(const KsSettingsStore& store);
    /// Adds every field to store in the fixed key order, then "varNames0..n-1"
    /// and "varValues0..n-1".
    void writeToStore(KsSettingsStore& store) const;

    // ---- the sheet tag ----
    /// Defaults, valid, remembers grid, then reads the tag of cell (0, 0)
    /// and takes every known key present with the right type. An entry whose
    /// type or integer value is not a number is left out and named in
    /// skippedEntries(). False (defaults kept) without a created grid, reason
    /// telling why; an empty tag gives the defaults and true.
    bool readFromGrid(Vtx_Spread* grid, Vtx_String* reason = nullptr);
    /// Writes the record into the tag of cell (0, 0). False for a record that
    /// is not valid, without a created grid, or when a text holds the
    /// separator byte 0xA4 (the tag is then left as it was).
    bool writeToGrid(Vtx_Spread* grid, Vtx_String* reason = nullptr) const;

    // ---- settings files ----
    /// The installation folder with "/" turned into "\\" and exactly one
    /// trailing "\\"; empty when none is set.
    static Vtx_String installFolder();
    /// The file of a set: installFolder() + name + ".ksd". Empty when there is
    /// no installation folder, or the name is empty or holds a character not
    /// allowed in file names (so a name never reaches outside the folder).
    static Vtx_String settingsFilePath(const Vtx_String& setName);
    /// Defaults, valid, then the set's file (set names ignore letter case: a
    /// file whose name differs only in case is taken when none matches
    /// exactly), read as readFromGrid reads a tag: entries that cannot be
    /// read are left out and named in skippedEntries(). False, with the
    /// defaults, when the file cannot be found or read.
    bool readFromFile(const Vtx_String& setName, Vtx_String* reason = nullptr);
    /// Writes the record as the set's file (whole, through a temporary file),
    /// replacing the file the set is read from. False for an unusable name,
    /// a text holding 0xA4, or a failed write.
    bool writeToFile(const Vtx_String& setName, Vtx_String* reason = nullptr) const;
    /// Reads "Language" and "Default Settings" of the registry key; only text
    /// values of at most kPrintSettingsMaxRegistryText bytes count. False when
    /// either is missing; a missing one keeps its default ("EN", "").
    bool readRegistryDefaults();
    const Vtx_String& language() const { return m_language; }
    const Vtx_String& defaultSetName() const { return m_defaultSetName; }

    // ---- grids ----
    /// Prepares grid for a bill: options 12, 25, 7, 21 on. With reset: 6
    /// columns and 11 rows of edit cells (100 characters), the record read
    /// from the set (or, when that cannot be read, from the registry's
    /// default set; entries left out are reported on the command line),
    /// written into the tag, and its font applied to body cells (normal) and
    /// headers (bold) when it has a name and a height above 0. Always: text
    /// tips floating after 10 ms, no cell-note mark. False without a created
    /// grid; with reset also when the tag could not be written.
    bool loadSettingsIntoGrid(Vtx_Spread* grid, const Vtx_String& setName, bool reset);

    // ---- pictures ----
    /// Where a stored header or footer picture is: an absolute path as it is;
    /// each leading "..\\" moves the lookup one folder up; then the reference
    /// file's folder and the installation folder are tried, in this order;
    /// the stored path unchanged when the picture is in neither.
    static Vtx_String resolvePicture(const Vtx_String& referenceFile, const Vtx_String& stored);
    /// Stores path, relative to the reference file's folder or else to the
    /// installation folder when it lies inside one of them.
    void setHeaderFile(const Vtx_String& referenceFile, const Vtx_String& path);
    void setFooterFile(const Vtx_String& referenceFile, const Vtx_String& path);
    /// After savedFile was written: copies the header and footer pictures
    /// (and a ".bmp" of the same name) beside it and stores them relative to
    /// it; when either was carried, writes the record into the remembered
    /// grid's tag. True when either picture was carried.
    bool carryPicturesAlong(const Vtx_String& savedFile);

    // ---- fields ----
    /// Replaces both variable lists (as given; readFromStore evens them).
    void setVariables(const Vtx_StringArray& names, const Vtx_StringArray& values);
    const Vtx_StringArray& variableNames() const { return m_varNames; }
    const Vtx_StringArray& variableValues() const { return m_varValues; }

    /// The entries the last read left out, one line each naming the source
    /// and the entry: "C:\\Kestrel\\Bill.ksd: entry 2 (byte 22): value
    /// \"nine\" of key \"marginLeft\" is not a whole number; ...".
    const Vtx_StringArray& skippedEntries() const { return m_skipped; }

    /// The grid last read from (not stored).
    Vtx_Spread* grid() const { return m_grid; }
    bool isValid() const { return m_valid; }
    const Vtx_String& headerFile() const { return m_headerFile; }
    const Vtx_String& footerFile() const { return m_footerFile; }
    const Vtx_String& fontName() const { return m_fontName; }
    int textHeight() const { return m_textHeight; }
    int marginLeft() const { return m_marginLeft; }
    int marginRight() const { return m_marginRight; }
    int marginTop() const { return m_marginTop; }
    int marginBottom() const { return m_marginBottom; }
    bool smartPrint() const { return m_smartPrint; }
    bool colors() const { return m_colors; }
    bool colHeader() const { return m_colHeader; }
    bool rowHeader() const { return m_rowHeader; }
    bool cellSeparators() const { return m_cellSeparators; }
    bool border() const { return m_border; }

    void setFont(const Vtx_String& name, int height) {
        m_fontName = name;
        m_textHeight = height;
    }
    void setMargins(int left, int right, int top, int bottom);
    /// The six print flags in the order of the fields.
    void setFlags(bool smartPrint, bool colors, bool colHeader, bool rowHeader, bool cellSeparators,
                  bool border);

    /// Same stored content (the grid and the registry values are not compared).
    bool operator==(const KsPrintSettings& other) const;

private:
    bool carryPicture(Vtx_String& stored, const Vtx_String& savedFile, Vtx_String& claimedSource,
                      Vtx_String& claimedTarget);

    Vtx_Spread* m_grid = nullptr;
    bool m_valid = false;
    Vtx_String m_headerFile;
    Vtx_String m_footerFile;
    Vtx_String m_fontName = "Tahoma";
    int m_textHeight = 13;
    int m_marginLeft = 9;
    int m_marginRight = 5;
    int m_marginTop = 5;
    int m_marginBottom = 5;
    bool m_smartPrint = true;
    bool m_colors = true;
    bool m_colHeader = true;
    bool m_rowHeader = true;
    bool m_cellSeparators = true;
    bool m_border = true;
    Vtx_StringArray m_varNames;
    Vtx_StringArray m_varValues;
    Vtx_StringArray m_skipped;
    Vtx_String m_language = "EN";
    Vtx_String m_defaultSetName;
};
