#include "app/AppIcon.h"

#include <QImage>
#include <gtest/gtest.h>

// The icon must come out of the program's resources at every shipped size as the project's
// drawing, not as an empty placeholder: a missing resource gives a null icon silently.
TEST(AppIconTest, everyShippedSizeIsTheDrawing)
{
    const QIcon icon = AppIcon();
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.availableSizes(), (QList<QSize>{{48, 48}, {128, 128}, {256, 256}}));
    for (const int size : {48, 128, 256}) {
        SCOPED_TRACE(size);
        const QImage image = icon.pixmap(size, size).toImage();
        ASSERT_EQ(image.size(), QSize(size, size));
        EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0); // the ground is transparent
        // The orange twin badge between its two white bars, at the lower right.
        const QColor badge = image.pixelColor(size * 196 / 256, size * 196 / 256);
        EXPECT_EQ(badge.alpha(), 255);
        EXPECT_GT(badge.red(), 200);
        EXPECT_LT(badge.blue(), 100);
    }
}
