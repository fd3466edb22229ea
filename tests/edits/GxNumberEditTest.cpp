#include "edits/GxCustomNumberEdit.h"
#include "edits/GxNumberText.h"
#include "edits/GxSpinEdit.h"
#include "platform/Exception.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QString Typed(TGxCustomNumberEdit& edit, const QString& keys)
{
    QTest::keyClicks(&edit, keys);
    return edit.text();
}

void Paste(TGxCustomNumberEdit& edit, const QString& clipboard)
{
    QApplication::clipboard()->setText(clipboard);
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
}

} // namespace

TEST(NumberTextTest, keepsDigitsOneSeparatorAndALeadingSign)
{
    const struct
    {
        const char* text;
        const char* separator;
        bool allowSeparator;
        bool allowSign;
        const char* kept;
    } cases[] = {
        {"12a.5.3", ".", true, true, "12.53"},
        {"12a.5.3", ".", false, true, "1253"},
        {"-", ".", true, true, "0"},
        {"+", ".", true, false, ""},
        {"--5", ".", true, true, "-5"},
        {"--5", ".", true, false, "5"},
        {"a-5", ".", true, true, "-5"},
        {"5-", ".", true, true, "5"},
        {"1,234.5", ",", true, true, "1,2345"},
        {"x\by", ".", true, true, ""},
        {"", ".", true, true, ""},
    };
    for (const auto& test : cases)
        EXPECT_EQ(FilterNumberText(QString::fromLatin1(test.text),
                                   QString::fromLatin1(test.separator), test.allowSeparator,
                                   test.allowSign),
                  QString::fromLatin1(test.kept))
            << test.text;
}

TEST(NumberEditTest, readingCleansTheTextIntoANumber)
{
    TGxCustomNumberEdit edit;
    const struct
    {
        const char* text;
        TGxNumberEditOptions options;
        double value;
    } cases[] = {
        {"12a.5.3", {eoAllowFloat, eoAllowSigns}, 12.53},
        {"-", {eoAllowFloat, eoAllowSigns}, 0},
        {"--5", {eoAllowFloat, eoAllowSigns}, -5},
        {"--5", {eoAllowFloat}, 5},
        {"7.5", {eoAllowSigns}, 75},
        {"abc", {eoAllowFloat}, 0},
    };
    for (const auto& test : cases) {
        edit.SetOptions(test.options);
        edit.setText(QString::fromLatin1(test.text));
        EXPECT_EQ(edit.Value(), test.value) << test.text;
    }
}

TEST(NumberEditTest, aTextThatMakesNoNumberReadsAsTheLastGoodValue)
{
    TGxCustomNumberEdit edit;
    edit.setText(QStringLiteral("4.5"));
    EXPECT_EQ(edit.Value(), 4.5);
    edit.setText(QStringLiteral("."));
    EXPECT_EQ(edit.Value(), 4.5);
}

TEST(NumberEditTest, theRangeClampsTheValueButLeavesTheTextUntilItIsWritten)
{
    QWidget window;
    auto* edit = new TGxCustomNumberEdit(&window);
    auto* other = new TGxCustomNumberEdit(&window);
    other->move(0, 30);
    edit->SetMin(1);
    edit->SetMax(10);
    edit->setText(QStringLiteral("25"));
    EXPECT_EQ(edit->Value(), 10);
    edit->setText(QStringLiteral("-3"));
    EXPECT_EQ(edit->Value(), 1);
    edit->setText(QStringLiteral("25"));
    EXPECT_EQ(edit->text(), QStringLiteral("25"));

    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    edit->setFocus();
    other->setFocus();
    EXPECT_EQ(edit->text(), QStringLiteral("10.00"));
}

TEST(NumberEditTest, nullTextStandsForZero)
{
    TGxCustomNumberEdit edit;
    edit.SetNullText(QStringLiteral("none"));
    EXPECT_EQ(edit.text(), QStringLiteral("none"));
    edit.SetValue(3);
    EXPECT_EQ(edit.text(), QStringLiteral("3.00"));
    edit.setText(QStringLiteral("none"));
    EXPECT_EQ(edit.Value(), 0);
    edit.SetMin(2);
    edit.SetMax(9);
    edit.clear();
    EXPECT_EQ(edit.Value(), 2) << "an empty text is Min";

    // Without NullText an empty text is zero, and reading it writes the zero.
    TGxCustomNumberEdit plain;
    plain.clear();
    EXPECT_EQ(plain.Value(), 0);
    EXPECT_EQ(plain.text(), QStringLiteral("0.00"));
}

