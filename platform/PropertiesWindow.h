#pragma once

#include <QByteArray>
#include <QWidget>

// A small window listing a file's properties. It is modeless: the program goes on while it is
// open, and any number of them may be open at once.
class TPropertiesWindow : public QWidget
{
    Q_OBJECT
public:
    explicit TPropertiesWindow(const QByteArray& path, QWidget* parent = nullptr);
};
