#include "grid/shared/GxSharedDraw.h"

#include <gtest/gtest.h>

TEST(GxSharedDrawTest, placeBox)
{
    const QRect cell(10, 20, 100, 50); // left 10, right 110, top 20, bottom 70
    const struct
    {
        int width, height;
        TVerticalAlignment vertical;
        TAlignment horizontal;
        QRect rect;
        QPoint corner;
    } rows[] = {
        {13, 13, taAlignTop, taLeftJustify, cell, {12, 22}},
        {13, 13, taAlignBottom, taRightJustify, cell, {95, 55}},
        // The margin does not apply to centring.
        {13, 13, taVerticalCenter, taCenter, cell, {54, 39}},
        {13, 13, taAlignTop, taCenter, cell, {54, 22}},
        {13, 13, taVerticalCenter, taRightJustify, cell, {95, 39}},
        // A thumbnail larger than its cell sticks out on both sides.
        {100, 75, taVerticalCenter, taCenter, QRect(0, 0, 50, 50), {-25, -12}},
        // Halves truncate toward zero left of the origin: (-10 + -1) div 2 = -5.
        {3, 3, taVerticalCenter, taCenter, QRect(-10, -10, 9, 9), {-6, -6}},
        {11, 11, taAlignBottom, taLeftJustify, QRect(0, 0, 20, 16), {2, 3}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message()
                     << row.width << "x" << row.height << " in (" << row.rect.x() << ", "
                     << row.rect.y() << ", " << row.rect.width() << "x" << row.rect.height()
                     << "), vertical " << row.vertical << ", horizontal " << row.horizontal);
        EXPECT_EQ(PlaceBox(row.width, row.height, row.vertical, row.horizontal, row.rect, 2),
                  row.corner);
    }
}
