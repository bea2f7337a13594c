// vtxss-host: a desktop stand-in for the CAD host. It loads the module
// library, opens a drawing of the library (the sample drawing by default)
// and lets a user run the module's Start functions from its menus, with the
// host's command line in its window.
//
//     vtxss-host [--library FOLDER] [--install FOLDER] [DRAWING]

#include "HostWindow.h"

#include "platform/core/DlgSizeStore.h"
#include "platform/core/Files.h"
#include "platform/core/Settings.h"
#include "platform/host/Host.h"
#include "platform/ui/QtPrompter.h"
#include "platform/ui/UiText.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// A folder given, else from the environment, else the one shipped beside
// the installed program (share/vtxss/<shipped>), else the build's sample.
QString folder(const QCommandLineParser& parser, const QString& option, const char* env,
               const QString& shipped, const char* fallback) {
    if (parser.isSet(option))
        return parser.value(option);
    const QString fromEnv = qEnvironmentVariable(env);
    if (!fromEnv.isEmpty())
        return fromEnv;
    const QString installed =
        QCoreApplication::applicationDirPath() + QStringLiteral("/../share/vtxss/") + shipped;
    return QFileInfo(installed).isDir() ? QDir(installed).canonicalPath()
                                        : QString::fromUtf8(fallback);
}

// The module library beside the program (installed), else the build's.
QString modulePath() {
    const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/../lib/") +
                           QStringLiteral(VTX_MODULE_FILE);
    return QFileInfo::exists(beside) ? QFileInfo(beside).canonicalFilePath()
                                     : QStringLiteral(VTX_BUILD_MODULE);
}

Vtx_String moduleFolder(const QString& path) {
    Vtx_String text;
    vtx::ui::moduleText(QDir(path).absolutePath(), text);
    return text;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vtxss-host"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Runs the module's dialogs on a library."));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("library"), QStringLiteral("The library folder."),
                      QStringLiteral("FOLDER")});
    parser.addOption({QStringLiteral("install"),
                      QStringLiteral("The installation folder (language texts)."),
                      QStringLiteral("FOLDER")});
    parser.addPositionalArgument(QStringLiteral("drawing"), QStringLiteral("The drawing to open."));
    parser.process(app);

    Host host;
    HostScope scope(host);
    gSettings.setLibDir(moduleFolder(folder(parser, QStringLiteral("library"), "VTX_LIBRARY",
                                            QStringLiteral("library"), VTX_DEFAULT_LIBRARY)));
    gSettings.setVtxDir(moduleFolder(folder(parser, QStringLiteral("install"), "VTX_INSTALL",
                                            QStringLiteral("install"), VTX_DEFAULT_INSTALL)));
    // The dialogs keep their sizes per user, not in the installation folder.
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    Vtx_String sizeFolder;
    if (!config.isEmpty() && vtx::ui::moduleText(config, sizeFolder))
        setDlgSizeFolder(sizeFolder);
    Vtx_String module;
    vtx::ui::moduleText(modulePath(), module);
    host::HostWindow window(module);
    vtx::ui::QtPrompter prompter(&window);
    host.setPrompter(&prompter);
    const QStringList args = parser.positionalArguments();
    Vtx_String drawing = gSettings.libDir + "Drawings\\sample.vtxd";
    if (!args.isEmpty())
        vtx::ui::moduleText(args.front(), drawing);
    window.openDrawing(drawing);
    window.show();
    const int code = QApplication::exec();
    host.setPrompter(nullptr);
    return code;
}
