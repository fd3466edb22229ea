#pragma once

#include <QWidget>

class QStackedWidget;
class QTabBar;

// A stack of pages with a tab strip whose tabs can be hidden one by one; with every tab hidden
// the strip disappears and the pages are reached only through the program. The active page is
// the stack's; the strip merely mirrors it, so hiding the active page's tab never changes the
// page.
class TPageControl : public QWidget
{
    Q_OBJECT
public:
    explicit TPageControl(QWidget* parent = nullptr);

    // Appends a page (the control takes ownership) with the caption of its tab; returns its index.
    int AddPage(QWidget* page, const QString& caption);
    int PageCount() const;
    QWidget* Page(int index) const;

    int ActivePageIndex() const;
    void SetActivePageIndex(int index);

    bool TabVisible(int index) const;
    void SetTabVisible(int index, bool visible);

    // Steps one page forward or backward from the active page, wrapping at either end. Hidden
    // tabs are not skipped, so the neighbour is always the page reached.
    void SelectNextPage(bool forward);

private:
    void ShowTabStrip();

    QTabBar* m_tabs;
    QStackedWidget* m_stack;
};
