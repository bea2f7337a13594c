#pragma once

/// Files of the core library: line files, whole-file reads and atomic writes,
/// file search and paths.
///
/// Core paths are 8-bit texts and may use "\\" or "/" as separators; both map
/// to the native separator. On the file system a core path's bytes are the
/// UTF-8 form of its Windows-1252 text (toUtf8), so every byte value survives
/// a trip to a file name and back.
///
///     Vtx_StringArray lines;
///     Vtx_String reason;
///     if (ObjectExportReadFile(gSettings.libDir + "prof\\HEA.pr", lines, &reason) != eOk)
///         report(reason);   // "<path>: file not found"

#include "platform/Exports.h"
#include "platform/core/ErrorStatus.h"
#include "platform/core/VtxString.h"
#include "platform/core/VtxStringArray.h"

#include <filesystem>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

/// Lines longer than this (in bytes, without the line end) are refused by
/// ObjectExportReadFile and ObjectExportWriteFile.
constexpr int kMaxLineLength = 1 << 20;
/// Files larger than this are refused by readFileBytes and the readers built
/// on it.
constexpr long long kMaxFileSize = 256LL << 20;

/// The native path of a core path ("Connection Standards\\Data\\x.txt"):
/// the UTF-8 form of its text. Where that is not on disk, each part of the
/// path is looked up in UTF-8 and then in its 8-bit bytes (a name another
/// program stored in 8-bit bytes); parts on disk in neither form are UTF-8.
VTX_CORE_API std::filesystem::path nativePath(const Vtx_String& path);
/// A core path with "\\" separators from a native path: names on disk in
/// UTF-8 of Windows-1252 characters become those characters; any other name
/// (8-bit bytes, UTF-8 of characters outside Windows-1252) keeps its bytes,
/// so that nativePath finds the file again.
VTX_CORE_API Vtx_String corePath(const std::filesystem::path& path);
/// True when both paths name one existing file: the same device and inode,
/// however it is reached (links, hard links, other spellings of the path).
VTX_CORE_API bool sameFile(const Vtx_String& a, const Vtx_String& b);

/// Records the files that readFileBytes (and the readers built on it) read
/// while it lives, so that a command can refuse to write over one of its
/// own inputs. Logs nest; each records what is read while it lives.
/// Thread-safe.
///
///     FileReadLog inputs;
///     ... read ...
///     if (const Vtx_String input = inputs.find(target); !input.isEmpty())
///         refuse(target, input);
class VTX_CORE_API FileReadLog {
public:
    FileReadLog();
    ~FileReadLog();
    FileReadLog(const FileReadLog&) = delete;
    FileReadLog& operator=(const FileReadLog&) = delete;
    /// The file read while the log lived that is the file path names (see
    /// sameFile), as it was named when read; empty when there is none.
    Vtx_String find(const Vtx_String& path) const;
    /// Called by the readers for each file read whole.
    static void noteRead(const Vtx_String& path);

private:
    FileReadLog* m_outer = nullptr;
    std::set<std::string> m_files;
};
/// The path with its extension replaced by ext (no dot): "a\\b.kss", "map"
/// gives "a\\b.map"; a path without extension gets ".ext"; an empty ext
/// removes the extension. A dot in a folder name is not an extension.
VTX_CORE_API Vtx_String changeExtension(const Vtx_String& path, const Vtx_String& ext);
/// True when path names an existing regular file.
VTX_CORE_API bool fileExists(const Vtx_String& path);
/// True when path names an existing folder.
VTX_CORE_API bool folderExists(const Vtx_String& path);

/// What tells one version of a file from another cheaply: its size and its
/// modification time (nanoseconds of the file system's clock).
struct VTX_CORE_API FileStamp {
    std::uintmax_t size = 0;
    long long modified = 0;
    bool operator==(const FileStamp&) const = default;
};
/// The stamp of a regular file, in one system call; false when path names no
/// regular file (stamp unchanged).
VTX_CORE_API bool fileStampOf(const Vtx_String& path, FileStamp& stamp);

