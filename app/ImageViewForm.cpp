#include "app/ImageViewForm.h"

#include "platform/Image.h"
#include "platform/WindowFrame.h"

#include <QApplication>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>

TForm2* Form2 = nullptr;

TForm2::TForm2(QWidget* parent) : QDialog(parent), Image1(new TImage(this))
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Image View"));
    QFont font = QApplication::font();
    font.setPointSize(8);
    setFont(font);
    // Closing the view only hides it, and it never keeps the program running on its own.
    setAttribute(Qt::WA_QuitOnClose, false);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->SetStretch(true);
    Image1->OnDblClick = [this](QObject* Sender) {
        Image1DblClick(Sender);
    };
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Image1);
    move(302, 194);
    SetOuterSize(QSize(500, 379));
    Form2 = this;
}

TForm2::~TForm2()
{
    if (Form2 == this)
        Form2 = nullptr;
}

void TForm2::SetOuterSize(QSize outer)
{
    m_outerSize = outer;
    ::SetOuterSize(*this, outer);
}

void TForm2::ShowModal()
{
    if (ModalLoop)
        ModalLoop(*this);
    else
        exec();
}

void TForm2::Image1DblClick(QObject*) {}

void TForm2::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    QTimer::singleShot(0, this, [this] {
        if (OuterSize(*this) != m_outerSize)
            ::SetOuterSize(*this, m_outerSize);
    });
}

QSize PreviewOuterSize(QSize picture)
{
    const double width = picture.width();
    const double height = picture.height();
    // nearbyint rounds in the default mode, half to even: 337.5 gives 338.
    if (width > height)
        return {kPreviewOuterSize.width(),
                int(std::nearbyint(kPreviewOuterSize.width() / (width / height)))};
    if (width < height)
        return {int(std::nearbyint(kPreviewOuterSize.height() / (height / width))),
                kPreviewOuterSize.height()};
    return kPreviewOuterSize;
}
