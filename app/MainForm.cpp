#include "app/MainForm.h"

TForm1::TForm1(QWidget* parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Twinpics"));
    setGeometry(239, 108, 769, 530);
}
