#pragma once

#include "edits/GxControlTypes.h"
#include "platform/Sets.h"
#include "platform/SysUtils.h"

#include <QLineEdit>
#include <functional>

// The extra space left and right of an edit's text. The owning edit applies a change at once.
class TGxEditMargins
{
public:
    int Left() const { return m_left; }
    void SetLeft(int value);
    int Right() const { return m_right; }
    void SetRight(int value);

    std::function<void()> OnChange;

private:
    void Assign(int& field, int value);

    int m_left = 0;
    int m_right = 0;
};

// A one-line edit box with text alignment, margins and typed value accessors, so that it can
// serve as a grid cell's in-place editor.
class TGxCustomEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit TGxCustomEdit(QWidget* parent = nullptr);

    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment value);
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle value);
    TGxEditMargins& EditMargins() { return m_editMargins; }
    const TGxEditMargins& EditMargins() const { return m_editMargins; }
    // 0 is unlimited.
    int MaxLength() const { return m_maxLength; }
    void SetMaxLength(int value);
    // A character other than U+0000 hides the text behind it.
    QChar PasswordChar() const { return m_passwordChar; }
    void SetPasswordChar(QChar value);
    // Set while the edit serves as a grid cell's editor.
    bool InCell() const { return m_inCell; }
    void SetInCell(bool value) { m_inCell = value; }

    // The text read as a value; a text that does not convert raises the conversion error.
    virtual bool AsBoolean() const;
    virtual TDateTime AsDateTime() const;
    virtual double AsFloat() const;
    virtual int32_t AsInteger() const;
    virtual QString AsString() const;
    virtual void SetAsBoolean(bool value);
    virtual void SetAsDateTime(TDateTime value);
    virtual void SetAsFloat(double value);
    virtual void SetAsInteger(int32_t value);
    virtual void SetAsString(const QString& value);

private:
    void ApplyMargins();

    TAlignment m_alignment = taLeftJustify;
    TBorderStyle m_borderStyle = bsSingle;
    TGxEditMargins m_editMargins;
    int m_maxLength = 0;
    QChar m_passwordChar;
    bool m_inCell = false;
};

// The edit box the grid's text columns use as their in-place editor.
class TGxEdit : public TGxCustomEdit
{
    Q_OBJECT
public:
    explicit TGxEdit(QWidget* parent = nullptr);

    int BorderWidth() const { return m_borderWidth; }
    void SetBorderWidth(int value) { m_borderWidth = value; }

private:
    int m_borderWidth = 0;
};

enum TGxNumberEditOption {
    eoAllowAll,
    eoAllowFloat,
    eoAllowSigns,
    eoDisablePaste,
    eoDisableTyping
};
using TGxNumberEditOptions = TSet<TGxNumberEditOption, 5>;

// An edit box for numbers: range, precision and the texts around the number.
class TGxCustomNumberEdit : public TGxEdit
{
    Q_OBJECT
public:
    explicit TGxCustomNumberEdit(QWidget* parent = nullptr);

    double Max() const { return m_max; }
    void SetMax(double value) { m_max = value; }
    double Min() const { return m_min; }
    void SetMin(double value) { m_min = value; }
    const QString& NullText() const { return m_nullText; }
    void SetNullText(const QString& value) { m_nullText = value; }
    TGxNumberEditOptions Options() const { return m_options; }
    void SetOptions(TGxNumberEditOptions value) { m_options = value; }
    int Precision() const { return m_precision; }
    void SetPrecision(int value) { m_precision = value; }
    const QString& TextAfter() const { return m_textAfter; }
    void SetTextAfter(const QString& value) { m_textAfter = value; }
    const QString& TextBefore() const { return m_textBefore; }
    void SetTextBefore(const QString& value) { m_textBefore = value; }

private:
    double m_max = 0;
    double m_min = 0;
    QString m_nullText;
    TGxNumberEditOptions m_options{eoAllowFloat, eoAllowSigns};
    int m_precision = 2;
    QString m_textAfter;
    QString m_textBefore;
};

// The number edit that the grid's number columns use as their in-place editor.
class TGxSpinEdit : public TGxCustomNumberEdit
{
    Q_OBJECT
public:
    explicit TGxSpinEdit(QWidget* parent = nullptr);

    double Increment() const { return m_increment; }
    void SetIncrement(double value) { m_increment = value; }
    bool SpinButtons() const { return m_spinButtons; }
    void SetSpinButtons(bool value) { m_spinButtons = value; }

private:
    double m_increment = 1.0;
    bool m_spinButtons = true;
};
