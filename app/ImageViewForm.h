#pragma once

#include <QDialog>
#include <QSize>
#include <functional>

class TImage;

// The window that shows one picture large, stretched over its whole client area. It is created
// hidden at start-up and reused for every preview; closing it only hides it.
class TForm2 : public QDialog
{
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);
    ~TForm2() override;

    TImage* Image1;

    // The size of the outer frame, caption and borders included. The frame is known only once
    // the window has been shown, so the size is applied again then.
    void SetOuterSize(QSize outer);
    // Shows the window modally: returns when the user has closed it.
    void ShowModal();
    // Runs in place of the modal loop when set, so that tests see what would be shown without
    // waiting for a user.
    std::function<void(TForm2& window)> ModalLoop;

    void Image1DblClick(QObject* Sender);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QSize m_outerSize;
};

// The image view's outer size before a picture is known, set again on every cell click.
constexpr QSize kPreviewOuterSize(700, 450);
// The outer size of the image view for a picture of the size: kPreviewOuterSize, with the height or
// the width brought to the picture's proportions (rounded half to even).
QSize PreviewOuterSize(QSize picture);

// The image view window, set at start-up.
extern TForm2* Form2;
