#include "platform/ImageList.h"

#include "platform/Exception.h"

#include <QPainter>

TImageList::TImageList(int width, int height) : m_width(width), m_height(height) {}

int TImageList::Add(const QImage& image)
{
    if (image.width() == m_width && image.height() == m_height)
        m_images.push_back(image);
    else
        m_images.push_back(
            image.scaled(m_width, m_height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    return Count() - 1;
}

void TImageList::Clear()
{
    m_images.clear();
}

const QImage& TImageList::Image(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError(index);
    return m_images[static_cast<size_t>(index)];
}

void TImageList::Draw(QPainter& painter, const QPoint& topLeft, int index) const
{
    if (index >= 0 && index < Count())
        painter.drawImage(topLeft, m_images[static_cast<size_t>(index)]);
}
