#pragma once

#include "edits/GxControlTypes.h"
#include "edits/GxEditMargins.h"
#include "platform/Graphics.h"
#include "platform/SysUtils.h"

#include <QClipboard>
#include <QImage>
#include <QKeySequence>
#include <QLineEdit>
#include <functional>
#include <memory>

class QMenu;

class TCanvas;
class TGxEditInfo;

// A one-line edit box with text alignment, margins, a left-side area for a small picture or a
// preview box, and typed value accessors, so that it can also serve as a grid cell's in-place
// editor. Every way of pasting (keys, context menu, middle button) goes through Paste(), and
// every key through AcceptsKey(), so that subclasses can restrict what reaches the text.
class TGxCustomEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit TGxCustomEdit(QWidget* parent = nullptr);
    ~TGxCustomEdit() override;

    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment value);
    // The height follows the font.
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool value);
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle value);
    TColor Color() const { return m_color; }
    void SetColor(TColor value);
    TGxEditMargins& EditMargins() { return m_editMargins; }
    const TGxEditMargins& EditMargins() const { return m_editMargins; }
    // The picture in the left-side area; the colour of its bottom-left pixel is transparent.
    const QImage& Glyph() const { return m_glyph; }
    void SetGlyph(const QImage& value);
    // The glyph as drawn, with its transparent colour taken out.
    const QImage& TransparentGlyph() const { return m_transparentGlyph; }
    // 0 is unlimited.
    int MaxLength() const { return m_maxLength; }
    void SetMaxLength(int value);
    // A character other than U+0000 hides the text behind it.
    QChar PasswordChar() const { return m_passwordChar; }
    void SetPasswordChar(QChar value);
    bool PreviewBorder() const { return m_previewBorder; }
    void SetPreviewBorder(bool value);
    // A 20-pixel preview box in the left-side area, painted by OnCustomPreviewDraw.
    bool ShowPreview() const { return m_showPreview; }
    void SetShowPreview(bool value);
    // The Tab key reaches the box instead of moving the focus.
    bool WantTabs() const { return m_wantTabs; }
    void SetWantTabs(bool value) { m_wantTabs = value; }
    // Set while the edit serves as a grid cell's editor.
    bool InCell() const { return m_inCell; }
    void SetInCell(bool value) { m_inCell = value; }

    // The area inside the frame, in widget coordinates: what the classic toolkit calls the
    // client area. Child controls and the select-all zone are placed in it.
    QRect ClientRect() const;
    // The left-side area: a child placed at the left of the client area, shown only with a
    // glyph or a preview box.
    TGxEditInfo& EditInfo() const { return *m_editInfo; }

    // The text read as a value; a text that does not convert raises the conversion error.
    // Number edits may tidy their text while reading it, so the readers are not const.
    virtual bool AsBoolean();
    virtual TDateTime AsDateTime();
    virtual double AsFloat();
    virtual int32_t AsInteger();
    virtual QString AsString();
    virtual void SetAsBoolean(bool value);
    virtual void SetAsDateTime(TDateTime value);
    virtual void SetAsFloat(double value);
    virtual void SetAsInteger(int32_t value);
    virtual void SetAsString(const QString& value);

    // The preview box in the left-side area's coordinates: after the glyph and a 2-pixel gap,
    // 20 pixels wide, the area's height.
    virtual QRect PreviewRect() const;
    // Paints the preview box; raises OnCustomPreviewDraw.
    virtual void DrawPreview(TCanvas& canvas, const QRect& previewRect);
    // Makes the box ready for editing a grid cell.
    virtual void StartCellEdit() {}

    // Pastes the clipboard's text (mode Selection: the X11 selection that the middle button
    // pastes) over the selection.
    virtual void Paste(QClipboard::Mode mode = QClipboard::Clipboard);

    // Paints the preview box on the left-side area's canvas.
    std::function<void(TGxCustomEdit* Sender, TCanvas& Canvas, const QRect& PreviewRect)>
        OnCustomPreviewDraw;
    std::function<void(TGxCustomEdit* Sender)> OnGlyphClick;

protected:
    struct TTextMargins
    {
        int left = 0;
        int right = 0;
    };
    // The space kept free left and right of the text, in the client area.
    virtual TTextMargins TextMargins() const;
    // Applies TextMargins(); run on every change that can move them.
    void UpdateMargins();
    // False drops the key before the box handles it.
    virtual bool AcceptsKey(const QKeyEvent& event);
    // Whether the key would change the text: a printable character, Backspace, Delete, Clear,
    // or one of the cut, paste, undo and word or line deletion shortcuts.
    static bool ChangesText(const QKeyEvent& event);
    // Placing and showing the child controls; run on every resize.
    virtual void PlaceChildren();

    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void PlaceEditInfo();
    void RepaintEditInfo();
    // Adds a command to the context menu, available only when its key would be accepted too.
    void AddCommand(QMenu& menu, const QString& caption, QKeySequence::StandardKey key,
                    bool available, const std::function<void()>& run);

    std::unique_ptr<TGxEditInfo> m_editInfo;
    TAlignment m_alignment = taLeftJustify;
    bool m_autoSize = true;
    TBorderStyle m_borderStyle = bsSingle;
    TColor m_color = clWindow;
    TGxEditMargins m_editMargins;
    QImage m_glyph;
    QImage m_transparentGlyph;
    int m_maxLength = 0;
    QChar m_passwordChar;
    bool m_previewBorder = true;
    bool m_showPreview = false;
    bool m_wantTabs = false;
    bool m_inCell = false;
};
