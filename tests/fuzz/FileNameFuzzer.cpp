// Feeds arbitrary byte strings to the file-name conversion. Each input is a name, and also two
// names split at its first 0 byte; beyond the sanitizers, it checks that bytes -> text -> bytes
// gives the name back exactly, that the text of a name converts to itself again, and that two
// different names never give one text (a row would then lead to the other file).
#include "platform/FileNames.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void Fail(const char* what, const QByteArray& first, const QByteArray& second = {})
{
    std::fprintf(stderr, "%s\nname: %s\nother: %s\n", what, first.toHex().constData(),
                 second.toHex().constData());
    std::abort();
}

QString CheckRoundTrip(const QByteArray& name)
{
    const QString text = FileNameToText(name);
    if (TextToFileName(text) != name)
        Fail("the name did not come back", name);
    if (FileNameToText(TextToFileName(text)) != text)
        Fail("the text of a name changed on its way through the name", name);
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString whole = CheckRoundTrip(input);
    const qsizetype split = input.indexOf('\0');
    if (split < 0)
        return 0;
    const QByteArray first = input.left(split);
    const QByteArray second = input.mid(split + 1);
    const QString firstText = CheckRoundTrip(first);
    const QString secondText = CheckRoundTrip(second);
    if (first != second && firstText == secondText)
        Fail("two names gave one text", first, second);
    // Text and names also agree on where a name is cut.
    if (whole != firstText + QChar(u'\0') + secondText)
        Fail("the text of a name is not the text of its parts", input);
    return 0;
}
