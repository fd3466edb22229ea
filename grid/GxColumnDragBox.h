#pragma once

#include <QString>
#include <QWidget>

// The floating picture of a column header that follows the pointer while the column is dragged
// to another place.
class TColumnDragBox : public QWidget
{
    Q_OBJECT
public:
    TColumnDragBox(const QString& caption, QSize size, const QFont& font);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_caption;
};
