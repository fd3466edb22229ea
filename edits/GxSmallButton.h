#pragma once

#include <QString>
#include <QWidget>
#include <functional>

// A small push button that lives inside an edit box. It takes no focus of its own: a press
// gives the focus to the edit and tells it, and the release (anywhere, since the button keeps
// the mouse while held) tells it that the button was clicked. It looks hot while the pointer is
// over it or over its edit.
class TGxSmallButton : public QWidget
{
    Q_OBJECT
public:
    explicit TGxSmallButton(QWidget& edit);

    const QString& Caption() const { return m_caption; }
    void SetCaption(const QString& value);
    bool Pressed() const { return m_pressed; }
    bool Hover() const { return m_hover; }
    void SetHover(bool value);
    // The edit that owns the button; its enabled state is the button's.
    QWidget& Edit() const { return m_edit; }

    std::function<void()> OnPress;
    std::function<void()> OnRelease;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QWidget& m_edit;
    QString m_caption;
    bool m_pressed = false;
    bool m_hover = false;
};
