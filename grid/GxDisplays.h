#pragma once

#include <QRect>
#include <QString>
#include <functional>

class TGxCustomColumn;

// The base of a column's cell painter and cell interactor: one cell's value, loaded by the
// grid for each use, and the rectangle to paint or act in.
class TVirtualColElement
{
public:
    explicit TVirtualColElement(TGxCustomColumn& column) : m_column(&column) {}
    TVirtualColElement(const TVirtualColElement&) = delete;
    TVirtualColElement& operator=(const TVirtualColElement&) = delete;
    virtual ~TVirtualColElement() = default;

    TGxCustomColumn& Column() const { return *m_column; }

    bool BoolValue() const { return m_boolValue; }
    void SetBoolValue(bool value) { m_boolValue = value; }
    double DateValue() const { return m_dateValue; }
    void SetDateValue(double value) { m_dateValue = value; }
    double FloatValue() const { return m_floatValue; }
    void SetFloatValue(double value) { m_floatValue = value; }
    int IntValue() const { return m_intValue; }
    void SetIntValue(int value) { m_intValue = value; }
    const QString& Text() const { return m_text; }
    void SetText(const QString& value) { m_text = value; }
    const QRect& CellRect() const { return m_cellRect; }
    void SetCellRect(const QRect& value) { m_cellRect = value; }

private:
    TGxCustomColumn* m_column;
    bool m_boolValue = false;
    double m_dateValue = 0;
    double m_floatValue = 0;
    int m_intValue = 0;
    QString m_text;
    QRect m_cellRect;
};

// The cell painter a column owns; each column kind has its own.
class TColumnDisplay : public TVirtualColElement
{
public:
    using TVirtualColElement::TVirtualColElement;
};

class TTextColumnDisplay : public TColumnDisplay
{
public:
    using TColumnDisplay::TColumnDisplay;
};

class TNumberColumnDisplay : public TColumnDisplay
{
public:
    using TColumnDisplay::TColumnDisplay;
};

class TIncrementColumnDisplay : public TColumnDisplay
{
public:
    using TColumnDisplay::TColumnDisplay;
};

class TImageColumnDisplay : public TColumnDisplay
{
public:
    using TColumnDisplay::TColumnDisplay;
};

class TCheckBoxColumnDisplay : public TColumnDisplay
{
public:
    using TColumnDisplay::TColumnDisplay;
};

// The cell interactor a column may own: the grid hands it the cell being acted on and a key;
// a change of value goes back to the grid through OnChange, which writes it into the cell.
class TColumnPlay : public TVirtualColElement
{
public:
    using TVirtualColElement::TVirtualColElement;

    int ACol() const { return m_col; }
    int ARow() const { return m_row; }
    void SetCell(int ACol, int ARow);

    virtual void KeyPress(QChar key);

    std::function<void(TColumnPlay& Sender)> OnChange;

protected:
    void DoChange();

private:
    int m_col = -1;
    int m_row = -1;
};

// The check box interactor: a space toggles the value.
class TCheckBoxColumnPlay : public TColumnPlay
{
public:
    using TColumnPlay::TColumnPlay;

    void KeyPress(QChar key) override;
    // Turns the value over, hands it to the grid, then raises the column's OnChange.
    void Toggle();
};
