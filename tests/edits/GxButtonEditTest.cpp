#include "edits/GxButtonEdit.h"

#include "EditTestSupport.h"
#include "edits/GxExecuteButton.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMap>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class ButtonEditTest : public ::testing::Test
{
protected:
    ButtonEditTest()
    {
        m_edit.resize(200, 25);
        m_edit.OnButtonDown = [this](QObject* sender) {
            EXPECT_EQ(sender, &m_edit);
            m_events << QStringLiteral("down");
        };
        m_edit.OnButtonClick = [this](QObject*) {
            m_events << QStringLiteral("click");
        };
    }

    TGxExecuteButton& Button() { return m_edit.Button(); }
    QPoint ButtonCentre() { return Button().rect().center(); }

    TGxButtonEdit m_edit;
    QStringList m_events;
};

} // namespace

TEST_F(ButtonEditTest, theButtonCoversTheRightEndAndTheTextStopsShortOfIt)
{
    EXPECT_EQ(m_edit.ButtonWidth(), 21);
    m_edit.SetButtonWidth(70);
    const QRect client = m_edit.ClientRect();
    EXPECT_EQ(Button().geometry(),
              QRect(client.right() + 1 - 70, client.top(), 70, client.height()));
    EXPECT_TRUE(Button().isVisibleTo(&m_edit));
    // The button's width takes the place of the right margin.
    m_edit.EditMargins().SetRight(9);
    EXPECT_EQ(m_edit.textMargins().right(), 70);

    // A hidden widget hears of its resize only when shown.
    m_edit.resize(300, 30);
    m_edit.show();
    EXPECT_EQ(Button().geometry().right(), m_edit.ClientRect().right());
    EXPECT_EQ(Button().height(), m_edit.ClientRect().height());

    m_edit.SetShowButton(false);
    EXPECT_FALSE(Button().isVisibleTo(&m_edit));
    EXPECT_EQ(m_edit.textMargins().right(), 0);
}

TEST_F(ButtonEditTest, aPressThenAReleaseAnywhereClicksTheButton)
{
    QTest::mousePress(&Button(), Qt::LeftButton, Qt::NoModifier, ButtonCentre());
    EXPECT_TRUE(Button().Pressed());
    EXPECT_EQ(m_events, QStringList{QStringLiteral("down")});
    // Dragged off the button and the edit before letting go.
    QTest::mouseRelease(&Button(), Qt::LeftButton, Qt::NoModifier, QPoint(-300, 80));
    EXPECT_FALSE(Button().Pressed());
    EXPECT_EQ(m_events, (QStringList{QStringLiteral("down"), QStringLiteral("click")}));
}

TEST_F(ButtonEditTest, otherMouseButtonsNeitherPressNorClick)
{
    QTest::mouseClick(&Button(), Qt::RightButton, Qt::NoModifier, ButtonCentre());
    QTest::mouseClick(&Button(), Qt::MiddleButton, Qt::NoModifier, ButtonCentre());
    EXPECT_FALSE(Button().Pressed());
    EXPECT_TRUE(m_events.isEmpty());
}

