#pragma once

#include <QDialog>

class TImage;

// The window that shows one picture large, stretched over its whole client area. It is created
// hidden at start-up and reused for every preview.
class TForm2 : public QDialog
{
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);
    ~TForm2() override;

    TImage* Image1;
};

// The image view window, set at start-up.
extern TForm2* Form2;
