#pragma once

#include "edits/GxCustomButtonEdit.h"
#include "platform/Graphics.h"

#include <QImage>

// A button edit whose button carries a caption or a picture; Ctrl+Enter in the text clicks it.
class TGxButtonEdit : public TGxCustomButtonEdit
{
    Q_OBJECT
public:
    explicit TGxButtonEdit(QWidget* parent = nullptr);

    QString ButtonCaption() const;
    void SetButtonCaption(const QString& value);
    // Drawn in the middle of the button: with its own alpha when it has one, else with
    // TransparentColor left out.
    const QImage& ButtonGlyph() const { return m_buttonGlyph; }
    void SetButtonGlyph(const QImage& value);
    int ButtonWidth() const;
    void SetButtonWidth(int value);
    // clNone: the picture is drawn opaque.
    TColor TransparentColor() const { return m_transparentColor; }
    void SetTransparentColor(TColor value);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void PrepareButtonGlyph();

    QImage m_buttonGlyph;
    QImage m_drawnGlyph;
    TColor m_transparentColor = clNone;
};
