#pragma once

#include "edits/GxCustomNumberEdit.h"
#include "grid/GxColumns.h"

class TImageList;

// Text cells, edited in a single-line edit.
class TGxTextColumn : public TGxCustomColumn
{
public:
    TGxTextColumn();

    // 0 is unlimited.
    int MaxLength() const { return m_maxLength; }
    void SetMaxLength(int value) { SetDisplay(m_maxLength, value); }
    bool MultiLine() const { return m_multiLine; }
    void SetMultiLine(bool value) { SetDisplay(m_multiLine, value); }
    // U+0000 is none.
    QChar PasswordChar() const { return m_passwordChar; }
    void SetPasswordChar(QChar value) { SetDisplay(m_passwordChar, value); }
    const QString& TextAfter() const { return m_textAfter; }
    void SetTextAfter(const QString& value) { SetDisplay(m_textAfter, value); }
    const QString& TextBefore() const { return m_textBefore; }
    void SetTextBefore(const QString& value) { SetDisplay(m_textBefore, value); }

    std::unique_ptr<TGxCustomEdit> GetEditorClass(QWidget* parent) const override;
    std::unique_ptr<TColumnDisplay> GetDisplayClass() override;
    TColumnBehaviour ColumnBehaviour() const override
    {
        return {cbOwnEditor, cbSizeToContent, cbShowsText};
    }
    bool GetMultiLine(bool defaultValue) const override;
    // TextBefore + text + TextAfter, all of it hidden behind PasswordChar when one is set.
    QString GetDisplayText(TCell& cell, int ARow) const override;
    QString DisplayTextOf(const QString& text) const;
    bool IsValidChar(QChar c) const override { return c.unicode() > 32; }
    void PrepareEditor() override;

private:
    int m_maxLength = 0;
    bool m_multiLine = false;
    QChar m_passwordChar;
    QString m_textAfter;
    QString m_textBefore;
};

// Float cells shown as formatted numbers.
class TGxCustomNumberColumn : public TGxCustomColumn
{
public:
    TGxCustomNumberColumn();

    TGxNumberEditOptions EditOptions() const { return m_editOptions; }
    void SetEditOptions(TGxNumberEditOptions value) { m_editOptions = value; }
    const QString& EmptyCaption() const { return m_emptyCaption; }
    void SetEmptyCaption(const QString& value) { SetDisplay(m_emptyCaption, value); }
    // A float format pattern (FormatFloat); empty gives the general format.
    const QString& FormatMask() const { return m_formatMask; }
    void SetFormatMask(const QString& value) { SetDisplay(m_formatMask, value); }
    bool HideWhenEmpty() const { return m_hideWhenEmpty; }
    void SetHideWhenEmpty(bool value) { SetDisplay(m_hideWhenEmpty, value); }
    double Max() const { return m_max; }
    void SetMax(double value) { m_max = value; }
    double Min() const { return m_min; }
    void SetMin(double value) { m_min = value; }
    const QString& TextAfter() const { return m_textAfter; }
    void SetTextAfter(const QString& value) { SetDisplay(m_textAfter, value); }
    const QString& TextBefore() const { return m_textBefore; }
    void SetTextBefore(const QString& value) { SetDisplay(m_textBefore, value); }

    std::unique_ptr<TGxCustomEdit> GetEditorClass(QWidget* parent) const override;
    std::unique_ptr<TColumnDisplay> GetDisplayClass() override;
    TColumnBehaviour ColumnBehaviour() const override
    {
        return {cbOwnEditor, cbSizeToContent, cbShowsText};
    }
    // EmptyCaption for 0 when HideWhenEmpty, else TextBefore + the number + TextAfter.
    QString GetDisplayText(TCell& cell, int ARow) const override;
    QString FormatValue(double value) const;
    bool IsValidChar(QChar c) const override;
    void PrepareEditor() override;

private:
    TGxNumberEditOptions m_editOptions{eoAllowFloat};
    QString m_emptyCaption;
    QString m_formatMask;
    bool m_hideWhenEmpty = false;
    double m_max = 0;
    double m_min = 0;
    QString m_textAfter;
    QString m_textBefore;
};

// A number column edited with a spin edit.
class TGxNumberColumn : public TGxCustomNumberColumn
{
public:
    TGxNumberColumn();

    double Increment() const { return m_increment; }
    void SetIncrement(double value) { m_increment = value; }
    int Precision() const { return m_precision; }
    void SetPrecision(int value) { m_precision = value; }
    bool SpinButtons() const { return m_spinButtons; }
    void SetSpinButtons(bool value) { m_spinButtons = value; }

    void PrepareEditor() override;
    void UpdateEditor() override;

private:
    double m_increment = 1.0;
    int m_precision = 0;
    bool m_spinButtons = true;
};

// The row numbers 1, 2, 3... whatever the cells hold.
class TGxIncrementColumn : public TGxCustomColumn
{
public:
    TGxIncrementColumn();

    std::unique_ptr<TColumnDisplay> GetDisplayClass() override;
    TColumnBehaviour ColumnBehaviour() const override
    {
        return {cbSizeToContent, cbShowsText};
    }
    QString GetDisplayText(TCell& cell, int ARow) const override;
};

// Integer cells holding an index into an image list.
class TGxImageColumn : public TGxCustomColumn
{
public:
    TGxImageColumn();

    TImageList* Images() const { return m_images; }
    void SetImages(TImageList* value) { SetDisplay(m_images, value); }
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool value) { m_transparent = value; }

    std::unique_ptr<TColumnDisplay> GetDisplayClass() override;
    TColumnBehaviour ColumnBehaviour() const override
    {
        return {cbSizeToContent};
    }

private:
    TImageList* m_images = nullptr;
    bool m_transparent = true;
};

// Boolean cells shown as check boxes, which the user toggles.
class TGxCheckBoxColumn : public TGxCustomColumn
{
public:
    TGxCheckBoxColumn();

    std::unique_ptr<TColumnDisplay> GetDisplayClass() override;
    std::unique_ptr<TColumnPlay> GetPlayClass() override;
    TColumnBehaviour ColumnBehaviour() const override
    {
        return {cbOwnEditor, cbSizeToContent};
    }

    // Raised when the user toggles a check box of the column.
    std::function<void(TGxCheckBoxColumn* Sender)> OnChange;
};
