#include "edits/GxSpinEdit.h"

#include "EditTestSupport.h"
#include "edits/GxSpinButtons.h"

#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {

class SpinEditTest : public ::testing::Test
{
protected:
    SpinEditTest()
    {
        m_edit.resize(120, 24);
        m_edit.OnSpin = [this](QObject* sender, TSpinButtonSet buttons) {
            EXPECT_EQ(sender, &m_edit);
            m_spins << (buttons.contains(sbUp) ? QStringLiteral("up") : QStringLiteral("down"));
        };
    }

    TGxSpinButtons& Buttons() { return m_edit.Buttons(); }
    QPoint UpperHalf() { return QPoint(3, 2); }
    QPoint LowerHalf() { return QPoint(3, Buttons().height() - 2); }

    void Wheel(int delta)
    {
        QWheelEvent event(QPointF(5, 5), m_edit.mapToGlobal(QPointF(5, 5)), QPoint(),
                          QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&m_edit, &event);
    }

    TGxSpinEdit m_edit;
    QStringList m_spins;
};

} // namespace

TEST_F(SpinEditTest, stepsStopAtTheRangeAndAtZeroWithoutSigns)
{
    EXPECT_EQ(m_edit.text(), QStringLiteral("0"));
    m_edit.SetMax(10);
    m_edit.SetValue(10);
    m_edit.Spin(sbUp);
    EXPECT_EQ(m_edit.text(), QStringLiteral("10"));
    EXPECT_TRUE(m_spins.isEmpty()) << "a step not taken is no spin";
    m_edit.Spin(sbDown);
    EXPECT_EQ(m_edit.text(), QStringLiteral("9"));
    EXPECT_EQ(m_edit.cursorPosition(), 1);
    EXPECT_TRUE(m_edit.isModified());

    m_edit.SetMax(0);
    m_edit.SetOptions({eoAllowFloat});
    m_edit.SetValue(0);
    m_edit.Spin(sbDown);
    EXPECT_EQ(m_edit.text(), QStringLiteral("0"));
    m_edit.SetOptions({eoAllowFloat, eoAllowSigns});
    m_edit.SetIncrement(0.25);
    m_edit.Spin(sbDown);
    EXPECT_EQ(m_edit.text(), QStringLiteral("-0.25"));
    EXPECT_EQ(m_spins, (QStringList{QStringLiteral("down"), QStringLiteral("down")}));

    m_edit.setReadOnly(true);
    m_edit.Spin(sbUp);
    EXPECT_EQ(m_edit.text(), QStringLiteral("-0.25"));
}

TEST_F(SpinEditTest, holdingAHalfSpinsOnceThenRepeatsAfterTheDelay)
{
    QTest::mousePress(&Buttons(), Qt::LeftButton, Qt::NoModifier, UpperHalf());
    EXPECT_EQ(Buttons().PressedHalf(), TSpinHalf::Up);
    EXPECT_EQ(m_edit.text(), QStringLiteral("1"));
    EXPECT_TRUE(Buttons().DelayTimer().isActive());
    EXPECT_EQ(Buttons().DelayTimer().interval(), 400);
    EXPECT_FALSE(Buttons().RepeatTimer().isActive());

    Buttons().DelayElapsed();
    EXPECT_FALSE(Buttons().DelayTimer().isActive());
    EXPECT_TRUE(Buttons().RepeatTimer().isActive());
    EXPECT_EQ(Buttons().RepeatTimer().interval(), 20);
    EXPECT_EQ(m_edit.text(), QStringLiteral("1")) << "the delay's end itself does not spin";
    for (int tick = 0; tick < 3; ++tick)
        Buttons().RepeatTick();
    EXPECT_EQ(m_edit.text(), QStringLiteral("4"));

    QTest::mouseRelease(&Buttons(), Qt::LeftButton, Qt::NoModifier, UpperHalf());
    EXPECT_EQ(Buttons().PressedHalf(), TSpinHalf::None);
    EXPECT_FALSE(Buttons().DelayTimer().isActive());
    EXPECT_FALSE(Buttons().RepeatTimer().isActive());
    EXPECT_EQ(m_spins.size(), 4);
}

TEST_F(SpinEditTest, theTimersDriveTheRepeatWhileTheLowerHalfIsHeld)
{
    m_edit.SetValue(100);
    QTest::mousePress(&Buttons(), Qt::LeftButton, Qt::NoModifier, LowerHalf());
    EXPECT_TRUE(QTest::qWaitFor([this] { return m_spins.size() >= 4; }, 5000));
    QTest::mouseRelease(&Buttons(), Qt::LeftButton, Qt::NoModifier, LowerHalf());
    const QString released = m_edit.text();
    EXPECT_LE(m_edit.Value(), 96);
    QTest::qWait(60);
    EXPECT_EQ(m_edit.text(), released);
}

