#include "spread/export/SheetExport.h"

#include "platform/core/Files.h"
#include "platform/sheet/SheetModel.h"
#include "spread/ExportCsv.h"
#include "spread/export/XlsxExport.h"

bool exportFormatFromName(const Vtx_String& nameOrPath, ExportFormat& format) {
    const int dot = nameOrPath.findLast('.');
    const Vtx_String name = dot >= 0 ? nameOrPath.mid(dot + 1) : nameOrPath;
    if (name.equal("xlsx", false)) {
        format = ExportFormat::Xlsx;
        return true;
    }
    if (name.equal("csv", false)) {
        format = ExportFormat::Csv;
        return true;
    }
    return false;
}

ErrorStatus exportSheet(const vtx::sheet::SheetModel& model, const Vtx_String& path,
                        ExportFormat format, const ExportOptions& options, ExportSummary* summary,
                        Vtx_String* reason) {
    if (format == ExportFormat::Csv)
        return exportSheetToCsv(model, path, options, summary, reason);
    return exportSheetToXlsx(model, path, options, summary, reason);
}

ErrorStatus exportSheetFile(const Vtx_String& sheetFile, const Vtx_String& path,
                            ExportFormat format, ExportOptions options, ExportSummary* summary,
                            Vtx_String* reason) {
    vtx::sheet::SheetModel model;
    std::string why;
    if (!model.load(nativePath(sheetFile).string(), &why)) {
        if (reason)
            *reason = why.empty() ? sheetFile + ": cannot be read" : Vtx_String(why);
        return fileExists(sheetFile) ? eBadFileFormat : eFileNotFound;
    }
    options.referenceFile = sheetFile;
    return exportSheet(model, path, format, options, summary, reason);
}
