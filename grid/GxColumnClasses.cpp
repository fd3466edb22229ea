#include "grid/GxColumnClasses.h"

#include "edits/GxSpinEdit.h"
#include "grid/GxDisplays.h"
#include "grid/GxFormatFloat.h"

#include <QLocale>

// --- TGxTextColumn ------------------------------------------------------------------------

TGxTextColumn::TGxTextColumn()
{
    SetCellKind(ckString);
    SetOptions(Options() + TColumnOptions{coShowTextFitHint});
}

std::unique_ptr<TGxCustomEdit> TGxTextColumn::GetEditorClass(QWidget* parent) const
{
    return std::make_unique<TGxEdit>(parent);
}

std::unique_ptr<TColumnDisplay> TGxTextColumn::GetDisplayClass()
{
    return std::make_unique<TTextColumnDisplay>(*this);
}

bool TGxTextColumn::GetMultiLine(bool defaultValue) const
{
    return m_multiLine || defaultValue;
}

QString TGxTextColumn::GetDisplayText(TCell& cell, int) const
{
    return DisplayTextOf(cell.AsString());
}

QString TGxTextColumn::DisplayTextOf(const QString& value) const
{
    const QString text = m_textBefore + value + m_textAfter;
    if (m_passwordChar.isNull())
        return text;
    return QString(text.size(), m_passwordChar);
}

void TGxTextColumn::PrepareEditor()
{
    TGxCustomColumn::PrepareEditor();
    if (TGxCustomEdit* editor = Editor()) {
        editor->SetMaxLength(m_maxLength);
        editor->SetPasswordChar(m_passwordChar);
    }
}

// --- Number columns -----------------------------------------------------------------------

TGxCustomNumberColumn::TGxCustomNumberColumn()
{
    SetCellKind(ckFloat);
    SetDefaultValue(QStringLiteral("0"));
    SetSortType(stNumeric);
}

std::unique_ptr<TGxCustomEdit> TGxCustomNumberColumn::GetEditorClass(QWidget* parent) const
{
    return std::make_unique<TGxSpinEdit>(parent);
}

std::unique_ptr<TColumnDisplay> TGxCustomNumberColumn::GetDisplayClass()
{
    return std::make_unique<TNumberColumnDisplay>(*this);
}

QString TGxCustomNumberColumn::GetDisplayText(TCell& cell, int) const
{
    return FormatValue(cell.AsFloat());
}

QString TGxCustomNumberColumn::FormatValue(double value) const
{
    if (m_hideWhenEmpty && value == 0)
        return m_emptyCaption;
    const QString number =
        m_formatMask.isEmpty() ? FloatToStr(value) : FormatFloat(m_formatMask, value);
    return m_textBefore + number + m_textAfter;
}

bool TGxCustomNumberColumn::IsValidChar(QChar c) const
{
    if (c >= u'0' && c <= u'9')
        return true;
    if (c == u'+' || c == u'-')
        return m_editOptions.contains(eoAllowSigns);
    return m_editOptions.contains(eoAllowFloat) && QString(c) == QLocale().decimalPoint();
}

void TGxCustomNumberColumn::PrepareEditor()
{
    TGxCustomColumn::PrepareEditor();
    if (auto* editor = qobject_cast<TGxCustomNumberEdit*>(Editor())) {
        editor->SetOptions(m_editOptions);
        editor->SetMax(m_max);
        editor->SetMin(m_min);
    }
}

TGxNumberColumn::TGxNumberColumn()
{
    SetAlignment(taRightJustify);
}

void TGxNumberColumn::PrepareEditor()
{
    TGxCustomNumberColumn::PrepareEditor();
    if (auto* editor = qobject_cast<TGxSpinEdit*>(Editor())) {
        editor->SetIncrement(m_increment);
        editor->SetSpinButtons(m_spinButtons);
    }
}

void TGxNumberColumn::UpdateEditor()
{
    if (auto* editor = qobject_cast<TGxSpinEdit*>(Editor()))
        editor->SetPrecision(m_precision);
}

// --- Increment, image and check box columns -----------------------------------------------

TGxIncrementColumn::TGxIncrementColumn()
{
    SetCellKind(ckIncrement);
}

std::unique_ptr<TColumnDisplay> TGxIncrementColumn::GetDisplayClass()
{
    return std::make_unique<TIncrementColumnDisplay>(*this);
}

QString TGxIncrementColumn::GetDisplayText(TCell&, int ARow) const
{
    return IntToStr(ARow + 1);
}

TGxImageColumn::TGxImageColumn()
{
    SetCellKind(ckInteger);
    SetDefaultValue(QStringLiteral("0"));
    SetSortType(stNumeric);
}

std::unique_ptr<TColumnDisplay> TGxImageColumn::GetDisplayClass()
{
    return std::make_unique<TImageColumnDisplay>(*this);
}

TGxCheckBoxColumn::TGxCheckBoxColumn()
{
    SetCellKind(ckBoolean);
    SetSortType(stBoolean);
}

std::unique_ptr<TColumnDisplay> TGxCheckBoxColumn::GetDisplayClass()
{
    return std::make_unique<TCheckBoxColumnDisplay>(*this);
}

std::unique_ptr<TColumnPlay> TGxCheckBoxColumn::GetPlayClass()
{
    return std::make_unique<TCheckBoxColumnPlay>(*this);
}
