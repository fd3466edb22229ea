#pragma once

#include <QImage>
#include <vector>

class QPainter;
class QPoint;

// A list of pictures of one fixed size. It keeps its own copy of every picture it is given.
class TImageList
{
public:
    TImageList(int width, int height);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int Count() const { return static_cast<int>(m_images.size()); }

    // Appends a copy of the picture, scaled to the list's size when it differs; returns its index.
    int Add(const QImage& image);
    void Clear();
    // The picture at the index; raises the list error for an index outside the list.
    const QImage& Image(int index) const;
    // Draws picture index with its top-left corner at the point; an index outside draws nothing.
    void Draw(QPainter& painter, const QPoint& topLeft, int index) const;

private:
    int m_width;
    int m_height;
    std::vector<QImage> m_images;
};
