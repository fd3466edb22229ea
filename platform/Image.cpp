#include "platform/Image.h"

#include <QPainter>

TImage::TImage(QWidget* parent) : QWidget(parent) {}

void TImage::SetPicture(const QImage& picture)
{
    m_picture = picture;
    FitToPicture();
    update();
}

void TImage::SetStretch(bool stretch)
{
    if (m_stretch == stretch)
        return;
    m_stretch = stretch;
    update();
}

void TImage::SetAutoSize(bool autoSize)
{
    if (m_autoSize == autoSize)
        return;
    m_autoSize = autoSize;
    FitToPicture();
}

void TImage::FitToPicture()
{
    if (m_autoSize && !m_picture.isNull())
        resize(m_picture.size());
}

void TImage::paintEvent(QPaintEvent*)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    if (m_stretch) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(rect(), m_picture);
    } else {
        painter.drawImage(QPoint(0, 0), m_picture);
    }
}

void TImage::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (OnDblClick)
        OnDblClick(this);
    else
        QWidget::mouseDoubleClickEvent(event);
}
