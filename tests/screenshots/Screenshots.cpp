// Opens every dialog of the module offscreen on the sample library in a
// few typical states and writes one PNG each into the folder given
// (scripts/screenshots.sh). A dialog added to the module adds its shots here.

#include "HostWindow.h"

#include "platform/core/Settings.h"
#include "platform/host/Host.h"
#include "platform/ui/TextInputDialog.h"
#include "platform/ui/UiText.h"

#include <QApplication>
#include <QDir>
#include <QPlainTextEdit>
#include <QTest>

#include <cstdio>
#include <functional>

namespace {

int g_failures = 0;

// Shows the widget, lets it lay itself out and writes it as name.png.
void shoot(QWidget& widget, const QDir& folder, const QString& name) {
    widget.show();
    if (!QTest::qWaitForWindowExposed(&widget))
        std::fprintf(stderr, "screenshots: %s was not shown\n", qPrintable(name));
    QApplication::processEvents();
    const QString file = folder.filePath(name + QStringLiteral(".png"));
    if (!widget.grab().save(file)) {
        std::fprintf(stderr, "screenshots: cannot write %s\n", qPrintable(file));
        ++g_failures;
        return;
    }
    const QStringList missing = vtx::ui::missingTexts(&widget);
    for (const QString& text : missing)
        std::fprintf(stderr, "screenshots: %s shows a missing text: %s\n", qPrintable(name),
                     qPrintable(text));
    g_failures += static_cast<int>(missing.size());
    std::printf("%s\n", qPrintable(file));
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: vtx_screenshots FOLDER\n");
        return 2;
    }
    QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "screenshots: cannot make %s\n", argv[1]);
        return 1;
    }
    Host host;
    HostScope scope(host);
    gSettings.setLibDir(VTX_SAMPLE_DIR "/library");
    gSettings.setVtxDir(VTX_SAMPLE_DIR "/install");

    {
        host::HostWindow window(VTX_MODULE_LIBRARY);
        window.openDrawing(gSettings.libDir + "Drawings\\sample.vtxd");
        shoot(window, folder, QStringLiteral("host-opened"));
        window.applyStandards({});
        shoot(window, folder, QStringLiteral("host-applied"));
    }
    {
        TextInputRequest request;
        request.caption = "Insert column";
        request.prompt = "Header of the new column";
        request.value = "Column 3";
        vtx::ui::TextInputDialog dialog(request);
        shoot(dialog, folder, QStringLiteral("text-input"));
        request.editShown = false;
        request.prompt = "Delete the selected rows?";
        vtx::ui::TextInputDialog message(request);
        shoot(message, folder, QStringLiteral("text-input-message"));
    }
    return g_failures == 0 ? 0 : 1;
}
