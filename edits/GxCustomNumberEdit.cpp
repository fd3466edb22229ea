#include "edits/GxCustomNumberEdit.h"

#include "edits/GxNumberText.h"
#include "platform/Exception.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLocale>
#include <cmath>
#include <limits>

namespace {

QString DecimalSeparator()
{
    return QLocale().decimalPoint();
}

bool IsSign(QChar c)
{
    return c == u'+' || c == u'-';
}

bool IsDigits(const QString& typed)
{
    return std::all_of(typed.begin(), typed.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

TGxCustomNumberEdit::TGxCustomNumberEdit(QWidget* parent) : TGxEdit(parent)
{
    SetValue(0);
}

void TGxCustomNumberEdit::SetNullText(const QString& value)
{
    m_nullText = value;
    SetValue(0);
}

void TGxCustomNumberEdit::SetPrecision(int value)
{
    m_precision = value;
    SetValue(Value());
}

void TGxCustomNumberEdit::SetTextAfter(const QString& value)
{
    m_textAfter = value;
    Rewrite();
}

void TGxCustomNumberEdit::SetTextBefore(const QString& value)
{
    m_textBefore = value;
    Rewrite();
}

double TGxCustomNumberEdit::Value()
{
    const QString current = text();
    if (current == m_nullText) {
        SetValue(0);
        return 0;
    }
    if (current.isEmpty())
        return m_min;
    QString kept = FilterNumberText(current, DecimalSeparator(), m_options.contains(eoAllowFloat),
                                    m_options.contains(eoAllowSigns));
    if (kept.isEmpty())
        kept = FloatToStr(m_min);
    double number = 0;
    if (!TryStrToFloat(kept, number))
        return m_lastGood;
    m_lastGood = Clamp(number);
    return m_lastGood;
}

void TGxCustomNumberEdit::SetValue(double value)
{
    if (value == 0 && !m_nullText.isEmpty()) {
        setText(m_nullText);
        return;
    }
    QString number;
    if (!m_options.contains(eoAllowFloat))
        number = FloatToStrFixed(value, 0);
    else if (m_precision > 0)
        number = FloatToStrFixed(value, m_precision);
    else
        number = FloatToStr(value);
    setText(m_textBefore + number + m_textAfter);
}

int32_t TGxCustomNumberEdit::AsInteger()
{
    return ToInteger(std::trunc(Value()));
}

void TGxCustomNumberEdit::Paste(QClipboard::Mode mode)
{
    if (m_options.contains(eoDisablePaste) || isReadOnly())
        return;
    const QString pasted = QApplication::clipboard()->text(mode);
    // Nothing to clean: nothing is inserted (rather than Min's text).
    if (pasted.isEmpty())
        return;
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    const bool allowSeparator =
        m_options.contains(eoAllowFloat) && !TextOutsideSelection().contains(DecimalSeparator());
    const bool allowSign = m_options.contains(eoAllowSigns) && start == 0;
    const QString cleaned = CleanText(pasted, allowSeparator, allowSign);
    if (hasSelectedText())
        del();
    insert(cleaned);
    setCursorPosition(start);
}

double TGxCustomNumberEdit::Clamp(double value) const
{
    if (!RangeActive())
        return value;
    if (value > m_max)
        value = m_max;
    if (value < m_min)
        value = m_min;
    return value;
}

int32_t TGxCustomNumberEdit::ToInteger(double wholeValue)
{
    if (!(wholeValue >= std::numeric_limits<int32_t>::min() &&
          wholeValue <= std::numeric_limits<int32_t>::max()))
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text()));
    return static_cast<int32_t>(wholeValue);
}

bool TGxCustomNumberEdit::AcceptsKey(const QKeyEvent& event)
{
    if (m_options.contains(eoDisableTyping))
        return !ChangesText(event);
    if (m_options.contains(eoAllowAll))
        return true;
    // Shortcuts and keys without a printable character (arrows, Delete, Backspace, Enter, Tab,
    // Ctrl+C/V/X) are not typing.
    const QString typed = event.text();
    if (typed.isEmpty() || !typed.at(0).isPrint() ||
        (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return true;
    return AcceptsCharacter(typed);
}

void TGxCustomNumberEdit::focusOutEvent(QFocusEvent* event)
{
    TGxEdit::focusOutEvent(event);
    Rewrite();
}

QString TGxCustomNumberEdit::CleanText(const QString& text, bool allowSeparator,
                                       bool allowSign) const
{
    const QString kept = FilterNumberText(text, DecimalSeparator(), allowSeparator, allowSign);
    double number = m_min;
    if (!kept.isEmpty() && !TryStrToFloat(kept, number))
        return QString();
    return FloatToStr(Clamp(number));
}

bool TGxCustomNumberEdit::AcceptsCharacter(const QString& typed) const
{
    if (IsDigits(typed))
        return true;
    if (typed == DecimalSeparator())
        return m_options.contains(eoAllowFloat) &&
               !TextOutsideSelection().contains(DecimalSeparator());
    if (typed.size() != 1 || !IsSign(typed.at(0)) || !m_options.contains(eoAllowSigns))
        return false;
    const QString current = text();
    const int caret = hasSelectedText() ? selectionStart() : cursorPosition();
    const bool hasSign = std::any_of(current.begin(), current.end(), IsSign);
    const QString selected = selectedText();
    const bool replacesSign = std::any_of(selected.begin(), selected.end(), IsSign);
    return (caret == 0 && !hasSign) || replacesSign;
}

QString TGxCustomNumberEdit::TextOutsideSelection() const
{
    QString rest = text();
    if (hasSelectedText())
        rest.remove(selectionStart(), selectedText().size());
    return rest;
}

void TGxCustomNumberEdit::Rewrite()
{
    if (!m_options.contains(eoAllowAll))
        SetValue(Value());
}
