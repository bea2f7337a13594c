// vtxss bill: produces a bill from a part list (CSV) through the bill output
// and saves it as a sheet file.

#include "Cli.h"
#include "Commands.h"
#include "Options.h"
#include "Output.h"
#include "Progress.h"

#include "platform/core/Files.h"
#include "platform/core/ListOutput.h"
#include "platform/core/MacroModel.h"
#include "spread/BillOutput.h"
#include "spread/VtxSpread.h"

#include <iostream>
#include <memory>

namespace cli {

namespace {

const char* const kDescription =
    "Reads a part list (UTF-8 CSV: a columns record, optional codes, settings and variable "
    "records, then row and subtotal records; see docs/bill-output.md), feeds it row by row into "
    "a bill and saves the bill as a sheet file with its variables and print settings. The part "
    "list is looked up as given, else under the library folder.";

const char* const kFooter =
    "With --pictures the pictures are written into the folder '<bill name> pictures' beside "
    "the bill, which the bill names them relative to; keep the two together. The bill is never "
    "written over the part list. --out - writes the bill (without pictures) to stdout. A progress "
    "line appears on stderr (when it is a terminal) for "
    "bills that take longer than a second; --quiet hides it.";

constexpr const char* kDefaultSettings = "Default";

struct BillOptions {
    std::string partList;
    std::string out;
    std::string settings;
    bool pictures = false;
    int pictureWidth = -1;
    bool quiet = false;
    bool json = false;
    Folders folders;
    CLI::Option* widthOption = nullptr;
};

// Passes the feed on to the bill and counts the parts for the progress line.
class ProgressFeed : public Vtx_ListOutputCallback {
public:
    ProgressFeed(Vtx_ListOutputCallback& bill, Progress& progress)
        : m_bill(bill), m_progress(progress) {}
    ErrorStatus onStartFeed() override { return m_bill.onStartFeed(); }
    ErrorStatus onEndFeed() override { return m_bill.onEndFeed(); }
    void onNewPage() override { m_bill.onNewPage(); }
    void onAddRow(const Vtx_StringArray& texts) override {
        m_bill.onAddRow(texts);
        m_progress.update(++m_parts);
    }
    void onAddSubTotals(const Vtx_StringArray& labels, const Vtx_StringArray& seconds, bool flag,
                        int number) override {
        m_bill.onAddSubTotals(labels, seconds, flag, number);
    }
    void onAddSeperation() override { m_bill.onAddSeperation(); }

private:
    Vtx_ListOutputCallback& m_bill;
    Progress& m_progress;
    long long m_parts = 0;
};

void checkOptions(const BillOptions& options) {
    if (options.partList.empty())
        misuse("give one part list (PARTS.csv)");
    if (given(options.widthOption) && !options.pictures)
        misuse("--picture-width goes with --pictures");
    if (isStdout(options.out) && options.pictures)
        misuse("a bill with pictures is saved as a file with its pictures beside it; name the "
               "file with --out");
    if (isStdout(options.out) && options.json)
        misuse("--json and --out - would both write to stdout");
}

// What a saved bill holds, for the report.
struct BillMade {
    int rows = 0;
    int columns = 0;
    int pictures = 0;
};

// Feeds the part list into a bill saved as out (module text).
BillMade makeBill(const BillOptions& options, const Vtx_Bill& bill, const Vtx_String& settings,
                  const Vtx_String& out, ModuleMessages& messages) {
    KsSSBillOutput output;
    if (output.init(out, bill.columnNames, {}, bill.rowProperties, settings, bill.variableNames,
                    bill.variableValues) != eOk)
        fail("cannot make the bill window");
    // The print settings and their pictures are read by now.
    refuseReadInput(out);
    // The transaction the pictures are made in; the picture maker only reads.
    Vtx_Database database;
    Vtx_Transaction transaction(&database);
    if (options.pictures)
        output.setVars(options.pictureWidth, 0, 0, true, true, &bill, &transaction);
    Progress progress("bill", "parts", bill.partCount(), Progress::wanted(options.quiet));
    ProgressFeed feed(output, progress);
    const ErrorStatus status = produceList(bill, feed);
    progress.finish();
    if (status != eOk) {
        const std::string errors = messages.takeErrors();
        const std::string what = status == eLimitExceeded ? "saved with lines or texts that did "
                                                            "not fit left out or cut"
                                 : status == eInvalidInput
                                     ? "saved without some of the bill variables"
                                     : "the bill was not saved";
        fail(shown(isStdout(options.out) ? Vtx_String("-") : out) + ": " + what +
             (errors.empty() ? "" : ": " + errors));
    }
    const Vtx_Spread* grid = output.getSSPointer();
    return {grid->getMaxRows(), grid->getMaxCols(),
            options.pictures ? output.imageOptions().made : 0};
}

int runBill(const BillOptions& options, ModuleMessages& messages) {
    checkOptions(options);
    setUpFolders(options.folders);
    const Vtx_String partList = libraryFile(options.partList, "the part list's name");
    const Vtx_String out =
        options.out.empty() ? changeExtension(partList, "kss") : moduleText(options.out, "--out");
    refuseOwnInput(out, partList, "the part list");

    Vtx_Bill bill;
    Vtx_String reason;
    if (readPartList(partList, bill, &reason) != eOk)
        fail(shown(reason));
    Vtx_String settings = moduleText(options.settings, "--settings");
    if (settings.isEmpty())
        settings = bill.settingsName.isEmpty() ? Vtx_String(kDefaultSettings) : bill.settingsName;

    BillMade made;
    if (isStdout(options.out))
        writeTarget(
            out, "kss", false,
            [&](const Vtx_String& path) {
                made = makeBill(options, bill, settings, path, messages);
            },
            {}, nativePath(partList).stem().string());
    else
        made = makeBill(options, bill, settings, out, messages);
    if (options.json) {
        Json report = {{"file", shown(out)},
                       {"partList", shown(partList)},
                       {"settings", shown(settings)},
                       {"parts", bill.partCount()},
                       {"rows", made.rows},
                       {"columns", made.columns},
                       {"pictures", options.pictures ? Json(made.pictures) : Json(nullptr)}};
        if (options.pictures)
            report["picturesFolder"] = shown(KsSSBillOutput::pictureFolderName(out));
        printJson(report);
    } else if (!options.quiet) {
        reportStream(options.out) << "Written: " << shown(out) << " (" << bill.partCount()
                                  << " parts, " << made.rows << " rows, " << made.columns
                                  << " columns"
                                  << (options.pictures
                                          ? ", " + std::to_string(made.pictures) + " pictures"
                                          : "")
                                  << ")\n";
    }
    return kExitOk;
}

} // namespace

Command addBillCommand(CLI::App& top) {
    auto options = std::make_shared<BillOptions>();
    CLI::App* app =
        addCommand(top, "bill", "make a bill from a part list (CSV) and save it as a sheet file",
                   kDescription, kFooter);
    app->add_option("PARTS.csv", options->partList, "the part list")->type_name("");
    addValueOption(*app, "-o,--out", options->out, "FILE.kss",
                   "the sheet file to write (default: the part list's name with the extension "
                   "kss, beside it)");
    addValueOption(*app, "--settings", options->settings, "NAME",
                   "the print-settings set (default: the part list's settings record, else "
                   "Default)");
    addSwitch(*app, "--pictures", options->pictures,
              "draw a picture of every part, saved in a folder beside the bill");
    options->widthOption =
        addNumberOption(*app, "--picture-width", options->pictureWidth, 1, kBillPictureMaxWidth,
                        "picture width in pixels (default 96)");
    addSwitch(*app, "-q,--quiet", options->quiet, "print nothing on success; no progress line");
    addSwitch(*app, "--json", options->json, "print what was written as one JSON document");
    addFolderOptions(*app, options->folders);
    return {app, [options](ModuleMessages& messages) { return runBill(*options, messages); }};
}

} // namespace cli
