#pragma once

#include "edits/GxCustomNumberEdit.h"
#include "platform/Sets.h"

#include <functional>
#include <memory>

class TGxSpinButtons;
enum class TSpinHalf;

enum TSpinButton { sbUp, sbDown };
using TSpinButtonSet = TSet<TSpinButton, 2>;

// A number edit with up and down buttons at its right end that add or subtract Increment,
// repeating while held; the Up and Down keys (outside a grid cell) and the mouse wheel do the
// same. A step that would leave an active range is not taken, nor one below 0 without
// eoAllowSigns.
class TGxSpinEdit : public TGxCustomNumberEdit
{
    Q_OBJECT
public:
    explicit TGxSpinEdit(QWidget* parent = nullptr);
    ~TGxSpinEdit() override;

    double Increment() const { return m_increment; }
    void SetIncrement(double value) { m_increment = value; }
    // The buttons are shown, and the keys and the wheel spin.
    bool SpinButtons() const { return m_spinButtons; }
    void SetSpinButtons(bool value);
    TGxSpinButtons& Buttons() const { return *m_buttons; }

    // One step up or down; then the caret goes to the end, OnSpin is raised and the text is
    // marked as modified.
    void Spin(TSpinButton button);

    // Value taken to the nearest integer, halves to the even one.
    int32_t AsInteger() override;

    // Raised after each step with the button used.
    std::function<void(QObject* Sender, TSpinButtonSet Buttons)> OnSpin;

protected:
    TTextMargins TextMargins() const override;
    void PlaceChildren() override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    bool TakeStep(TSpinButton button);

    std::unique_ptr<TGxSpinButtons> m_buttons;
    double m_increment = 1.0;
    bool m_spinButtons = true;
    // Wheel turns not yet worth a notch, from wheels that report finer steps.
    int m_wheelRemainder = 0;
};
