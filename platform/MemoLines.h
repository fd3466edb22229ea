#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <functional>
#include <vector>

// The line list of a memo. Lines are byte strings kept exactly as given, so a file name that is
// not valid UTF-8 survives the trip through the list; text lines are stored in the file-name
// encoding. All lines share one buffer, so a list of hundreds of thousands of paths costs one
// allocation per doubling rather than one per line.
class TMemoLines
{
public:
    // The owner is told after every change, unless the list is in update mode; EndUpdate of the
    // outermost level tells it once.
    explicit TMemoLines(std::function<void()> changed = {});

    int Count() const { return static_cast<int>(m_ends.size()); }
    // The exact bytes of a line; raises the list error for an index outside the list.
    QByteArray Line(int index) const;
    // A line decoded for display.
    QString Text(int index) const;

    void Add(QByteArrayView bytes);
    void AddText(const QString& text);
    void Clear();

    // Update mode nests: the owner hears of the changes when the outermost level ends.
    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return m_updateCount > 0; }
    // Counts the clears, so a display can tell whether it may simply append what is new.
    quint64 Generation() const { return m_generation; }

private:
    QByteArrayView View(int index) const;
    void Changed();

    QByteArray m_bytes;
    std::vector<qsizetype> m_ends;
    int m_updateCount = 0;
    quint64 m_generation = 0;
    std::function<void()> m_changed;
};

// Keeps a line list in update mode for the lifetime of the guard.
class TMemoLinesUpdate
{
public:
    explicit TMemoLinesUpdate(TMemoLines& lines) : m_lines(lines) { m_lines.BeginUpdate(); }
    ~TMemoLinesUpdate() { m_lines.EndUpdate(); }
    TMemoLinesUpdate(const TMemoLinesUpdate&) = delete;
    TMemoLinesUpdate& operator=(const TMemoLinesUpdate&) = delete;

private:
    TMemoLines& m_lines;
};
