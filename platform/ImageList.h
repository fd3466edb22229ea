#pragma once

#include <QImage>
#include <cstdint>
#include <unordered_map>
#include <vector>

class QPainter;
class QPoint;

// A list of pictures of one fixed size. It keeps its own copy of every picture it is given,
// compactly: pictures are drawn opaque, so each is kept in 24-bit colour (no loss from the
// 32-bit pictures it is given), and a picture identical to one already kept (the placeholder of
// every damaged file, the shared thumbnail of a group of twins) is kept only once.
//
// Places can be made before their pictures are known (AddEmpty) and filled later in any order
// (Put): an empty place draws nothing.
class TImageList
{
public:
    TImageList(int width, int height);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int Count() const { return static_cast<int>(m_pictureAt.size()); }
    // How many different pictures the list holds.
    int DistinctCount() const { return static_cast<int>(m_pictures.size()); }

    // Appends a copy of the picture, scaled to the list's size when it differs; returns its index.
    int Add(const QImage& image);
    // Appends count empty places; returns the index of the first.
    int AddEmpty(int count);
    // Fills the empty place at the index with a copy of the picture, as Add would keep it; raises
    // the list error for an index outside the list and EInvalidOperation for a place that is
    // already filled.
    void Put(int index, const QImage& image);
    // Whether the index is inside the list and its place holds a picture.
    bool Holds(int index) const;
    void Clear();
    // The picture at the index (in 24-bit colour); raises the list error for an index outside
    // the list or an empty place.
    const QImage& Image(int index) const;
    // Draws picture index with its top-left corner at the point; an index outside or an empty
    // place draws nothing.
    void Draw(QPainter& painter, const QPoint& topLeft, int index) const;

private:
    static constexpr int32_t kEmpty = -1;

    // The index in m_pictures of the kept copy of the picture, kept now if it is new.
    int32_t Keep(const QImage& image);
    // The index in m_pictures of a picture with the same pixels, or -1.
    int32_t Find(const QImage& picture, size_t hash) const;

    int m_width;
    int m_height;
    std::vector<QImage> m_pictures;                       // each different picture once
    std::vector<int32_t> m_pictureAt; // for each index of the list, its picture or kEmpty
    std::unordered_multimap<size_t, int32_t> m_byContent; // pixel hash -> picture
    // The picture last given to Add, as given (it holds its data, so its key stays its own).
    QImage m_lastAdded;
    int32_t m_lastKept = kEmpty;
};
