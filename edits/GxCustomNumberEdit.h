#pragma once

#include "edits/GxEdit.h"
#include "platform/Sets.h"

enum TGxNumberEditOption {
    eoAllowAll,
    eoAllowFloat,
    eoAllowSigns,
    eoDisablePaste,
    eoDisableTyping
};
using TGxNumberEditOptions = TSet<TGxNumberEditOption, 5>;

// An edit box for numbers. Typing and pasting keep to digits, the decimal separator (with
// eoAllowFloat) and a leading sign (with eoAllowSigns); Value reads the text back clamped to the
// range [Min, Max], active when either is non-zero, and writes it with Precision decimals
// between TextBefore and TextAfter, or as NullText for 0. The text is tidied whenever the box
// loses the focus.
class TGxCustomNumberEdit : public TGxEdit
{
    Q_OBJECT
public:
    explicit TGxCustomNumberEdit(QWidget* parent = nullptr);

    double Max() const { return m_max; }
    void SetMax(double value) { m_max = value; }
    double Min() const { return m_min; }
    void SetMin(double value) { m_min = value; }
    // Shown for the value 0 when not empty.
    const QString& NullText() const { return m_nullText; }
    void SetNullText(const QString& value);
    // eoAllowAll: every character may be typed, and the text is left as typed.
    TGxNumberEditOptions Options() const { return m_options; }
    void SetOptions(TGxNumberEditOptions value) { m_options = value; }
    // Decimals shown; 0 or less: as many as needed.
    int Precision() const { return m_precision; }
    void SetPrecision(int value);
    const QString& TextAfter() const { return m_textAfter; }
    void SetTextAfter(const QString& value);
    const QString& TextBefore() const { return m_textBefore; }
    void SetTextBefore(const QString& value);

    // The text as a number: 0 for NullText (an empty text with no NullText is rewritten as 0),
    // Min for an empty text, else the number its digits make, clamped to the range; the last
    // number read when they make none.
    double Value();
    void SetValue(double value);

    double AsFloat() override { return Value(); }
    void SetAsFloat(double value) override { SetValue(value); }
    // Value truncated toward zero; raises the conversion error when it does not fit 32 bits.
    int32_t AsInteger() override;
    void SetAsInteger(int32_t value) override { SetValue(value); }

    // Inserts the clipboard's number, cleaned, in place of the selection.
    void Paste(QClipboard::Mode mode = QClipboard::Clipboard) override;

protected:
    bool RangeActive() const { return m_max != 0 || m_min != 0; }
    double Clamp(double value) const;
    // A whole Value as an integer, or the conversion error when it does not fit.
    int32_t ToInteger(double wholeValue);

    bool AcceptsKey(const QKeyEvent& event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // The filtered text's number, clamped, as text; Min's for nothing, empty when the kept
    // characters make no number.
    QString CleanText(const QString& text, bool allowSeparator, bool allowSign) const;
    bool AcceptsCharacter(const QString& typed) const;
    // The text without its selection.
    QString TextOutsideSelection() const;
    void Rewrite();

    double m_max = 0;
    double m_min = 0;
    QString m_nullText;
    TGxNumberEditOptions m_options{eoAllowFloat, eoAllowSigns};
    int m_precision = 2;
    QString m_textAfter;
    QString m_textBefore;
    double m_lastGood = 0;
};
