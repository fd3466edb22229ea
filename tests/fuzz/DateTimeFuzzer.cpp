// Feeds arbitrary texts to the date reader and checks that it reads each one exactly as the
// locale's parser does: the same answer, the same value. The first byte picks the locale. The
// time zone is UTC, where no clock change skips a local time (the one case they differ in).
#include "platform/DateTimeReader.h"

#include <QLocale>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

const char* const kLocales[] = {"en_US", "C", "de_DE", "ja_JP", "ko_KR", "en_GB"};

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setenv("TZ", "UTC", 1);
    tzset();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const char* locale = kLocales[data[0] % std::size(kLocales)];
    QLocale::setDefault(QLocale(QString::fromLatin1(locale)));
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data) + 1, qsizetype(size) - 1);
    const TDateTimeReader reader;
    TDateTime read = -1, parsed = -1;
    const bool readOk = reader.Read(text, read);
    const bool parsedOk = TryStrToDateTime(text, parsed);
    if (readOk != parsedOk || (readOk && read != parsed)) {
        std::fprintf(stderr, "%s: \"%s\" read %d %.9f, parsed %d %.9f\n", locale,
                     text.toUtf8().constData(), readOk, read, parsedOk, parsed);
        std::abort();
    }
    return 0;
}
