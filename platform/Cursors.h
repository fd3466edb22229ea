#pragma once

#include <QCursor>
#include <QString>
#include <map>

// The program's cursor resources, by the names the grid loads them with ("HORZSPLIT",
// "COLUMNNODRAG", "VERTSPLIT", "INDICATORSELECT", "ROLL", "ROLLUP", "ROLLDOWN"): a Qt shape
// where one fits, else a small picture drawn here. An unknown name gives the arrow.
QCursor LoadCursorResource(const QString& name);

// The toolkit's cursor table: controls register cursors under numbers and look them up by
// number. A number nobody registered gives the arrow.
class TCursors
{
public:
    static TCursors& Screen();

    void SetCursor(int id, const QCursor& cursor) { m_cursors[id] = cursor; }
    QCursor Cursor(int id) const;

private:
    std::map<int, QCursor> m_cursors;
};