TEST(NumberEditTest, writingFormatsWithPrecisionAndTheTextsAround)
{
    TGxCustomNumberEdit edit;
    EXPECT_EQ(edit.text(), QStringLiteral("0.00"));
    edit.SetValue(3.14159);
    EXPECT_EQ(edit.text(), QStringLiteral("3.14"));
    edit.SetValue(0.125);
    EXPECT_EQ(edit.text(), QStringLiteral("0.13")) << "halves go away from zero";
    edit.SetValue(-2.5);
    edit.SetPrecision(0);
    EXPECT_EQ(edit.text(), QStringLiteral("-2.5"));
    edit.SetValue(1.0 / 3);
    EXPECT_EQ(edit.text(), QStringLiteral("0.333333333333333"));
    edit.SetOptions({eoAllowSigns});
    edit.SetValue(2.5);
    EXPECT_EQ(edit.text(), QStringLiteral("3"));
    edit.SetTextBefore(QStringLiteral("$ "));
    edit.SetTextAfter(QStringLiteral(" net"));
    EXPECT_EQ(edit.text(), QStringLiteral("$ 3 net"));
    EXPECT_EQ(edit.Value(), 3);
}

TEST(NumberEditTest, typingKeepsToDigitsOneSeparatorAndALeadingSign)
{
    TGxCustomNumberEdit edit;
    edit.clear();
    EXPECT_EQ(Typed(edit, QStringLiteral("1a2.3.4")), QStringLiteral("12.34"));
    edit.setCursorPosition(2);
    EXPECT_EQ(Typed(edit, QStringLiteral("-")), QStringLiteral("12.34")) << "sign not at 0";
    edit.setCursorPosition(0);
    EXPECT_EQ(Typed(edit, QStringLiteral("-+")), QStringLiteral("-12.34"));
    // A selected sign or separator may be typed over.
    edit.setSelection(0, 1);
    EXPECT_EQ(Typed(edit, QStringLiteral("+")), QStringLiteral("+12.34"));
    edit.setSelection(3, 1);
    EXPECT_EQ(Typed(edit, QStringLiteral(".")), QStringLiteral("+12.34"));
    EXPECT_EQ(edit.cursorPosition(), 4);

    edit.SetOptions({});
    edit.clear();
    EXPECT_EQ(Typed(edit, QStringLiteral("-1.5")), QStringLiteral("15"));
    edit.SetOptions({eoAllowAll});
    EXPECT_EQ(Typed(edit, QStringLiteral("kg")), QStringLiteral("15kg"));
}

TEST(NumberEditTest, withTypingDisabledNothingChangesTheText)
{
    TGxCustomNumberEdit edit;
    edit.SetOptions({eoDisableTyping, eoAllowAll});
    edit.setText(QStringLiteral("42"));
    QTest::keyClicks(&edit, QStringLiteral("7x"));
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QTest::keyClick(&edit, Qt::Key_Home);
    QTest::keyClick(&edit, Qt::Key_Delete);
    Paste(edit, QStringLiteral("1"));
    EXPECT_EQ(edit.text(), QStringLiteral("42"));
    EXPECT_EQ(edit.cursorPosition(), 0);
}

TEST(NumberEditTest, pastingInsertsTheCleanedNumberAndPutsTheCaretAtItsStart)
{
    TGxCustomNumberEdit edit;
    edit.setText(QStringLiteral("1.5"));
    edit.end(false);
    Paste(edit, QStringLiteral("x-2.25y"));
    // No sign after the start, no second separator.
    EXPECT_EQ(edit.text(), QStringLiteral("1.5225"));
    EXPECT_EQ(edit.cursorPosition(), 3);

    edit.selectAll();
    Paste(edit, QStringLiteral("-0.75"));
    EXPECT_EQ(edit.text(), QStringLiteral("-0.75"));
    EXPECT_EQ(edit.cursorPosition(), 0);

    edit.SetMax(10);
    edit.selectAll();
    Paste(edit, QStringLiteral("99"));
    EXPECT_EQ(edit.text(), QStringLiteral("10")) << "the pasted number is clamped";

    edit.selectAll();
    Paste(edit, QStringLiteral("no digits"));
    EXPECT_EQ(edit.text(), QStringLiteral("0")) << "nothing to read pastes Min";
    QApplication::clipboard()->clear();
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.text(), QStringLiteral("0"));

    edit.SetOptions({eoAllowFloat, eoDisablePaste});
    Paste(edit, QStringLiteral("5"));
    EXPECT_EQ(edit.text(), QStringLiteral("0"));
}

TEST(NumberEditTest, integersAreTruncatedHereAndRoundedToEvenInTheSpinEdit)
{
    TGxCustomNumberEdit number;
    TGxSpinEdit spin;
    number.SetPrecision(1);
    spin.SetPrecision(1);
    const struct
    {
        double value;
        int truncated;
        int rounded;
    } cases[] = {{2.5, 2, 2}, {3.5, 3, 4}, {-2.7, -2, -3}, {0.4, 0, 0}};
    for (const auto& test : cases) {
        number.SetValue(test.value);
        spin.SetValue(test.value);
        EXPECT_EQ(number.AsInteger(), test.truncated) << test.value;
        EXPECT_EQ(spin.AsInteger(), test.rounded) << test.value;
    }
    number.SetValue(5e9);
    EXPECT_THROW(number.AsInteger(), EConvertError);
}