/// Reads a whole file as bytes. eFileNotFound when it does not exist,
/// eFileAccessErr when it cannot be read (or is a folder), eLimitExceeded
/// when it is larger than kMaxFileSize. On failure reason (when given) gets a
/// text naming the file.
VTX_CORE_API ErrorStatus readFileBytes(const Vtx_String& path, std::string& bytes,
                                       Vtx_String* reason = nullptr);
/// Reads a text file's lines as bytes (no decoding) into lines (emptied
/// first). "\n" and "\r\n" both end a line; a last line without an end is
/// kept; a file ending in a line end has no empty last line. Errors as
/// readFileBytes, and eLimitExceeded for a line longer than kMaxLineLength,
/// with a reason naming the file and line; lines is then empty.
VTX_CORE_API ErrorStatus ObjectExportReadFile(const Vtx_String& path, Vtx_StringArray& lines,
                                              Vtx_String* reason = nullptr);
/// Writes lines, each ended by "\r\n", through writeFileAtomically. A line
/// holding "\n" (it would come back as two lines) gives eInvalidInput, a line
/// longer than kMaxLineLength eLimitExceeded; nothing is written then.
VTX_CORE_API ErrorStatus ObjectExportWriteFile(const Vtx_String& path,
                                               const Vtx_StringArray& lines);
/// Writes bytes whole to a temporary file beside path, flushes it to disk and
/// renames it over path, so path holds either its old or its new content
/// whatever happens. The folder must exist (eFileAccessErr otherwise).
VTX_CORE_API ErrorStatus writeFileAtomically(const Vtx_String& path, std::string_view bytes);
/// writeFileAtomically for a batch of files that belong together (a bill's
/// pictures): every new content is written beside its target, then one
/// sync for all, then the renames, then each folder's entry list, so that
/// the batch costs a few syncs instead of several per file and a crash
/// leaves every target whole. Leftover temporary files of the same targets
/// (from a killed writer) are removed. On failure the temporary files are
/// removed, failed names the file, and targets renamed already stay new.
VTX_CORE_API ErrorStatus
writeFilesAtomically(const std::vector<std::pair<Vtx_String, std::string_view>>& files,
                     Vtx_String* failed = nullptr);

/// True when path is a file holding exactly bytes: a writer can leave such a
/// file as it is instead of writing it again.
VTX_CORE_API bool fileHolds(const Vtx_String& path, std::string_view bytes);

/// Files (not folders) in folder whose names match pattern ("*.kss"; "*" any
/// run of characters, "?" one character, case ignored; an empty pattern
/// matches every file). files is emptied first and gets the folder text as
/// given (with a closing "\\" added when missing) followed by each name,
/// sorted with case ignored. eFileNotFound when the folder does not exist.
VTX_CORE_API ErrorStatus ObjectExportFindFiles(const Vtx_String& folder, const Vtx_String& pattern,
                                               Vtx_StringArray& files);
/// As ObjectExportFindFiles, through every sub-folder too; the names carry
/// their sub-folders ("Childs\\a.kss"). Folders without read permission
/// are skipped; symbolic links to folders are not followed; any other read
/// error gives eFileAccessErr.
VTX_CORE_API ErrorStatus ObjectExportFindFilesRecursive(const Vtx_String& folder,
                                                        const Vtx_String& pattern,
                                                        Vtx_StringArray& files);
/// The file relativeName below folder, found with letter case ignored in
/// every part of the name, as the family's file systems find files: for
/// folder "icons\\" and "rails\\gantry-small.bmp" it gives
/// "Rails\\Gantry-Small.bmp" when that is how the parts are spelt on disk.
/// A part spelt as given is preferred; of several spellings that differ
/// only in case, the first in sorted order is taken. The result uses "\\"
/// between parts; empty when no file matches (or relativeName is empty).
VTX_CORE_API Vtx_String findFileIgnoringCase(const Vtx_String& folder,
                                             const Vtx_String& relativeName);
/// True while the process pid runs (one that is not ours counts too): how
/// the leftovers of killed writers are told from files still being written.
VTX_CORE_API bool processRunning(long long pid);
/// True when name matches pattern as ObjectExportFindFiles matches them.
VTX_CORE_API bool matchesFilePattern(const Vtx_String& name, const Vtx_String& pattern);
