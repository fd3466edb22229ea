#pragma once

#include "edits/GxEdit.h"
#include "platform/Sets.h"

#include <functional>
#include <memory>

class TGxExecuteButton;

enum TGxEditOption { epDisablePaste, epDisableTyping };
using TGxEditOptions = TSet<TGxEditOption, 2>;

// An edit box with a push button inside its right end; the text stops short of the button.
class TGxCustomButtonEdit : public TGxEdit
{
    Q_OBJECT
public:
    explicit TGxCustomButtonEdit(QWidget* parent = nullptr);
    ~TGxCustomButtonEdit() override;

    // epDisablePaste: paste requests are ignored. epDisableTyping: nothing can be typed, and
    // Backspace, Clear and Delete do nothing; the caret still moves.
    TGxEditOptions Options() const { return m_options; }
    void SetOptions(TGxEditOptions value) { m_options = value; }
    bool ShowButton() const { return m_showButton; }
    void SetShowButton(bool value);
    TGxExecuteButton& Button() const { return *m_button; }

    // Raised when the button is pressed with the left mouse button.
    std::function<void(QObject* Sender)> OnButtonDown;
    // Raised when the pressed button is released.
    std::function<void(QObject* Sender)> OnButtonClick;

    void Paste(QClipboard::Mode mode = QClipboard::Clipboard) override;

protected:
    // Raises OnButtonDown.
    virtual void ButtonPressed();
    // Raises OnButtonClick.
    virtual void ButtonClicked();
    // The button covers the right end of the client area, its full height.
    void PlaceButton();

    TTextMargins TextMargins() const override;
    bool AcceptsKey(const QKeyEvent& event) override;
    void PlaceChildren() override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    std::unique_ptr<TGxExecuteButton> m_button;
    TGxEditOptions m_options;
    bool m_showButton = true;
};
