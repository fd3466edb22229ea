#pragma once

#include "platform/MemoLines.h"

#include <QPlainTextEdit>

// A multi-line text box over a line list. The list is the memo's content; the box shows it and
// is read-only, so what the program wrote is what the user sees. The display follows the list
// only outside update mode and only while the box can be seen, so filling a hidden memo or one
// in update mode with many lines costs no layout at all.
class TMemo : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit TMemo(QWidget* parent = nullptr);

    TMemoLines& Lines() { return m_lines; }
    const TMemoLines& Lines() const { return m_lines; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void SyncDisplay();

    TMemoLines m_lines;
    int m_shownLines = 0;
    quint64 m_shownGeneration = 0;
};
