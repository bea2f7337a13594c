// vtxss-render: draws a dialog design as a user sees it at run time (its
// picture with the live controls, in a dialog) and saves it as a PNG file.
// `vtxss design render` runs it; it is a program of its own so that vtxss
// never starts Qt.
//
//     vtxss-render DESIGN.txt --out FILE.png [--lib FOLDER] [--install FOLDER]
//
// Runs on Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise.
// Exit status: 0 written, 1 the design or the file failed, 2 the command
// line is wrong; a failure is one line on stderr, "vtxss-render: reason".

#include "designer/ui/DesignArea.h"

#include "platform/core/Settings.h"
#include "platform/host/Host.h"
#include "platform/ui/UiText.h"
#include "platform/ui/VtxDialog.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>
#include <QVBoxLayout>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitMisuse = 2;

const char* const kUsage =
    "Usage: vtxss-render DESIGN --out PNG [--lib FOLDER] [--install FOLDER]\n"
    "Draws the dialog design DESIGN (a .txt file below the library's designer folder) as a\n"
    "dialog shows it at run time and saves it as the PNG file PNG.\n";

int complain(int code, const std::string& reason) {
    std::fprintf(stderr, "vtxss-render: %s\n", reason.c_str());
    return code;
}

struct Arguments {
    std::string design;
    std::string out;
    std::string lib;
    std::string install;
};

// Parses the command line; an empty text when it is good, else the reason.
std::string parse(int argc, char** argv, Arguments& args, bool& help) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-h" || arg == "--help") {
            help = true;
            return {};
        }
        std::string* value = arg == "-o" || arg == "--out" ? &args.out
                             : arg == "--lib"              ? &args.lib
                             : arg == "--install"          ? &args.install
                                                           : nullptr;
        if (value) {
            if (i + 1 >= argc)
                return arg + " needs a value";
            *value = argv[++i];
        } else if (arg.size() > 1 && arg[0] == '-') {
            return "unknown option '" + arg + "'";
        } else if (args.design.empty()) {
            args.design = arg;
        } else {
            return "unexpected argument '" + arg + "'";
        }
    }
    if (args.design.empty())
        return "give the design to draw";
    if (args.out.empty())
        return "give the PNG file with --out";
    return {};
}

// A folder given, else from the environment, else the one shipped beside
// the installed program, else the build's sample.
Vtx_String moduleFolder(const std::string& given, const char* env, const char* shipped,
                        const char* fallback) {
    QString path = QString::fromLocal8Bit(given.c_str());
    if (path.isEmpty())
        path = qEnvironmentVariable(env);
    if (path.isEmpty()) {
        const QDir installed(QCoreApplication::applicationDirPath() +
                             QStringLiteral("/" VTX_DATA_FROM_BIN "/") + QLatin1String(shipped));
        path = installed.exists() ? installed.canonicalPath() : QString::fromUtf8(fallback);
    }
    Vtx_String text;
    vtx::ui::moduleText(QDir(path).absolutePath(), text);
    return text;
}

} // namespace

int main(int argc, char** argv) {
    Arguments args;
    bool help = false;
    if (const std::string problem = parse(argc, argv, args, help); !problem.empty())
        return complain(kExitMisuse, problem + " (see vtxss-render --help)");
    if (help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Qt's own notes (the offscreen platform's missing runtime folder, ...)
    // would break the rule of one line per failure on stderr.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "vtxss-render: %s\n", qPrintable(text));
    });
    QApplication app(argc, argv);

    Host host;
    HostScope scope(host);
    host.commandLine().setEcho(CommandLineEcho::Off);
    gSettings.setLibDir(moduleFolder(args.lib, "VTX_LIBRARY", "library", VTX_DEFAULT_LIBRARY));
    gSettings.setVtxDir(moduleFolder(args.install, "VTX_INSTALL", "install", VTX_DEFAULT_INSTALL));

    Vtx_String design;
    if (!vtx::ui::moduleText(
            QFileInfo(QString::fromLocal8Bit(args.design.c_str())).absoluteFilePath(), design))
        return complain(kExitFailure, "the design's path holds a character module text cannot "
                                      "hold");
    vtx::ui::VtxDialog dialog(0);
    auto* area = new vtx::designui::DesignArea(&dialog);
    area->design().setDynIdRange(33000, 33099);
    if (!area->readFromFile(design)) {
        const std::string reason = vtx::ui::qtText(area->design().lastError()).toStdString();
        // A damaged design is shown as far as it could be read, as a dialog
        // shows it; one that was not read at all has nothing to draw.
        if (area->design().designName().isEmpty())
            return complain(kExitFailure, reason);
        complain(0, "warning: " + reason);
    }
    dialog.setWindowTitle(vtx::ui::qtText(area->design().designName()));
    area->redrawAllControls();
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(area);
    dialog.show();
    QApplication::processEvents();

    const QString out = QString::fromLocal8Bit(args.out.c_str());
    const QImage image = dialog.grab().toImage();
    QSaveFile file(out);
    if (!file.open(QIODevice::WriteOnly))
        return complain(kExitFailure,
                        "cannot write " + args.out + ": " + file.errorString().toStdString());
    QImageWriter writer(&file, "png");
    if (!writer.write(image) || !file.commit())
        return complain(kExitFailure,
                        "cannot write " + args.out + ": " + file.errorString().toStdString());
    std::printf("Wrote %s (%d x %d pixels).\n", args.out.c_str(), image.width(), image.height());
    return 0;
}