TEST_F(ButtonEditTest, ctrlEnterClicksTheButtonAndEnterAloneDoesNot)
{
    QTest::keyClick(&m_edit, Qt::Key_Return);
    QTest::keyClick(&m_edit, Qt::Key_Enter);
    EXPECT_TRUE(m_events.isEmpty());
    QTest::keyClick(&m_edit, Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClick(&m_edit, Qt::Key_Enter, Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_EQ(m_events, (QStringList{QStringLiteral("click"), QStringLiteral("click")}));
}

TEST_F(ButtonEditTest, withTypingDisabledTheCaretMovesButTheTextStays)
{
    m_edit.setText(QStringLiteral("abc"));
    m_edit.SetOptions({epDisableTyping});
    m_edit.setCursorPosition(3);
    QTest::keyClicks(&m_edit, QStringLiteral("xyz"));
    QTest::keyClick(&m_edit, Qt::Key_Backspace);
    QTest::keyClick(&m_edit, Qt::Key_Left);
    QTest::keyClick(&m_edit, Qt::Key_Delete);
    QTest::keyClick(&m_edit, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(m_edit.text(), QStringLiteral("abc"));
    EXPECT_EQ(m_edit.cursorPosition(), 2);
    QTest::keyClick(&m_edit, Qt::Key_Home);
    EXPECT_EQ(m_edit.cursorPosition(), 0);
}

namespace {

// Which of the context menu's commands can be chosen, by caption, with the whole text selected.
QMap<QString, bool> AvailableMenuCommands(TGxButtonEdit& edit)
{
    edit.selectAll();
    QMap<QString, bool> available;
    QTimer::singleShot(0, [&available] {
        QWidget* popup = QApplication::activePopupWidget();
        ASSERT_NE(popup, nullptr);
        for (QAction* action : popup->actions())
            if (!action->isSeparator())
                available
                    [action->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'))] =
                        action->isEnabled();
        popup->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), edit.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&edit, &event);
    return available;
}

} // namespace

TEST_F(ButtonEditTest, theMenuRefusesWhatTheOptionsRefuse)
{
    QApplication::clipboard()->setText(QStringLiteral("pasted"));
    m_edit.setText(QStringLiteral("abc"));
    m_edit.show();
    const QMap<QString, bool> all = AvailableMenuCommands(m_edit);
    EXPECT_TRUE(all.value(QStringLiteral("Cut")));
    EXPECT_TRUE(all.value(QStringLiteral("Paste")));
    EXPECT_TRUE(all.value(QStringLiteral("Delete")));

    m_edit.SetOptions({epDisableTyping});
    const QMap<QString, bool> noTyping = AvailableMenuCommands(m_edit);
    EXPECT_FALSE(noTyping.value(QStringLiteral("Cut"), true));
    EXPECT_FALSE(noTyping.value(QStringLiteral("Paste"), true));
    EXPECT_FALSE(noTyping.value(QStringLiteral("Delete"), true));
    EXPECT_TRUE(noTyping.value(QStringLiteral("Copy"))) << "copying changes nothing";
    EXPECT_TRUE(noTyping.value(QStringLiteral("Select All")));

    m_edit.SetOptions({epDisablePaste});
    const QMap<QString, bool> noPaste = AvailableMenuCommands(m_edit);
    EXPECT_FALSE(noPaste.value(QStringLiteral("Paste"), true));
    EXPECT_TRUE(noPaste.value(QStringLiteral("Cut")));
    EXPECT_EQ(m_edit.text(), QStringLiteral("abc"));
}

TEST_F(ButtonEditTest, withPasteDisabledEveryPasteIsIgnored)
{
    QApplication::clipboard()->setText(QStringLiteral("pasted"));
    m_edit.SetOptions({epDisablePaste});
    QTest::keyClick(&m_edit, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(&m_edit, Qt::Key_Insert, Qt::ShiftModifier);
    m_edit.Paste();
    EXPECT_EQ(m_edit.text(), QString());
    // Typing is still allowed, and pasting comes back without the option.
    QTest::keyClicks(&m_edit, QStringLiteral("ok "));
    m_edit.SetOptions({});
    QTest::keyClick(&m_edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(m_edit.text(), QStringLiteral("ok pasted"));
}

TEST_F(ButtonEditTest, theThemedButtonShowsPressedHotAndDisabledStates)
{
    auto* style = new RecordingStyle(QStyle::PE_PanelButtonCommand);
    Button().setStyle(style);
    const auto lastState = [&] {
        style->states.clear();
        Button().grab();
        EXPECT_EQ(style->states.size(), 1u);
        return style->states.empty() ? QStyle::State() : style->states.back();
    };
    EXPECT_TRUE(lastState() & QStyle::State_Enabled);
    EXPECT_FALSE(lastState() & (QStyle::State_Sunken | QStyle::State_MouseOver));
    Button().SetHover(true);
    EXPECT_TRUE(lastState() & QStyle::State_MouseOver);
    QTest::mousePress(&Button(), Qt::LeftButton, Qt::NoModifier, ButtonCentre());
    EXPECT_TRUE(lastState() & QStyle::State_Sunken);
    QTest::mouseRelease(&Button(), Qt::LeftButton, Qt::NoModifier, ButtonCentre());
    m_edit.setEnabled(false);
    EXPECT_FALSE(lastState() & QStyle::State_Enabled);
    Button().setStyle(nullptr);
    delete style;
}

TEST_F(ButtonEditTest, theClassicButtonIsRaisedAndFlatWhenPressed)
{
    const ClassicStyle classic;
    m_edit.SetButtonWidth(30);
    const QRgb highlight = SystemRgb(clBtnHighlight);
    const QRgb darkShadow = SystemRgb(cl3DDkShadow);
    const QRgb shadow = SystemRgb(clBtnShadow);
    const QRgb face = SystemRgb(clBtnFace);
    ASSERT_NE(highlight, shadow);

    QImage picture = Grab(Button());
    const int right = picture.width() - 1;
    const int bottom = picture.height() - 1;
    EXPECT_EQ(picture.pixel(0, 0), highlight);
    EXPECT_EQ(picture.pixel(right, bottom), darkShadow);
    EXPECT_EQ(picture.pixel(right - 1, bottom - 1), shadow);
    EXPECT_EQ(picture.pixel(right / 2, 3), face);

    QTest::mousePress(&Button(), Qt::LeftButton, Qt::NoModifier, ButtonCentre());
    picture = Grab(Button());
    EXPECT_EQ(picture.pixel(0, 0), shadow);
    EXPECT_EQ(picture.pixel(right, bottom), shadow);
    EXPECT_EQ(picture.pixel(1, 1), face);
    QTest::mouseRelease(&Button(), Qt::LeftButton, Qt::NoModifier, ButtonCentre());
}

TEST_F(ButtonEditTest, theGlyphSitsInTheMiddleWithItsTransparentColourLeftOut)
{
    const ClassicStyle classic;
    m_edit.SetButtonWidth(31);
    QImage glyph(9, 9, QImage::Format_RGB32);
    glyph.fill(Qt::red);
    glyph.setPixelColor(0, 0, Qt::magenta);
    m_edit.SetTransparentColor(RGB(255, 0, 255));
    m_edit.SetButtonGlyph(glyph);

    const QImage picture = Grab(Button());
    const QPoint topLeft(31 / 2 - 9 / 2, Button().height() / 2 - 9 / 2);
    EXPECT_EQ(picture.pixel(topLeft + QPoint(4, 4)), qRgb(255, 0, 0));
    EXPECT_EQ(picture.pixel(topLeft), SystemRgb(clBtnFace));
    EXPECT_EQ(picture.pixel(topLeft - QPoint(1, 1)), SystemRgb(clBtnFace));
}

TEST_F(ButtonEditTest, thePointerOverTheEditMakesTheButtonHot)
{
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(&m_edit, &enter);
    EXPECT_TRUE(Button().Hover());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&m_edit, &leave);
    EXPECT_FALSE(Button().Hover());
}