TEST_F(SpinEditTest, upAndDownKeysPressTheButtonsUntilAKeyIsReleased)
{
    SendKey(m_edit, QEvent::KeyPress, Qt::Key_Up);
    EXPECT_EQ(Buttons().PressedHalf(), TSpinHalf::Up);
    // The keyboard's own repeat adds nothing: the buttons repeat by themselves.
    SendKey(m_edit, QEvent::KeyRelease, Qt::Key_Up, true);
    SendKey(m_edit, QEvent::KeyPress, Qt::Key_Up, true);
    EXPECT_EQ(Buttons().PressedHalf(), TSpinHalf::Up);
    SendKey(m_edit, QEvent::KeyRelease, Qt::Key_Up);
    EXPECT_EQ(Buttons().PressedHalf(), TSpinHalf::None);
    SendKey(m_edit, QEvent::KeyPress, Qt::Key_Down);
    SendKey(m_edit, QEvent::KeyRelease, Qt::Key_Shift);
    EXPECT_EQ(Buttons().PressedHalf(), TSpinHalf::None);
    EXPECT_EQ(m_spins, (QStringList{QStringLiteral("up"), QStringLiteral("down")}));

    // In a grid cell the keys belong to the grid.
    m_edit.SetInCell(true);
    SendKey(m_edit, QEvent::KeyPress, Qt::Key_Up);
    EXPECT_EQ(Buttons().PressedHalf(), TSpinHalf::None);
    EXPECT_EQ(m_spins.size(), 2);
}

TEST_F(SpinEditTest, eachWheelNotchIsOneStep)
{
    Wheel(120);
    Wheel(240);
    EXPECT_EQ(m_edit.text(), QStringLiteral("3"));
    Wheel(-60);
    EXPECT_EQ(m_edit.text(), QStringLiteral("3"));
    Wheel(-60);
    EXPECT_EQ(m_edit.text(), QStringLiteral("2"));
    EXPECT_EQ(Buttons().PressedHalf(), TSpinHalf::None);
}

TEST_F(SpinEditTest, withoutSpinButtonsNothingSpinsAndTheMarginGoes)
{
    // A hidden widget hears of its resize only when shown.
    m_edit.show();
    const QRect client = m_edit.ClientRect();
    const int width = Buttons().width();
    EXPECT_GT(width, 0);
    EXPECT_EQ(Buttons().geometry(),
              QRect(client.right() + 1 - width, client.top() + 1, width, client.height() - 1));
    m_edit.EditMargins().SetRight(3);
    EXPECT_EQ(m_edit.textMargins().right(), 3 + width);

    m_edit.SetSpinButtons(false);
    EXPECT_FALSE(Buttons().isVisibleTo(&m_edit));
    EXPECT_EQ(m_edit.textMargins().right(), 3);
    SendKey(m_edit, QEvent::KeyPress, Qt::Key_Up);
    Wheel(120);
    EXPECT_TRUE(m_spins.isEmpty());
}

TEST_F(SpinEditTest, theClassicHalvesShowWhichOneIsPressed)
{
    const ClassicStyle classic;
    const int lowerTop = Buttons().height() / 2;
    const QRgb highlight = SystemRgb(clBtnHighlight);
    const QRgb shadow = SystemRgb(clBtnShadow);
    QImage picture = Grab(Buttons());
    EXPECT_EQ(picture.pixel(0, lowerTop), highlight);
    // The upper half starts a pixel above the top, so its highlight line is out of sight.
    EXPECT_EQ(picture.pixel(1, 0), SystemRgb(cl3DLight));

    QTest::mousePress(&Buttons(), Qt::LeftButton, Qt::NoModifier, LowerHalf());
    picture = Grab(Buttons());
    EXPECT_EQ(picture.pixel(0, lowerTop), shadow);
    EXPECT_EQ(picture.pixel(1, 0), SystemRgb(cl3DLight));
    QTest::mouseRelease(&Buttons(), Qt::LeftButton, Qt::NoModifier, LowerHalf());
}

TEST_F(SpinEditTest, theThemedHalvesPassTheirStatesToTheStyle)
{
    auto* style = new RecordingStyle(QStyle::PE_PanelButtonCommand);
    Buttons().setStyle(style);
    QTest::mousePress(&Buttons(), Qt::LeftButton, Qt::NoModifier, UpperHalf());
    Buttons().SetHoverHalf(TSpinHalf::Down);
    Buttons().grab();
    ASSERT_EQ(style->states.size(), 2u);
    EXPECT_TRUE(style->states[0] & QStyle::State_Sunken);
    EXPECT_FALSE(style->states[1] & QStyle::State_Sunken);
    EXPECT_TRUE(style->states[1] & QStyle::State_MouseOver);
    QTest::mouseRelease(&Buttons(), Qt::LeftButton, Qt::NoModifier, UpperHalf());

    style->states.clear();
    m_edit.setEnabled(false);
    Buttons().grab();
    ASSERT_EQ(style->states.size(), 2u);
    EXPECT_FALSE(style->states[0] & QStyle::State_Enabled);
    EXPECT_FALSE(style->states[1] & QStyle::State_Enabled);
    Buttons().setStyle(nullptr);
    delete style;
}
