#pragma once

// A grid shown in a real dialog: a placeholder replaced through QtDialogHost,
// the two check-box pictures among the host's resources, helpers to reach a
// cell's place on screen.

#include "UiFixture.h"

#include "platform/host/Resources.h"
#include "platform/sheet/SheetModel.h"
#include "platform/ui/VtxDialog.h"
#include "spread/VtxSpread.h"
#include "spread/ui/CellLook.h"
#include "spread/ui/QtDialogHost.h"
#include "spread/ui/SheetTableModel.h"
#include "spread/ui/SpreadView.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include <array>

#include <map>
#include <memory>

namespace gridtest {

// BMP pictures made on the spot: a grey box, filled black when checked.
class TestPictures : public ResourceSource {
public:
    TestPictures() {
        m_bitmaps[kCheckBoxPictureOff] = bmp(false);
        m_bitmaps[kCheckBoxPictureOn] = bmp(true);
    }
    Vtx_String resourceName() const override { return "test pictures"; }
    std::string_view findResource(ResourceKind kind, int id) const override {
        auto it = m_bitmaps.find(id);
        return kind == ResourceKind::Bitmap && it != m_bitmaps.end() ? std::string_view(it->second)
                                                                     : std::string_view();
    }

private:
    static std::string bmp(bool filled) {
        QImage image(16, 16, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setPen(Qt::gray);
        painter.setBrush(filled ? Qt::black : Qt::white);
        painter.drawRect(2, 2, 11, 11);
        painter.end();
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "BMP");
        return bytes.toStdString();
    }
    std::map<int, std::string> m_bitmaps;
};

class GridWidgetFixture : public uitest::UiFixture {
protected:
    static constexpr int kPlaceholder = 1196;

    void SetUp() override {
        UiFixture::SetUp();
        host.resources().registerSource(&pictures);
        dialog = std::make_unique<vtx::ui::VtxDialog>(248);
        // Without a layout the dialog has no size hint: its least size is its size.
        dialog->setMinimumSize(400, 320);
        auto* placeholder = new QWidget(dialog.get());
        placeholder->setGeometry(30, 40, 300, 200);
        vtx::ui::VtxDialog::setControlId(placeholder, kPlaceholder);
        dialogHost = std::make_unique<vtx::spreadui::QtDialogHost>(*dialog);
    }
    void TearDown() override {
        dialog.reset();
        host.resources().unregisterSource(&pictures);
        UiFixture::TearDown();
    }

    /// Creates the grid (columns x rows, the system look) and shows the dialog.
    vtx::spreadui::SpreadView* show(int columns, int rows, bool exactRect = true) {
        EXPECT_TRUE(grid.createInDialog(dialogHost.get(), kPlaceholder, exactRect));
        grid.setMaxCols(columns, false);
        grid.setMaxRows(rows, false);
        grid.applyGridStyle(1);
        auto* view = dialogHost->view(kPlaceholder);
        dialog->show();
        dialog->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        view->sync();
        return view;
    }
    /// The centre of a cell (1-based) in the view's viewport.
    static QPoint cellCentre(vtx::spreadui::SpreadView* view, int column, int row) {
        return view->visualRect(view->model()->index(row - 1, column - 1)).center();
    }
    static std::string text(Vtx_Spread& g, int column, int row) {
        Vtx_String t;
        g.getCellText(column, row, t, kTextValue);
        return t.str();
    }
    void click(vtx::spreadui::SpreadView* view, int column, int row) {
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cellCentre(view, column, row));
        view->sync();
    }

    TestPictures pictures;
    std::unique_ptr<vtx::ui::VtxDialog> dialog;
    std::unique_ptr<vtx::spreadui::QtDialogHost> dialogHost;
    Vtx_Spread grid;
};

} // namespace gridtest
