#pragma once

#include <functional>

// The extra space left and right of an edit's text. The owning edit applies a change at once.
class TGxEditMargins
{
public:
    int Left() const { return m_left; }
    void SetLeft(int value);
    int Right() const { return m_right; }
    void SetRight(int value);

    std::function<void()> OnChange;

private:
    void Assign(int& field, int value);

    int m_left = 0;
    int m_right = 0;
};
