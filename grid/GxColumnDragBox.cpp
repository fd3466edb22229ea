#include "grid/GxColumnDragBox.h"

#include <QPainter>
#include <QStyleOptionHeader>

TColumnDragBox::TColumnDragBox(const QString& caption, QSize size, const QFont& font)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint), m_caption(caption)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFont(font);
    resize(size);
}

void TColumnDragBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QStyleOptionHeader option;
    option.initFrom(this);
    option.rect = rect();
    option.text = m_caption;
    option.state |= QStyle::State_Sunken | QStyle::State_Raised;
    style()->drawControl(QStyle::CE_Header, &option, &painter, this);
}
