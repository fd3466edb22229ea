#pragma once

#include <QPoint>
#include <QString>
#include <memory>

class QFont;
class QLabel;

// The grid's hint window: one tool-tip label, made when first needed, that shows one hint at a
// time and knows which kind of hint it shows and for which column.
class TGridHint
{
public:
    enum TKind { hkNone, hkFooter, hkHeader, hkTextFit, hkCell };

    TGridHint();
    ~TGridHint();
    TGridHint(const TGridHint&) = delete;
    TGridHint& operator=(const TGridHint&) = delete;

    TKind Kind() const { return m_kind; }
    bool Shows(TKind kind, int column) const { return m_kind == kind && m_column == column; }
    // Shows the text with its top left at the screen point, at most maxWidth wide; a cell's own
    // hint wraps its words, the others stay on one line.
    void Show(TKind kind, int column, const QString& text, const QFont& font,
              QPoint globalTopLeft, int maxWidth);
    void Hide();

private:
    std::unique_ptr<QLabel> m_window;
    TKind m_kind = hkNone;
    int m_column = -1;
};
