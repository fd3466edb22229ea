#include "platform/MemoLines.h"

#include "platform/Exception.h"

#include <QFile>

TMemoLines::TMemoLines(std::function<void()> changed) : m_changed(std::move(changed)) {}

QByteArrayView TMemoLines::View(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError(index);
    const auto i = static_cast<size_t>(index);
    const qsizetype begin = i == 0 ? 0 : m_ends[i - 1];
    return QByteArrayView(m_bytes).sliced(begin, m_ends[i] - begin);
}

QByteArray TMemoLines::Line(int index) const
{
    return View(index).toByteArray();
}

QString TMemoLines::Text(int index) const
{
    return QFile::decodeName(View(index).toByteArray());
}

void TMemoLines::Add(QByteArrayView bytes)
{
    m_bytes.append(bytes);
    m_ends.push_back(m_bytes.size());
    Changed();
}

void TMemoLines::AddText(const QString& text)
{
    Add(QFile::encodeName(text));
}

void TMemoLines::Clear()
{
    m_bytes.clear();
    m_ends.clear();
    ++m_generation;
    Changed();
}

void TMemoLines::BeginUpdate()
{
    ++m_updateCount;
}

void TMemoLines::EndUpdate()
{
    if (m_updateCount == 0)
        return;
    --m_updateCount;
    Changed();
}

void TMemoLines::Changed()
{
    if (m_updateCount == 0 && m_changed)
        m_changed();
}
