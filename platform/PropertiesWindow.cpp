#include "platform/PropertiesWindow.h"

#include "platform/FileNames.h"
#include "platform/FileProperties.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TPropertiesWindow::TPropertiesWindow(const QByteArray& path, QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("PropertiesWindow"));
    setWindowTitle(QStringLiteral("Properties of %1")
                       .arg(FileNameToText(path.mid(path.lastIndexOf('/') + 1))));
    auto* form = new QFormLayout;
    for (const TFileProperty& line : FileProperties(path)) {
        auto* value = new QLabel(line.Value);
        value->setTextFormat(Qt::PlainText);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        value->setWordWrap(true);
        form->addRow(line.Name + QLatin1Char(':'), value);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &QWidget::close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    setMinimumWidth(360);
}
