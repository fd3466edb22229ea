#pragma once

#include <QApplication>
#include <QByteArray>
#include <QString>
#include <QStyleFactory>
#include <ostream>

// Readable failure messages for Qt's strings.
void PrintTo(const QString& text, std::ostream* out);
void PrintTo(const QByteArray& bytes, std::ostream* out);
std::ostream& operator<<(std::ostream& out, const QString& text);

// The folder of the shared sample pictures; tests copy what they need before touching it.
QString TestDataDir();

// Runs a test body with Qt's classic "Windows" style, so that ThemesAvailable is false, and
// puts the test style back afterwards.
class ClassicStyle
{
public:
    ClassicStyle() { QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows"))); }
    ~ClassicStyle() { QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion"))); }
    ClassicStyle(const ClassicStyle&) = delete;
    ClassicStyle& operator=(const ClassicStyle&) = delete;
};
