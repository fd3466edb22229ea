#pragma once

#include "edits/GxCustomEdit.h"

// The edit box that the grid's text columns use as their in-place editor: a press in the
// select-all zone at the left edge selects the whole text, and the zone shows the mirrored
// arrow.
class TGxEdit : public TGxCustomEdit
{
    Q_OBJECT
public:
    explicit TGxEdit(QWidget* parent = nullptr);

    // One-pixel frames in the box's colour drawn just inside the client area.
    int BorderWidth() const { return m_borderWidth; }
    void SetBorderWidth(int value);

    // Whether a point, in widget coordinates, lies in the select-all zone: up to two pixels
    // right of the left-side area (the client area's first three pixel columns without one).
    bool InSelectAllZone(QPoint point) const;

    // The caret goes to the end of the text.
    void StartCellEdit() override;

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int m_borderWidth = 0;
};
