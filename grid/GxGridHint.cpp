#include "grid/GxGridHint.h"

#include <QLabel>

TGridHint::TGridHint() = default;
TGridHint::~TGridHint() = default;

void TGridHint::Show(TKind kind, int column, const QString& text, const QFont& font,
                     QPoint globalTopLeft, int maxWidth)
{
    if (!m_window) {
        m_window = std::make_unique<QLabel>(nullptr, Qt::ToolTip | Qt::FramelessWindowHint);
        m_window->setAttribute(Qt::WA_ShowWithoutActivating);
        m_window->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_window->setTextFormat(Qt::PlainText);
        m_window->setForegroundRole(QPalette::ToolTipText);
        m_window->setBackgroundRole(QPalette::ToolTipBase);
        m_window->setAutoFillBackground(true);
        m_window->setFrameStyle(QFrame::Box | QFrame::Plain);
        m_window->setMargin(1);
    }
    m_window->setFont(font);
    m_window->setText(text);
    m_window->setWordWrap(kind == hkCell);
    m_window->setMaximumWidth(maxWidth);
    m_window->adjustSize();
    m_window->move(globalTopLeft);
    m_window->show();
    m_kind = kind;
    m_column = column;
}

void TGridHint::Hide()
{
    if (m_window)
        m_window->hide();
    m_kind = hkNone;
    m_column = -1;
}
