#pragma once

#include "grid/GxColumnClasses.h"
#include "grid/GxGrid.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QImage>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

// A grid as the results page sets it up (rows of 81 pixels, lines, header, full-row selection),
// shown on the offscreen screen so that it paints and scrolls as on a desktop.
class GridViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        grid.SetOptions({goGrid, goHeader, goSelectFullRow});
        grid.SetRowSize(81);
        grid.setFrameStyle(QFrame::NoFrame);
    }

    // Shows the grid with a viewport of the size.
    void Show(int width, int height)
    {
        grid.resize(width, height);
        grid.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    }

    void Focus()
    {
        grid.activateWindow();
        grid.setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return grid.hasFocus(); }));
    }

    QImage Grab() { return grid.viewport()->grab().toImage(); }

    static QRgb Rgb(TColor color) { return ColorToQColor(color).rgb(); }

    TDataGrid grid;
};
