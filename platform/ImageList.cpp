#include "platform/ImageList.h"

#include "platform/Exception.h"

#include <QHash>
#include <QPainter>
#include <algorithm>

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
    m_pictureAt.push_back(Keep(image));
    return Count() - 1;
}

int TImageList::AddEmpty(int count)
{
    const int first = Count();
    m_pictureAt.resize(m_pictureAt.size() + size_t(std::max(count, 0)), kEmpty);
    return first;
}

void TImageList::Put(int index, const QImage& image)
{
    if (index < 0 || index >= Count())
        throw EListError(index);
    if (m_pictureAt[size_t(index)] != kEmpty)
        throw EInvalidOperation(QStringLiteral("Picture %1 is already in the list").arg(index));
    m_pictureAt[size_t(index)] = Keep(image);
}

bool TImageList::Holds(int index) const
{
    return index >= 0 && index < Count() && m_pictureAt[size_t(index)] != kEmpty;
}

int32_t TImageList::Keep(const QImage& image)
{
    // The same picture again (a group of twins shares one QImage): nothing to convert or compare.
    if (m_lastKept != kEmpty && !image.isNull() && image.cacheKey() == m_lastAdded.cacheKey())
        return m_lastKept;
    m_lastAdded = image;
    const QImage sized =
        image.width() == m_width && image.height() == m_height
            ? image
            : image.scaled(m_width, m_height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage picture = sized.convertToFormat(kStoredFormat);
    const size_t hash = PixelHash(picture);
    m_lastKept = Find(picture, hash);
    if (m_lastKept == kEmpty) {
        m_lastKept = int32_t(m_pictures.size());
        m_pictures.push_back(picture);
        m_byContent.emplace(hash, m_lastKept);
    }
    return m_lastKept;
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
    m_lastKept = kEmpty;
    m_pictures.clear();
    m_pictureAt.clear();
    m_byContent.clear();
}

const QImage& TImageList::Image(int index) const
{
    if (!Holds(index))
        throw EListError(index);
    return m_pictures[size_t(m_pictureAt[size_t(index)])];
}

void TImageList::Draw(QPainter& painter, const QPoint& topLeft, int index) const
{
    if (Holds(index))
        painter.drawImage(topLeft, m_pictures[size_t(m_pictureAt[size_t(index)])]);
}
