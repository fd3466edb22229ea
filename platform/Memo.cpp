#include "platform/Memo.h"

namespace {

// A line break inside a line (a file name may hold one) must not look like two lines.
QString DisplayLine(QString line)
{
    line.replace(QLatin1Char('\n'), QChar(0x2424));
    line.replace(QLatin1Char('\r'), QChar(0x240D));
    return line;
}

} // namespace

TMemo::TMemo(QWidget* parent) : QPlainTextEdit(parent), m_lines([this] { SyncDisplay(); })
{
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
}

void TMemo::showEvent(QShowEvent* event)
{
    QPlainTextEdit::showEvent(event);
    SyncDisplay();
}

void TMemo::SyncDisplay()
{
    if (m_lines.Updating() || !isVisible())
        return;
    if (m_shownGeneration != m_lines.Generation() || m_shownLines > m_lines.Count()) {
        clear();
        m_shownLines = 0;
        m_shownGeneration = m_lines.Generation();
    }
    if (m_shownLines == m_lines.Count())
        return;
    QStringList fresh;
    fresh.reserve(m_lines.Count() - m_shownLines);
    for (int i = m_shownLines; i < m_lines.Count(); ++i)
        fresh << DisplayLine(m_lines.Text(i));
    appendPlainText(fresh.join(QLatin1Char('\n')));
    m_shownLines = m_lines.Count();
}
