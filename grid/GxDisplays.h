#pragma once

#include "platform/Graphics.h"

#include <QRect>
#include <QSize>
#include <QString>
#include <Qt>
#include <functional>

class QWidget;
class TCanvas;
class TCell;
enum TCellKind : int;
class TGxCustomColumn;
class TGxCustomGridControl;

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
    // The grid's canvas, set before each use.
    TCanvas& Canvas() const { return *m_canvas; }
    void SetCanvas(TCanvas* value) { m_canvas = value; }
    // The grid's window, whose style draws themed parts.
    QWidget* Window() const { return m_window; }
    void SetWindow(QWidget* value) { m_window = value; }

    // Takes the cell's value into the field its column's cell kind uses; an increment column's
    // value is the row index.
    void LoadValue(TCell& cell, TCellKind kind, int row);

    // The check box's size: 13 pixels themed, 11 classic.
    static int CheckBoxSize();

private:
    TGxCustomColumn* m_column;
    TCanvas* m_canvas = nullptr;
    QWidget* m_window = nullptr;
    bool m_boolValue = false;
    double m_dateValue = 0;
    double m_floatValue = 0;
    int m_intValue = 0;
    QString m_text;
    QRect m_cellRect;
};

// The cell painter a column owns; each column kind has its own. The grid sets the canvas,
// rectangle, value and highlight facts, fills the background and then asks it to paint.
class TColumnDisplay : public TVirtualColElement
{
public:
    using TVirtualColElement::TVirtualColElement;

    bool Highlighted() const { return m_highlighted; }
    void SetHighlighted(bool value) { m_highlighted = value; }
    TColor HighlightedTextColor() const { return m_highlightedTextColor; }
    void SetHighlightedTextColor(TColor value) { m_highlightedTextColor = value; }
    bool Current() const { return m_current; }
    void SetCurrent(bool value) { m_current = value; }
    int Row() const { return m_row; }
    void SetRow(int value) { m_row = value; }
    int RowImage() const { return m_rowImage; }
    void SetRowImage(int value) { m_rowImage = value; }
    TGxCustomGridControl* Grid() const { return m_grid; }
    void SetGrid(TGxCustomGridControl* value) { m_grid = value; }

    // Fills CellRect with the colour, or frames it.
    void FillBackground(TColor color, bool outline = false);

    // CellRect less 2 pixels at the left and at the right.
    virtual QRect GetContentRect() const;
    // Draws the text with the column's layout flags: alignment, wrapping or ellipsis.
    virtual void DrawCellText(const QString& text, const QRect& rect);
    // A small red triangle in the top-right corner.
    virtual void DrawHintMark();
    // The content's natural width, for sizing a column to its content.
    virtual int GetContentWidth();
    // The width and height of the text as it would be drawn into GetContentRect.
    virtual QSize MeasureContent();
    virtual void Paint() = 0;

protected:
    // The text the kind shows for the loaded value; empty for kinds that draw no text.
    virtual QString ContentText() const { return Text(); }
    // The column's layout flags; the ellipsis flags only when drawing.
    unsigned TextFlags(bool drawing) const;

private:
    bool m_highlighted = false;
    TColor m_highlightedTextColor = clHighlightText;
    bool m_current = false;
    int m_row = -1;
    int m_rowImage = -1;
    TGxCustomGridControl* m_grid = nullptr;
};

// TextBefore + text + TextAfter, or as many password characters.
class TTextColumnDisplay : public TColumnDisplay
{
public:
    using TColumnDisplay::TColumnDisplay;
    void Paint() override;

protected:
    QString ContentText() const override;
};

// The float value formatted by the column's FormatMask, or EmptyCaption for 0.
class TNumberColumnDisplay : public TColumnDisplay
{
public:
    using TColumnDisplay::TColumnDisplay;
    void Paint() override;

protected:
    QString ContentText() const override;
};

// The row's number, counted from 1.
class TIncrementColumnDisplay : public TColumnDisplay
{
public:
    using TColumnDisplay::TColumnDisplay;
    void Paint() override;

protected:
    QString ContentText() const override;
};

// Picture IntValue of the column's image list, placed by the column's alignment.
class TImageColumnDisplay : public TColumnDisplay
{
public:
    using TColumnDisplay::TColumnDisplay;
    void Paint() override;
    int GetContentWidth() override;
};

class TCheckBoxColumnDisplay : public TColumnDisplay
{
public:
    using TColumnDisplay::TColumnDisplay;
    void Paint() override;
    int GetContentWidth() override;
    virtual void DrawCheckBox(const QRect& rect, bool checked, bool pressed, bool hot);
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
    // Positions are relative to CellRect's top-left corner.
    virtual void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    virtual void MouseMove(Qt::KeyboardModifiers shift, int x, int y);
    virtual void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);

    // Applies the value to the cell; installed by the grid.
    std::function<void(TColumnPlay& Sender)> OnChange;
    // The grid's expand toggle of the row (row trees).
    std::function<void(TColumnPlay& Sender)> OnExpand;

protected:
    void DoChange();

private:
    int m_col = -1;
    int m_row = -1;
};

// The check box interactor: a space, or a button released over the box, toggles the value.
class TCheckBoxColumnPlay : public TColumnPlay
{
public:
    using TColumnPlay::TColumnPlay;

    void KeyPress(QChar key) override;
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;
    // The box inside the cell, relative to the cell's top-left corner.
    QRect BoxRect() const;
    // Turns the value over, hands it to the grid, then raises the column's OnChange.
    void Toggle();
};
