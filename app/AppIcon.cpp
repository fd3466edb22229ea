#include "app/AppIcon.h"

QIcon AppIcon()
{
    QIcon icon;
    for (const int size : {48, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1/" TWINPICS_APP_ID ".png").arg(size),
                     QSize(size, size));
    return icon;
}
