#include "TestSupport.h"

QString TestDataDir()
{
    return QStringLiteral(TWINPICS_TESTDATA_DIR);
}

void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

void PrintTo(const QByteArray& bytes, std::ostream* out)
{
    *out << '"' << bytes.toStdString() << '"';
}

std::ostream& operator<<(std::ostream& out, const QString& text)
{
    return out << text.toStdString();
}
