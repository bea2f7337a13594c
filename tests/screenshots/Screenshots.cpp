// Opens every dialog of the module offscreen on the sample library in a
// few typical states and writes one PNG each into the folder given
// (scripts/screenshots.sh). A dialog added to the module adds its shots here.

#include "HostWindow.h"

#include "designer/DesignFiles.h"
#include "designer/ui/DesignArea.h"

#include "platform/core/DlgSizeStore.h"
#include "platform/core/Settings.h"
#include "platform/host/Host.h"
#include "platform/ui/TextInputDialog.h"
#include "platform/ui/UiText.h"
#include "platform/ui/VtxDialog.h"
#include "sectionlib/ProfValuesTable.h"
#include "sectionlib/SectionLibDialogs.h"
#include "sectionlib/ui/SectionChooser.h"
#include "spread/ReadSSFile.h"
#include "spread/ui/GridDialog.h"

#include <QApplication>
#include <QDir>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

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

// The module's shown window of a template, or null.
vtx::ui::VtxDialog* shownDialog(int templateId) {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<vtx::ui::VtxDialog*>(widget))
            if (dialog->templateId() == templateId && dialog->isVisible())
                return dialog;
    return nullptr;
}

// Shoots the module's window of a template, or counts it as missing.
void shootDialog(int templateId, const QDir& folder, const QString& name) {
    if (QWidget* dialog = shownDialog(templateId)) {
        shoot(*dialog, folder, name);
        dialog->close();
        QApplication::processEvents();
    } else {
        std::fprintf(stderr, "screenshots: %s did not open\n", qPrintable(name));
        ++g_failures;
    }
}

// Shoots the modal dialog that comes up next, then closes it (Cancel).
void shootModal(const QDir& folder, const QString& name) {
    QTimer::singleShot(0, [folder, name] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            shoot(*modal, folder, name);
            modal->close();
        } else {
            std::fprintf(stderr, "screenshots: %s did not open\n", qPrintable(name));
            ++g_failures;
        }
    });
}

