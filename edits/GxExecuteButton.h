#pragma once

#include "edits/GxSmallButton.h"

#include <QImage>

// The button of a button edit: a push button, themed through the application's style or drawn
// in the classic look, with an optional picture in its middle and a caption.
class TGxExecuteButton : public TGxSmallButton
{
    Q_OBJECT
public:
    explicit TGxExecuteButton(QWidget& edit);

    // The picture drawn in the middle, ready to draw (transparency already applied).
    void SetGlyph(const QImage* value);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void DrawThemed(QPainter& painter) const;
    void DrawClassic(QPainter& painter) const;
    void DrawGlyph(QPainter& painter) const;
    void DrawCaption(QPainter& painter) const;

    const QImage* m_glyph = nullptr;
};
