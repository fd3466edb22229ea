#include "edits/GxEdit.h"

#include "EditTestSupport.h"
#include "edits/GxEditInfo.h"
#include "edits/GxReversedArrow.h"
#include "platform/Canvas.h"
#include "platform/Cursors.h"
#include "platform/Exception.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QImage SolidGlyph(int width, int height, QColor colour)
{
    QImage glyph(width, height, QImage::Format_RGB32);
    glyph.fill(colour);
    return glyph;
}

void Move(QWidget& widget, QPoint point)
{
    QMouseEvent event(QEvent::MouseMove, point, widget.mapToGlobal(point), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

} // namespace

TEST(EditTest, textMarginsMakeRoomForThePreviewAndTheGlyph)
{
    TGxEdit edit;
    edit.EditMargins().SetLeft(3);
    edit.EditMargins().SetRight(4);
    EXPECT_EQ(edit.textMargins(), QMargins(3, 0, 4, 0));
    EXPECT_FALSE(edit.EditInfo().Wanted());

    // The left margin counts once next to the preview box and its 5-pixel gap.
    edit.SetShowPreview(true);
    EXPECT_EQ(edit.textMargins(), QMargins(3 + 25, 0, 4, 0));
    edit.SetGlyph(SolidGlyph(16, 12, Qt::blue));
    EXPECT_EQ(edit.textMargins(), QMargins(3 + 25 + 20, 0, 4, 0));

    const QRect client = edit.ClientRect();
    EXPECT_EQ(edit.EditInfo().geometry(),
              QRect(client.topLeft(), QSize(16 + 4 + 20, client.height())));
    EXPECT_TRUE(edit.EditInfo().isVisibleTo(&edit));

    edit.SetShowPreview(false);
    edit.SetGlyph(QImage());
    EXPECT_EQ(edit.textMargins(), QMargins(3, 0, 4, 0));
    EXPECT_FALSE(edit.EditInfo().isVisibleTo(&edit));
}

TEST(EditTest, theSelectAllZoneReachesTwoPixelsPastTheLeftSideArea)
{
    // Without a left-side area the zone is the client area's first three pixel columns.
    for (const bool preview : {false, true}) {
        TGxEdit edit;
        edit.resize(150, 24);
        edit.setText(QStringLiteral("some words here"));
        edit.SetShowPreview(preview);
        const int zoneEnd = edit.ClientRect().left() + (preview ? 20 : 0) + 2;

        Move(edit, QPoint(zoneEnd, 10));
        EXPECT_EQ(edit.cursor().shape(), Qt::BitmapCursor) << preview;
        EXPECT_EQ(edit.cursor().hotSpot(), ReversedArrowCursor().hotSpot());
        Move(edit, QPoint(zoneEnd + 1, 10));
        EXPECT_EQ(edit.cursor().shape(), Qt::IBeamCursor) << preview;

        QTest::mouseClick(&edit, Qt::LeftButton, Qt::NoModifier, QPoint(zoneEnd + 1, 10));
        EXPECT_FALSE(edit.hasSelectedText()) << preview;
        QTest::mouseClick(&edit, Qt::LeftButton, Qt::NoModifier, QPoint(zoneEnd, 10));
        EXPECT_EQ(edit.selectedText(), edit.text()) << preview;
    }
    EXPECT_EQ(TCursors::Screen().Cursor(kReversedArrowCursorId).hotSpot(),
              ReversedArrowCursor().hotSpot());
}

TEST(EditTest, thePreviewBoxIsFramedInGreyAndPaintedByTheEvent)
{
    TGxEdit edit;
    edit.resize(150, 24);
    edit.SetShowPreview(true);
    QRect handed;
    edit.OnCustomPreviewDraw = [&handed](TGxCustomEdit*, TCanvas& canvas, const QRect& rect) {
        handed = rect;
        canvas.FillRect(rect, clRed);
    };
    TGxEditInfo& area = edit.EditInfo();
    const QImage picture = area.grab().toImage();
    EXPECT_EQ(handed, QRect(1, 1, 18, area.height() - 2));
    EXPECT_EQ(picture.pixelColor(0, 0), QColor(128, 128, 128));
    EXPECT_EQ(picture.pixelColor(19, area.height() - 1), QColor(128, 128, 128));
    EXPECT_EQ(picture.pixelColor(10, area.height() / 2), QColor(Qt::red));

    edit.SetPreviewBorder(false);
    area.grab();
    EXPECT_EQ(handed, QRect(0, 0, 20, area.height()));
}

TEST(EditTest, theGlyphIsDrawnWithoutItsBottomLeftColourAndAPressOnItIsAClick)
{
    TGxEdit edit;
    edit.resize(150, 24);
    QImage glyph = SolidGlyph(10, 10, Qt::green);
    glyph.setPixelColor(0, 9, Qt::magenta);
    glyph.setPixelColor(9, 0, Qt::magenta);
    edit.SetGlyph(glyph);
    int clicks = 0;
    edit.OnGlyphClick = [&clicks](TGxCustomEdit*) {
        ++clicks;
    };

    auto& area = edit.EditInfo();
    const QImage picture = area.grab().toImage();
    const int top = area.height() / 2 - 5;
    EXPECT_EQ(picture.pixelColor(5, top + 5), QColor(Qt::green));
    EXPECT_EQ(picture.pixelColor(9, top), edit.palette().color(QPalette::Base));

    QTest::mouseClick(&area, Qt::LeftButton, Qt::NoModifier, QPoint(12, area.height() / 2));
    EXPECT_EQ(clicks, 0);
    QTest::mouseClick(&area, Qt::LeftButton, Qt::NoModifier, QPoint(9, area.height() / 2));
    EXPECT_EQ(clicks, 1);
}

TEST(EditTest, tabReachesTheBoxOnlyWhenItWantsTabs)
{
    QWidget window;
    auto* first = new TGxEdit(&window);
    auto* second = new TGxEdit(&window);
    second->move(0, 30);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    first->setFocus();
    QTest::keyClick(first, Qt::Key_Tab);
    EXPECT_TRUE(second->hasFocus());

    first->setFocus();
    first->SetWantTabs(true);
    QTest::keyClick(first, Qt::Key_Tab);
    EXPECT_TRUE(first->hasFocus());
}

TEST(EditTest, valueAccessorsConvertTheTextAndRaiseOnBadText)
{
    TGxEdit edit;
    EXPECT_EQ(edit.AsDateTime(), 0);
    edit.SetAsInteger(-42);
    EXPECT_EQ(edit.text(), QStringLiteral("-42"));
    EXPECT_EQ(edit.AsInteger(), -42);
    edit.SetAsBoolean(true);
    EXPECT_EQ(edit.text(), QStringLiteral("True"));
    EXPECT_THROW(edit.AsInteger(), EConvertError);
    EXPECT_THROW(edit.AsFloat(), EConvertError);
}

TEST(EditTest, aCellEditStartsWithTheCaretAtTheEnd)
{
    TGxEdit edit;
    edit.setText(QStringLiteral("cell text"));
    edit.setCursorPosition(0);
    edit.StartCellEdit();
    EXPECT_EQ(edit.cursorPosition(), 9);
    EXPECT_FALSE(edit.hasSelectedText());
}
