#include "platform/ImageList.h"

#include "platform/Exception.h"

#include <QHash>
#include <QPainter>

namespace {

constexpr QImage::Format kStoredFormat = QImage::Format_RGB888;

size_t PixelHash(const QImage& picture)
{
    const auto lineBytes = size_t(picture.width()) * 3;
    size_t hash = 0;
    for (int y = 0; y < picture.height(); ++y)
        hash = qHashBits(picture.constScanLine(y), lineBytes, hash);
    return hash;
}

} // namespace

TImageList::TImageList(int width, int height) : m_width(width), m_height(height) {}

int TImageList::Add(const QImage& image)
{
    // The same picture again (a group of twins shares one QImage): nothing to convert or compare.
    if (!m_pictureAt.empty() && !image.isNull() && image.cacheKey() == m_lastAdded.cacheKey()) {
        m_pictureAt.push_back(m_pictureAt.back());
        return Count() - 1;
    }
    m_lastAdded = image;
    const QImage sized =
        image.width() == m_width && image.height() == m_height
            ? image
            : image.scaled(m_width, m_height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage picture = sized.convertToFormat(kStoredFormat);
    const size_t hash = PixelHash(picture);
    int32_t stored = Find(picture, hash);
    if (stored < 0) {
        stored = int32_t(m_pictures.size());
        m_pictures.push_back(picture);
        m_byContent.emplace(hash, stored);
    }
    m_pictureAt.push_back(stored);
    return Count() - 1;
}

int32_t TImageList::Find(const QImage& picture, size_t hash) const
{
    const auto [first, last] = m_byContent.equal_range(hash);
    for (auto it = first; it != last; ++it)
        if (m_pictures[size_t(it->second)] == picture)
            return it->second;
    return -1;
}

void TImageList::Clear()
{
    m_lastAdded = QImage();
    m_pictures.clear();
    m_pictureAt.clear();
    m_byContent.clear();
}

const QImage& TImageList::Image(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError(index);
    return m_pictures[size_t(m_pictureAt[size_t(index)])];
}

void TImageList::Draw(QPainter& painter, const QPoint& topLeft, int index) const
{
    if (index >= 0 && index < Count())
        painter.drawImage(topLeft, m_pictures[size_t(m_pictureAt[size_t(index)])]);
}