/// Shows a design of the sample library live in a dialog, as a macro dialog's
/// tab shows it, with the given variable values set by window id.
void shootDesign(const QDir& folder, const char* design,
                 std::initializer_list<std::pair<const char*, const char*>> values,
                 const QString& name) {
    vtx::ui::VtxDialog dialog(0);
    dialog.setWindowTitle(QString::fromLatin1(design));
    auto* area = new vtx::designui::DesignArea(&dialog);
    area->design().setDynIdRange(33000, 33099);
    if (!area->readFromFile(getDesignerRootFolder() + design + ".txt")) {
        std::fprintf(stderr, "screenshots: %s\n", area->design().lastError().c_str());
        ++g_failures;
    }
    area->redrawAllControls();
    int i = -1;
    for (const auto& [variable, value] : values)
        if (area->findEditCtrlWithContents(variable, i))
            area->setCtrlValue(area->design().getControl(i)->resourceId, value);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(area);
    shoot(dialog, folder, name);
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
    // Sizes the dialogs keep go to a scratch folder: every shot shows the
    // default size, and the sample installation stays as shipped.
    QTemporaryDir sizes;
    Vtx_String sizeFolder;
    vtx::ui::moduleText(sizes.path(), sizeFolder);
    setDlgSizeFolder(sizeFolder);

    {
        host::HostWindow window(VTX_MODULE_LIBRARY);
        window.openDrawing(gSettings.libDir + "Drawings\\sample.vtxd");
        shoot(window, folder, QStringLiteral("host-opened"));
        window.applyStandards({});
        shoot(window, folder, QStringLiteral("host-applied"));

        // The sample bill in its window, saved in a scratch folder.
        QTemporaryDir scratch;
        Vtx_String bill;
        vtx::ui::moduleText(scratch.filePath(QStringLiteral("Hall-7.kss")), bill);
        window.produceBill(gSettings.libDir + "Bills\\Hall-7.csv", bill);
        if (QWidget* billWindow = shownDialog(248)) {
            // F3 in the bill's grid opens the find/replace dialog over it.
            if (QWidget* grid = static_cast<vtx::ui::VtxDialog*>(billWindow)->control(1196)) {
                QTest::keyClick(grid, Qt::Key_F3);
                shootDialog(218, folder, QStringLiteral("find-replace"));
            }
        }
        shootDialog(248, folder, QStringLiteral("bill-window"));

        // A standards sheet in the formula dialog, and its formulas in R1C1.
        openFormulaDialog(gSettings.libDir + "Connection Standards\\FinPlate\\FP-Standard.kss", 1,
                          1);
        shootDialog(133, folder, QStringLiteral("formula-dialog"));

        // The sample drawing's general variables, shot while the dialog runs.
        shootModal(folder, QStringLiteral("general-variables"));
        window.session().editGeneralVariables();

        // A table in the grid dialog.
        shootModal(folder, QStringLiteral("grid-dialog"));
        const Vtx_Array<Vtx_StringArray> headers{{"Plate", "Thickness", "Welded"}, {"", "N1", "C"}};
        Vtx_Array<Vtx_StringArray> rows{
            {"Fin plate", "10", "1"}, {"End plate", "15", "0"}, {"Base plate", "20", "1"}};
        startGridDialog(headers, rows, true, "DLG_SS_STRINGARRAY", "Plates");

        // A new section in the sample IPE table, by the example of IPE 200
        // (closed with Cancel: the table file stays as shipped).
        Vtx_ProfValuesTable ipe;
        if (ipe.readFromFile("IPE")) {
            shootModal(folder, QStringLiteral("new-section"));
            int index = -1;
            StartDlgEditLibSimple("200", ipe, index);
        } else {
            std::fprintf(stderr, "screenshots: the sample IPE table cannot be read\n");
            ++g_failures;
        }

        // The section selection dialog, opened at HEB 240.
        shootModal(folder, QStringLiteral("section-select"));
        Vtx_String section = "HEB-240";
        vtx::sectionui::chooseSection(section, false);

        // The sample design in the designer, its thickness combo clicked
        // (selected, shown in the property strip); closed unchanged.
        QTimer::singleShot(0, [folder] {
            auto* modal = qobject_cast<vtx::ui::VtxDialog*>(QApplication::activeModalWidget());
            QWidget* combo = modal ? modal->control(33002) : nullptr;
            if (!combo) {
                std::fprintf(stderr, "screenshots: designer did not open\n");
                ++g_failures;
                if (modal)
                    modal->close();
                return;
            }
            const QPoint centre = combo->mapTo(modal, combo->rect().center());
            QWidget* target = modal->childAt(centre);
            QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(modal, centre));
            shoot(*modal, folder, QStringLiteral("designer"));
            modal->close();
        });
        window.openDesigner(designFilePath("EndPlate\\EndPlate", "txt"));

        // The section-library editor on the tables page at IPE 200 (closed
        // with Cancel: nothing is written).
        DlgEditLibData library;
        if (library.readFromFile(DlgEditLibData::libraryFile()) == eOk) {
            library.GetAvailableFiles();
            shootModal(folder, QStringLiteral("section-library"));
            StartDlgEditLibSections(library, "IPE-200");
            // Without a start text it opens on the groups page; then the types.
            QTimer::singleShot(0, [folder] {
                QWidget* modal = QApplication::activeModalWidget();
                auto* tabs = modal ? modal->findChild<QTabWidget*>() : nullptr;
                if (!tabs) {
                    std::fprintf(stderr, "screenshots: the section-library editor did not open\n");
                    ++g_failures;
                    if (modal)
                        modal->close();
                    return;
                }
                shoot(*modal, folder, QStringLiteral("section-library-groups"));
                tabs->setCurrentIndex(1);
                QTest::qWait(50);
                shoot(*modal, folder, QStringLiteral("section-library-types"));
                modal->close();
            });
            StartDlgEditLibSections(library, "");
        } else {
            std::fprintf(stderr, "screenshots: the sample section library cannot be read\n");
            ++g_failures;
        }
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
    // Sample designs shown live in a dialog, values set by id.
    shootDesign(folder, "EndPlate\\EndPlate",
                {{"Thickness", "15"},
                 {"Width", "200"},
                 {"Height", "360"},
                 {"TopExtension", "40"},
                 {"BottomExtension", "40"},
                 {"Weld", "6"},
                 {"PlateArea", "72000"}},
                QStringLiteral("design-endplate"));
    shootDesign(folder, "EndPlate\\Bolts",
                {{"EdgeDistance", "40"}, {"Gauge", "100"}, {"Pitch", "90"}, {"RowOffset", "60"}},
                QStringLiteral("design-endplate-bolts"));
    shootDesign(folder, "FinPlate\\FinPlate",
                {{"Thickness", "10"}, {"Width", "100"}, {"Height", "210"}, {"Weld", "5"}},
                QStringLiteral("design-finplate"));
    shootDesign(folder, "BasePlate\\BasePlate",
                {{"Thickness", "25"}, {"Width", "400"}, {"Length", "400"}, {"Weld", "8"}},
                QStringLiteral("design-baseplate"));
    return g_failures == 0 ? 0 : 1;
}
