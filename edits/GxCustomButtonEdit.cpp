#include "edits/GxCustomButtonEdit.h"

#include "edits/GxExecuteButton.h"

#include <QKeyEvent>

TGxCustomButtonEdit::TGxCustomButtonEdit(QWidget* parent)
    : TGxEdit(parent), m_button(std::make_unique<TGxExecuteButton>(*this))
{
    m_button->OnPress = [this] {
        ButtonPressed();
    };
    m_button->OnRelease = [this] {
        ButtonClicked();
    };
    UpdateMargins();
    PlaceButton();
}

TGxCustomButtonEdit::~TGxCustomButtonEdit() = default;

void TGxCustomButtonEdit::SetShowButton(bool value)
{
    m_showButton = value;
    PlaceButton();
    UpdateMargins();
}

void TGxCustomButtonEdit::Paste(QClipboard::Mode mode)
{
    if (!m_options.contains(epDisablePaste))
        TGxEdit::Paste(mode);
}

void TGxCustomButtonEdit::ButtonPressed()
{
    if (OnButtonDown)
        OnButtonDown(this);
}

void TGxCustomButtonEdit::ButtonClicked()
{
    if (OnButtonClick)
        OnButtonClick(this);
}

void TGxCustomButtonEdit::PlaceButton()
{
    update();
    const QRect client = ClientRect();
    const int width = m_button->width();
    m_button->setGeometry(client.right() + 1 - width, client.top(), width, client.height());
    m_button->setVisible(m_showButton);
    m_button->update();
}

TGxCustomEdit::TTextMargins TGxCustomButtonEdit::TextMargins() const
{
    TTextMargins margins = TGxEdit::TextMargins();
    // The button's width replaces the right margin, so EditMargins().Right() has no effect here.
    margins.right = m_showButton ? m_button->width() : 0;
    return margins;
}

bool TGxCustomButtonEdit::AcceptsKey(const QKeyEvent& event)
{
    if (m_options.contains(epDisableTyping) && ChangesText(event))
        return false;
    if (m_options.contains(epDisablePaste) && event.matches(QKeySequence::Paste))
        return false;
    return TGxEdit::AcceptsKey(event);
}

void TGxCustomButtonEdit::PlaceChildren()
{
    TGxEdit::PlaceChildren();
    PlaceButton();
}

void TGxCustomButtonEdit::enterEvent(QEnterEvent* event)
{
    TGxEdit::enterEvent(event);
    m_button->SetHover(true);
}

void TGxCustomButtonEdit::leaveEvent(QEvent* event)
{
    TGxEdit::leaveEvent(event);
    m_button->SetHover(false);
}
