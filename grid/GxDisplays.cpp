#include "grid/GxDisplays.h"

#include "grid/GxColumnClasses.h"
#include "grid/shared/GxSharedDraw.h"
#include "grid/shared/GxThemesSupport.h"
#include "platform/Canvas.h"
#include "platform/ImageList.h"
#include "platform/SysUtils.h"

#include <QWidget>
#include <cmath>

namespace {

constexpr int kContentMargin = 2;
constexpr int kBoxMargin = 2;

// The box of a check box column's cell, placed in rect as the column aligns its content.
QRect CheckBoxIn(const TGxCustomColumn& column, const QRect& rect)
{
    const int size = TVirtualColElement::CheckBoxSize();
    const QPoint topLeft =
        PlaceBox(size, size, column.VerticalAlignment(), column.Alignment(), rect, kBoxMargin);
    return QRect(topLeft, QSize(size, size));
}

} // namespace

void TVirtualColElement::LoadValue(TCell& cell, TCellKind kind, int row)
{
    switch (kind) {
    case ckBoolean:
        m_boolValue = cell.AsBoolean();
        break;
    case ckDateTime:
        m_dateValue = cell.AsDateTime();
        break;
    case ckFloat:
        m_floatValue = cell.AsFloat();
        break;
    case ckInteger:
        m_intValue = cell.AsInteger();
        break;
    case ckIncrement:
        m_intValue = row;
        break;
    default:
        m_text = cell.AsString();
        break;
    }
}

int TVirtualColElement::CheckBoxSize()
{
    return ThemesAvailable() ? 13 : 11;
}

// --- Cell painters -----------------------------------------------------------------------

void TColumnDisplay::FillBackground(TColor color, bool outline)
{
    if (outline)
        Canvas().FrameRect(CellRect(), color);
    else
        Canvas().FillRect(CellRect(), color);
}

QRect TColumnDisplay::GetContentRect() const
{
    return CellRect().adjusted(kContentMargin, 0, -kContentMargin, 0);
}

unsigned TColumnDisplay::TextFlags(bool drawing) const
{
    const TGxCustomColumn& column = Column();
    unsigned flags = DT_NOPREFIX;
    if (column.BiDiMode() != bdLeftToRight)
        flags |= DT_RTLREADING;
    if (column.Alignment() == taRightJustify)
        flags |= DT_RIGHT;
    else if (column.Alignment() == taCenter)
        flags |= DT_CENTER;
    if (column.VerticalAlignment() == taAlignBottom)
        flags |= DT_BOTTOM;
    else if (column.VerticalAlignment() == taVerticalCenter)
        flags |= DT_VCENTER;
    switch (column.WrapKind()) {
    case wkNone:
        break;
    case wkEllipsis:
        flags |= drawing ? DT_END_ELLIPSIS : 0;
        break;
    case wkPathEllipsis:
        flags |= drawing ? DT_PATH_ELLIPSIS : 0;
        break;
    case wkWordWrap:
        flags |= DT_WORDBREAK;
        break;
    }
    if (column.WrapKind() != wkWordWrap && !column.GetMultiLine(false))
        flags |= DT_SINGLELINE;
    return flags;
}

void TColumnDisplay::DrawCellText(const QString& text, const QRect& rect)
{
    const unsigned flags = TextFlags(true);
    QRect target = rect;
    const TVerticalAlignment vertical = Column().VerticalAlignment();
    if (!(flags & DT_SINGLELINE) && vertical != taAlignTop) {
        // The window system places multi-line text only from the top: measure it, then move.
        QRect measured = rect;
        const int height = Canvas().DrawText(text, measured, flags | DT_CALCRECT);
        if (vertical == taAlignBottom)
            target.setTop(rect.top() + rect.height() - height);
        else
            target.setTop(rect.top() + int(std::nearbyint((rect.height() - height) / 2.0)));
    }
    Canvas().DrawText(text, target, flags);
}

void TColumnDisplay::DrawHintMark()
{
    const QRect& cell = CellRect();
    const int right = cell.left() + cell.width();
    Canvas().SetPenColor(clRed);
    Canvas().SetBrushColor(clRed);
    Canvas().Polygon(
        {{right - 5, cell.top()}, {right - 1, cell.top()}, {right - 1, cell.top() + 4}});
}

int TColumnDisplay::GetContentWidth()
{
    return MeasureContent().width();
}

