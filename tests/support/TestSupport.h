#pragma once

#include <QByteArray>
#include <QString>
#include <ostream>

// Readable failure messages for Qt's strings.
void PrintTo(const QString& text, std::ostream* out);
void PrintTo(const QByteArray& bytes, std::ostream* out);
std::ostream& operator<<(std::ostream& out, const QString& text);

// The folder of the shared sample pictures; tests copy what they need before touching it.
QString TestDataDir();
