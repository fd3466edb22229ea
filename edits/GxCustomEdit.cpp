#include "edits/GxCustomEdit.h"

#include "edits/GxEditInfo.h"
#include "edits/GxReversedArrow.h"
#include "grid/shared/GxClassicDraw.h"
#include "platform/Cursors.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QStyleOptionFrame>
#include <utility>

namespace {

Qt::Alignment ToQtAlignment(TAlignment alignment)
{
    switch (alignment) {
    case taRightJustify:
        return Qt::AlignRight | Qt::AlignVCenter;
    case taCenter:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case taLeftJustify:
        break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

// QLineEdit's own limit, which stands for "unlimited".
constexpr int kUnlimitedLength = 32767;
// The text keeps this far from the preview box.
constexpr int kPreviewGap = 5;

bool IsShortcutThatChangesText(const QKeyEvent& event)
{
    for (const auto key :
         {QKeySequence::Cut, QKeySequence::Paste, QKeySequence::Undo, QKeySequence::Redo,
          QKeySequence::Delete, QKeySequence::DeleteStartOfWord, QKeySequence::DeleteEndOfWord,
          QKeySequence::DeleteEndOfLine, QKeySequence::DeleteCompleteLine, QKeySequence::Backspace})
        if (event.matches(key))
            return true;
    return false;
}

} // namespace

TGxCustomEdit::TGxCustomEdit(QWidget* parent)
    : QLineEdit(parent), m_editInfo(std::make_unique<TGxEditInfo>(*this))
{
    m_editMargins.OnChange = [this] {
        UpdateMargins();
    };
    // Classic edit boxes take no dropped text; a drop would also go round the typing and
    // pasting rules of the subclasses.
    setAcceptDrops(false);
    setMouseTracking(true);
    TCursors::Screen().SetCursor(kReversedArrowCursorId, ReversedArrowCursor());
    m_editInfo->hide();
    resize(121, 20);
}

TGxCustomEdit::~TGxCustomEdit() = default;

void TGxCustomEdit::SetAlignment(TAlignment value)
{
    m_alignment = value;
    setAlignment(ToQtAlignment(value));
}

void TGxCustomEdit::SetAutoSize(bool value)
{
    m_autoSize = value;
    if (value)
        resize(width(), sizeHint().height());
}

void TGxCustomEdit::SetBorderStyle(TBorderStyle value)
{
    m_borderStyle = value;
    setFrame(value == bsSingle);
    PlaceChildren();
}

void TGxCustomEdit::SetColor(TColor value)
{
    m_color = value;
    QPalette colours = palette();
    colours.setColor(QPalette::Base, ColorToQColor(value));
    setPalette(colours);
}

void TGxCustomEdit::SetGlyph(const QImage& value)
{
    m_glyph = value;
    m_transparentGlyph =
        value.isNull()
            ? QImage()
            : WithTransparentColor(value, QColorToColor(value.pixelColor(0, value.height() - 1)));
    UpdateMargins();
    PlaceEditInfo();
    RepaintEditInfo();
}

void TGxCustomEdit::SetMaxLength(int value)
{
    m_maxLength = value;
    setMaxLength(value > 0 ? value : kUnlimitedLength);
}

void TGxCustomEdit::SetPasswordChar(QChar value)
{
    m_passwordChar = value;
    setEchoMode(value.isNull() ? QLineEdit::Normal : QLineEdit::Password);
}

void TGxCustomEdit::SetPreviewBorder(bool value)
{
    m_previewBorder = value;
    RepaintEditInfo();
}

void TGxCustomEdit::SetShowPreview(bool value)
{
    m_showPreview = value;
    UpdateMargins();
    PlaceEditInfo();
    update();
}

QRect TGxCustomEdit::ClientRect() const
{
    QStyleOptionFrame option;
    initStyleOption(&option);
    return style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
}

bool TGxCustomEdit::AsBoolean()
{
    return StrToBool(text());
}

TDateTime TGxCustomEdit::AsDateTime()
{
    return text().isEmpty() ? 0 : StrToDateTime(text());
}

double TGxCustomEdit::AsFloat()
{
    return StrToFloat(text());
}

int32_t TGxCustomEdit::AsInteger()
{
    return StrToInt(text());
}

QString TGxCustomEdit::AsString()
{
    return text();
}

void TGxCustomEdit::SetAsBoolean(bool value)
{
    setText(BoolToStr(value));
}

void TGxCustomEdit::SetAsDateTime(TDateTime value)
{
    setText(DateTimeToStr(value));
}

void TGxCustomEdit::SetAsFloat(double value)
{
    setText(FloatToStr(value));
}

void TGxCustomEdit::SetAsInteger(int32_t value)
{
    setText(IntToStr(value));
}

void TGxCustomEdit::SetAsString(const QString& value)
{
    setText(value);
}

QRect TGxCustomEdit::PreviewRect() const
{
    const int left = m_glyph.isNull() ? 0 : m_glyph.width() + 2;
    return QRect(left, 0, TGxEditInfo::kPreviewWidth, m_editInfo->height());
}

void TGxCustomEdit::DrawPreview(TCanvas& canvas, const QRect& previewRect)
{
    if (OnCustomPreviewDraw)
        OnCustomPreviewDraw(this, canvas, previewRect);
}

void TGxCustomEdit::Paste(QClipboard::Mode mode)
{
    if (isReadOnly())
        return;
    const QString pasted = QApplication::clipboard()->text(mode);
    if (!pasted.isEmpty())
        insert(pasted);
}

TGxCustomEdit::TTextMargins TGxCustomEdit::TextMargins() const
{
    TTextMargins margins{m_editMargins.Left(), m_editMargins.Right()};
    if (m_showPreview)
        margins.left += TGxEditInfo::kPreviewWidth + kPreviewGap;
    if (!m_glyph.isNull())
        margins.left += m_glyph.width() + TGxEditInfo::kGlyphGap;
    return margins;
}

void TGxCustomEdit::UpdateMargins()
{
    const TTextMargins margins = TextMargins();
    setTextMargins(margins.left, 0, margins.right, 0);
}

bool TGxCustomEdit::AcceptsKey(const QKeyEvent&)
{
    return true;
}

bool TGxCustomEdit::ChangesText(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Clear:
        return true;
    default:
        break;
    }
    if (IsShortcutThatChangesText(event))
        return true;
    const QString typed = event.text();
    return !typed.isEmpty() && typed.at(0).isPrint();
}

void TGxCustomEdit::PlaceChildren()
{
    PlaceEditInfo();
}

bool TGxCustomEdit::event(QEvent* event)
{
    if (event->type() == QEvent::KeyPress && m_wantTabs) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool plainTab = (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
                              !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (plainTab) {
            keyPressEvent(key);
            // Accepted, or the parent would take the ignored Tab and move the focus after all.
            key->accept();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void TGxCustomEdit::keyPressEvent(QKeyEvent* event)
{
    if (!AcceptsKey(*event)) {
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        Paste();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TGxCustomEdit::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::MiddleButton && QApplication::clipboard()->supportsSelection()) {
        Paste(QClipboard::Selection);
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

// The edit's own menu rather than QLineEdit's: every command that changes the text follows the
// rules of its key, and Paste goes through Paste(), so options that refuse typing or pasting
// refuse the menu's commands too.
void TGxCustomEdit::contextMenuEvent(QContextMenuEvent* event)
{
    const bool writable = !isReadOnly();
    const bool selected = hasSelectedText() && echoMode() == QLineEdit::Normal;
    QMenu menu;
    AddCommand(menu, QLineEdit::tr("&Undo"), QKeySequence::Undo, writable && isUndoAvailable(),
               [this] { undo(); });
    AddCommand(menu, QLineEdit::tr("&Redo"), QKeySequence::Redo, writable && isRedoAvailable(),
               [this] { redo(); });
    menu.addSeparator();
    AddCommand(menu, QLineEdit::tr("Cu&t"), QKeySequence::Cut, writable && selected,
               [this] { cut(); });
    AddCommand(menu, QLineEdit::tr("&Copy"), QKeySequence::Copy, selected, [this] { copy(); });
    AddCommand(menu, QLineEdit::tr("&Paste"), QKeySequence::Paste,
               writable && !QApplication::clipboard()->text().isEmpty(), [this] { Paste(); });
    AddCommand(menu, QLineEdit::tr("Delete"), QKeySequence::Delete, writable && hasSelectedText(),
               [this] { del(); });
    menu.addSeparator();
    AddCommand(menu, QLineEdit::tr("Select All"), QKeySequence::SelectAll, !text().isEmpty(),
               [this] { selectAll(); });
    menu.exec(event->globalPos());
}

void TGxCustomEdit::AddCommand(QMenu& menu, const QString& caption, QKeySequence::StandardKey key,
                               bool available, const std::function<void()>& run)
{
    const QKeySequence shortcut(key);
    QAction* action =
        menu.addAction(caption + QLatin1Char('\t') + shortcut.toString(QKeySequence::NativeText));
    const QKeyCombination combination = shortcut.isEmpty() ? QKeyCombination() : shortcut[0];
    action->setEnabled(available && AcceptsKey(QKeyEvent(QEvent::KeyPress, combination.key(),
                                                         combination.keyboardModifiers())));
    connect(action, &QAction::triggered, this, run);
}

void TGxCustomEdit::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    PlaceChildren();
}

void TGxCustomEdit::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    switch (event->type()) {
    case QEvent::FontChange:
        if (m_autoSize)
            resize(width(), sizeHint().height());
        UpdateMargins();
        break;
    case QEvent::StyleChange:
        PlaceChildren();
        break;
    case QEvent::EnabledChange:
        for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            child->update();
        break;
    default:
        break;
    }
}

void TGxCustomEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    RepaintEditInfo();
}

void TGxCustomEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    RepaintEditInfo();
}

void TGxCustomEdit::PlaceEditInfo()
{
    const QRect client = ClientRect();
    m_editInfo->setGeometry(client.left(), client.top(), m_editInfo->AreaWidth(), client.height());
    m_editInfo->setVisible(m_editInfo->Wanted());
}

void TGxCustomEdit::RepaintEditInfo()
{
    if (m_editInfo->isVisible())
        m_editInfo->update();
}
