#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

// A picture box. Stretched, the picture fills the whole box without keeping its proportions;
// otherwise it is drawn at the top-left corner, and with AutoSize the box takes the picture's size.
class TImage : public QWidget
{
    Q_OBJECT
public:
    explicit TImage(QWidget* parent = nullptr);

    const QImage& Picture() const { return m_picture; }
    void SetPicture(const QImage& picture);

    bool Stretch() const { return m_stretch; }
    void SetStretch(bool stretch);
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool autoSize);

    std::function<void(QObject* Sender)> OnDblClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void FitToPicture();

    QImage m_picture;
    bool m_stretch = false;
    bool m_autoSize = false;
};
