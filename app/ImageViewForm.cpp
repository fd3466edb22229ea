#include "app/ImageViewForm.h"

#include "platform/Image.h"
#include "platform/WindowFrame.h"

#include <QApplication>
#include <QVBoxLayout>

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
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Image1);
    move(302, 194);
    SetOuterSize(*this, QSize(500, 379));
    Form2 = this;
}

TForm2::~TForm2()
{
    if (Form2 == this)
        Form2 = nullptr;
}
