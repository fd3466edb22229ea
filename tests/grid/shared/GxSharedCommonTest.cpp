#include "grid/shared/GxSharedCommon.h"

#include <QApplication>
#include <QPalette>
#include <gtest/gtest.h>
#include <limits>

namespace {

// Pins the palette roles behind the system colours used here, and restores the palette after.
class SystemColors : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QPalette palette = m_saved;
        palette.setColor(QPalette::Base, QColor(10, 20, 30));
        palette.setColor(QPalette::Highlight, QColor(0, 120, 215));
        QApplication::setPalette(palette);
    }
    void TearDown() override { QApplication::setPalette(m_saved); }

private:
    QPalette m_saved = QApplication::palette();
};

template <typename Amount> struct ColorRow
{
    TColor a, b;
    Amount amount;
    TColor expected;
};

template <typename Amount>
void ExpectRows(std::initializer_list<ColorRow<Amount>> rows,
                TColor (*function)(TColor, TColor, Amount))
{
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << std::hex << "a 0x" << row.a << ", b 0x" << row.b
                                          << std::dec << ", amount " << row.amount);
        EXPECT_EQ(function(row.a, row.b, row.amount), row.expected);
    }
}

} // namespace

TEST(GxSharedCommonTest, mixColorsWeighsEachChannelAndDividesBy256)
{
    ExpectRows<int>(
        {
            // The darker shade of a sorted column.
            {clBlack, RGB(200, 100, 50), 10, RGB(191, 95, 47)},
            // Dividing by 256 rather than 255 loses a step even at the ends.
            {clBlack, clWhite, 0, RGB(254, 254, 254)},
            {clWhite, clBlack, 255, RGB(254, 254, 254)},
            {RGB(255, 0, 255), RGB(0, 255, 0), 128, RGB(127, 126, 127)},
            {RGB(1, 2, 3), RGB(250, 251, 252), 100, RGB(151, 152, 153)},
            {RGB(128, 64, 32), RGB(128, 64, 32), 200, RGB(127, 63, 31)},
        },
        MixColors);
}

TEST(GxSharedCommonTest, mixColorsRefusesWeightsOutsideAByte)
{
    for (const int weight : {256, 1000, -1, std::numeric_limits<int>::min()}) {
        SCOPED_TRACE(weight);
        try {
            MixColors(clBlack, clWhite, weight);
            ADD_FAILURE() << "no exception";
        } catch (const EAssertionFailed& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("Assertion failure"));
        }
    }
}

TEST_F(SystemColors, mixColorsResolvesSystemColoursFirst)
{
    EXPECT_EQ(MixColors(clWindow, clBlack, 128), RGB(5, 10, 15));
    EXPECT_EQ(MixColors(clBlack, clWindow, 0), RGB(9, 19, 29));
}

TEST(GxSharedCommonTest, blendColorsRoundsEachChannelHalvesToEven)
{
    ExpectRows<double>(
        {
            {RGB(10, 20, 30), RGB(200, 100, 50), 0.0, RGB(10, 20, 30)},
            {RGB(10, 20, 30), RGB(200, 100, 50), 1.0, RGB(200, 100, 50)},
            {clBlack, RGB(100, 200, 40), 0.25, RGB(25, 50, 10)},
            {clBlack, RGB(1, 3, 5), 0.5, RGB(0, 2, 2)},
            {RGB(255, 255, 255), RGB(0, 0, 0), 1.0 / 3, RGB(170, 170, 170)},
            // Out of range fractions keep to the nearer colour instead of spilling over a byte.
            {RGB(10, 20, 30), RGB(200, 100, 50), 2.0, RGB(200, 100, 50)},
            {RGB(10, 20, 30), RGB(200, 100, 50), -1.0, RGB(10, 20, 30)},
            {RGB(10, 20, 30), RGB(200, 100, 50), std::numeric_limits<double>::quiet_NaN(),
             RGB(10, 20, 30)},
        },
        BlendColors);
}

TEST_F(SystemColors, blendColorsResolvesSystemColoursFirst)
{
    // The alpha-blended selection over a white cell.
    EXPECT_EQ(BlendColors(clWhite, clHighlight, 0.25), RGB(191, 221, 245));
}
