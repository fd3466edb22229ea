#include "platform/WindowFrame.h"

#include <QWidget>

QSize OuterSize(const QWidget& window)
{
    return window.frameGeometry().size();
}

void SetOuterSize(QWidget& window, QSize outer)
{
    const QSize frame = window.frameGeometry().size() - window.geometry().size();
    window.resize(outer - frame);
}
