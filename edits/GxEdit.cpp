#include "edits/GxEdit.h"

namespace {

Qt::Alignment ToQtAlignment(TAlignment alignment)
{
    switch (alignment) {
    case taRightJustify:
        return Qt::AlignRight | Qt::AlignVCenter;
    case taCenter:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case taLeftJustify:
        break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

// QLineEdit's own limit, which stands for "unlimited".
constexpr int kUnlimitedLength = 32767;

} // namespace

void TGxEditMargins::SetLeft(int value)
{
    Assign(m_left, value);
}

void TGxEditMargins::SetRight(int value)
{
    Assign(m_right, value);
}

void TGxEditMargins::Assign(int& field, int value)
{
    if (value == field)
        return;
    field = value;
    if (OnChange)
        OnChange();
}

TGxCustomEdit::TGxCustomEdit(QWidget* parent) : QLineEdit(parent)
{
    m_editMargins.OnChange = [this] {
        ApplyMargins();
    };
    resize(121, 20);
}

void TGxCustomEdit::SetAlignment(TAlignment value)
{
    m_alignment = value;
    setAlignment(ToQtAlignment(value));
}

void TGxCustomEdit::SetBorderStyle(TBorderStyle value)
{
    m_borderStyle = value;
    setFrame(value == bsSingle);
}

void TGxCustomEdit::SetMaxLength(int value)
{
    m_maxLength = value;
    setMaxLength(value > 0 ? value : kUnlimitedLength);
}

void TGxCustomEdit::SetPasswordChar(QChar value)
{
    m_passwordChar = value;
    setEchoMode(value.isNull() ? QLineEdit::Normal : QLineEdit::Password);
}

void TGxCustomEdit::ApplyMargins()
{
    setTextMargins(m_editMargins.Left(), 0, m_editMargins.Right(), 0);
}

bool TGxCustomEdit::AsBoolean() const
{
    return StrToBool(text());
}

TDateTime TGxCustomEdit::AsDateTime() const
{
    return text().isEmpty() ? 0 : StrToDateTime(text());
}

double TGxCustomEdit::AsFloat() const
{
    return StrToFloat(text());
}

int32_t TGxCustomEdit::AsInteger() const
{
    return StrToInt(text());
}

QString TGxCustomEdit::AsString() const
{
    return text();
}

void TGxCustomEdit::SetAsBoolean(bool value)
{
    setText(BoolToStr(value));
}

void TGxCustomEdit::SetAsDateTime(TDateTime value)
{
    setText(DateTimeToStr(value));
}

void TGxCustomEdit::SetAsFloat(double value)
{
    setText(FloatToStr(value));
}

void TGxCustomEdit::SetAsInteger(int32_t value)
{
    setText(IntToStr(value));
}

void TGxCustomEdit::SetAsString(const QString& value)
{
    setText(value);
}

TGxEdit::TGxEdit(QWidget* parent) : TGxCustomEdit(parent) {}

TGxCustomNumberEdit::TGxCustomNumberEdit(QWidget* parent) : TGxEdit(parent) {}

TGxSpinEdit::TGxSpinEdit(QWidget* parent) : TGxCustomNumberEdit(parent)
{
    SetPrecision(0);
}
