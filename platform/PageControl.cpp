#include "platform/PageControl.h"

#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

TPageControl::TPageControl(QWidget* parent)
    : QWidget(parent), m_tabs(new QTabBar(this)), m_stack(new QStackedWidget(this))
{
    m_stack->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_tabs);
    layout->addWidget(m_stack, 1);
    m_tabs->setDrawBase(false);
    connect(m_tabs, &QTabBar::tabBarClicked, this, [this](int index) {
        if (index >= 0)
            SetActivePageIndex(index);
    });
}

int TPageControl::AddPage(QWidget* page, const QString& caption)
{
    const int index = m_stack->addWidget(page);
    m_tabs->addTab(caption);
    ShowTabStrip();
    return index;
}

int TPageControl::PageCount() const
{
    return m_stack->count();
}

QWidget* TPageControl::Page(int index) const
{
    return m_stack->widget(index);
}

int TPageControl::ActivePageIndex() const
{
    return m_stack->currentIndex();
}

void TPageControl::SetActivePageIndex(int index)
{
    if (index < 0 || index >= PageCount())
        return;
    m_stack->setCurrentIndex(index);
    if (m_tabs->isTabVisible(index))
        m_tabs->setCurrentIndex(index);
}

bool TPageControl::TabVisible(int index) const
{
    return m_tabs->isTabVisible(index);
}

void TPageControl::SetTabVisible(int index, bool visible)
{
    m_tabs->setTabVisible(index, visible);
    ShowTabStrip();
}

void TPageControl::SelectNextPage(bool forward)
{
    const int count = PageCount();
    if (count == 0)
        return;
    const int active = ActivePageIndex();
    const int candidate = (active + (forward ? 1 : count - 1)) % count;
    if (candidate != active)
        SetActivePageIndex(candidate);
}

void TPageControl::ShowTabStrip()
{
    bool anyVisible = false;
    for (int i = 0; i < m_tabs->count(); ++i)
        anyVisible = anyVisible || m_tabs->isTabVisible(i);
    m_tabs->setVisible(anyVisible);
}
