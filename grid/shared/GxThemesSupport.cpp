#include "grid/shared/GxThemesSupport.h"

#include <QApplication>
#include <QProxyStyle>
#include <QStyle>
#include <cstring>

EThemeError::EThemeError() : Exception(QStringLiteral("Error in Themes")) {}

bool ThemesAvailable()
{
    // Without a QApplication, QApplication::style() has no style to give.
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        throw EThemeError();
    const QStyle* style = QApplication::style();
    while (const auto* proxy = qobject_cast<const QProxyStyle*>(style))
        style = proxy->baseStyle();
    return std::strcmp(style->metaObject()->className(), "QWindowsStyle") != 0;
}