QSize TColumnDisplay::MeasureContent()
{
    QRect bounds = GetContentRect();
    Canvas().DrawText(ContentText(), bounds, TextFlags(false) | DT_CALCRECT);
    return bounds.size();
}

void TTextColumnDisplay::Paint()
{
    DrawCellText(ContentText(), GetContentRect());
}

QString TTextColumnDisplay::ContentText() const
{
    if (const auto* column = dynamic_cast<const TGxTextColumn*>(&Column()))
        return column->DisplayTextOf(Text());
    return Text();
}

void TNumberColumnDisplay::Paint()
{
    DrawCellText(ContentText(), GetContentRect());
}

QString TNumberColumnDisplay::ContentText() const
{
    if (const auto* column = dynamic_cast<const TGxCustomNumberColumn*>(&Column()))
        return column->FormatValue(FloatValue());
    return FloatToStr(FloatValue());
}

void TIncrementColumnDisplay::Paint()
{
    DrawCellText(ContentText(), GetContentRect());
}

QString TIncrementColumnDisplay::ContentText() const
{
    return IntToStr(IntValue() + 1);
}

void TImageColumnDisplay::Paint()
{
    const auto* column = dynamic_cast<const TGxImageColumn*>(&Column());
    const TImageList* images = column ? column->Images() : nullptr;
    if (!images || IntValue() < 0 || IntValue() >= images->Count())
        return;
    const QPoint topLeft = PlaceBox(images->Width(), images->Height(), column->VerticalAlignment(),
                                    column->Alignment(), CellRect(), kBoxMargin);
    images->Draw(Canvas().Painter(), topLeft, IntValue());
}

int TImageColumnDisplay::GetContentWidth()
{
    const auto* column = dynamic_cast<const TGxImageColumn*>(&Column());
    return column && column->Images() ? column->Images()->Width() : 0;
}

void TCheckBoxColumnDisplay::Paint()
{
    DrawCheckBox(CellRect(), BoolValue(), false, false);
}

int TCheckBoxColumnDisplay::GetContentWidth()
{
    return CheckBoxSize();
}

void TCheckBoxColumnDisplay::DrawCheckBox(const QRect& rect, bool checked, bool pressed, bool hot)
{
    const QRect box = CheckBoxIn(Column(), rect);
    if (ThemesAvailable() && Window()) {
        DrawThemedCheckBox(Canvas(), *Window(), box, checked, pressed, hot);
        return;
    }
    TCanvas& canvas = Canvas();
    canvas.FillRect(box, pressed ? clBtnFace : clWindow);
    canvas.FrameRect(box, clBtnShadow);
    if (!checked)
        return;
    canvas.SetPenColor(clWindowText);
    const int x = box.left();
    const int y = box.top();
    for (int lower = 0; lower < 3; ++lower)
        canvas.Polyline({{x + 2, y + 4 + lower}, {x + 4, y + 6 + lower}, {x + 9, y + 1 + lower}});
}

// --- Cell interactors ----------------------------------------------------------------------

void TColumnPlay::SetCell(int ACol, int ARow)
{
    m_col = ACol;
    m_row = ARow;
}

void TColumnPlay::KeyPress(QChar) {}

void TColumnPlay::MouseDown(Qt::MouseButton, Qt::KeyboardModifiers, int, int) {}

void TColumnPlay::MouseMove(Qt::KeyboardModifiers, int, int) {}

void TColumnPlay::MouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int, int) {}

void TColumnPlay::DoChange()
{
    if (OnChange)
        OnChange(*this);
}

void TCheckBoxColumnPlay::KeyPress(QChar key)
{
    if (key == u' ')
        Toggle();
}

QRect TCheckBoxColumnPlay::BoxRect() const
{
    const QRect hit = QRect(QPoint(0, 0), CellRect().size()).adjusted(-1, -1, 1, 1);
    return CheckBoxIn(Column(), hit);
}

void TCheckBoxColumnPlay::MouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y)
{
    if (BoxRect().contains(x, y))
        Toggle();
}

void TCheckBoxColumnPlay::Toggle()
{
    SetBoolValue(!BoolValue());
    SetText(BoolToStr(BoolValue()));
    DoChange();
    auto& column = static_cast<TGxCheckBoxColumn&>(Column());
    if (column.OnChange)
        column.OnChange(&column);
}
