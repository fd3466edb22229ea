#pragma once

#include <QWidget>

class TGxCustomEdit;

// The left-side area of an edit: its glyph, then an optional preview box. A press on the glyph
// raises the edit's OnGlyphClick.
class TGxEditInfo : public QWidget
{
    Q_OBJECT
public:
    explicit TGxEditInfo(TGxCustomEdit& edit);

    // Space between the glyph and what follows it.
    static constexpr int kGlyphGap = 4;
    static constexpr int kPreviewWidth = 20;

    // (glyph width + 4 with a glyph) + (20 with the preview box).
    int AreaWidth() const;
    // Whether the area is in use at all.
    bool Wanted() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    TGxCustomEdit& m_edit;
};
