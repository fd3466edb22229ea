#include "platform/Application.h"

#include <QFontInfo>
#include <QLocale>
#include <QStyleFactory>
#include <cstdio>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Test discovery runs the binaries outside CTest's environment, where no display may exist.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    TApplication app(argc, argv);
    TApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    if (QFontInfo(TApplication::font()).family().isEmpty())
        std::fprintf(stderr, "warning: no font installed; text will be drawn as boxes\n");
    return RUN_ALL_TESTS();
}
