#include "edits/GxEditInfo.h"

#include "edits/GxCustomEdit.h"
#include "platform/Canvas.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <cmath>

namespace {

constexpr TColor kPreviewFrame = RGB(128, 128, 128);

} // namespace

TGxEditInfo::TGxEditInfo(TGxCustomEdit& edit) : QWidget(&edit), m_edit(edit)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::ArrowCursor);
}

int TGxEditInfo::AreaWidth() const
{
    const QImage& glyph = m_edit.Glyph();
    return (glyph.isNull() ? 0 : glyph.width() + kGlyphGap) +
           (m_edit.ShowPreview() ? kPreviewWidth : 0);
}

bool TGxEditInfo::Wanted() const
{
    return m_edit.ShowPreview() || !m_edit.Glyph().isNull();
}

void TGxEditInfo::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    TCanvas canvas(painter, event->region());
    canvas.FillRect(rect(), m_edit.Color());
    const QImage& glyph = m_edit.TransparentGlyph();
    if (!glyph.isNull()) {
        const int y = int(std::nearbyint(height() / 2.0 - glyph.height() / 2.0));
        painter.drawImage(0, y, glyph);
    }
    if (!m_edit.ShowPreview())
        return;
    QRect preview = m_edit.PreviewRect();
    if (m_edit.PreviewBorder()) {
        canvas.FrameRect(preview, kPreviewFrame);
        preview.adjust(1, 1, -1, -1);
    }
    m_edit.DrawPreview(canvas, preview);
}

void TGxEditInfo::mousePressEvent(QMouseEvent* event)
{
    const QImage& glyph = m_edit.Glyph();
    const bool onGlyph = !glyph.isNull() && event->position().x() < glyph.width();
    if (onGlyph && m_edit.OnGlyphClick)
        m_edit.OnGlyphClick(&m_edit);
    event->accept();
}
