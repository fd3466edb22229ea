#include "platform/FileNames.h"

#include <algorithm>

namespace {

constexpr char16_t kEscapeBase = 0xDC00;

// The code point of the valid UTF-8 sequence at the start of bytes and its length, or length 0
// when it is not one.
struct TSequence
{
    char32_t code = 0;
    int length = 0;
};

TSequence ValidSequence(const unsigned char* bytes, qsizetype available)
{
    const unsigned char lead = bytes[0];
    int length = 0;
    char32_t minimum = 0;
    char32_t code = 0;
    if (lead < 0x80)
        return {lead, 1};
    if ((lead & 0xE0) == 0xC0) {
        length = 2, minimum = 0x80, code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, minimum = 0x800, code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, minimum = 0x10000, code = lead & 0x07;
    } else {
        return {};
    }
    if (available < length)
        return {};
    for (int i = 1; i < length; ++i) {
        if ((bytes[i] & 0xC0) != 0x80)
            return {};
        code = code << 6 | (bytes[i] & 0x3F);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    if (code < minimum || code > 0x10FFFF || surrogate)
        return {};
    return {code, length};
}

} // namespace

// The characters are decoded here rather than by a UTF-8 codec: a codec treats a byte-order
// mark at the start of its input as a signature and drops it, and two names would then meet.
QString FileNameToText(const QByteArray& name)
{
    // Plain ASCII, the usual name, needs no decoding.
    if (std::all_of(name.cbegin(), name.cend(), [](char c) { return uchar(c) < 0x80; }))
        return QString::fromLatin1(name);
    QString text;
    text.reserve(name.size());
    const auto* bytes = reinterpret_cast<const unsigned char*>(name.constData());
    for (qsizetype i = 0; i < name.size();) {
        const TSequence sequence = ValidSequence(bytes + i, name.size() - i);
        if (sequence.length == 0) {
            text += QChar(char16_t(kEscapeBase + bytes[i]));
            ++i;
            continue;
        }
        if (QChar::requiresSurrogates(sequence.code)) {
            text += QChar(QChar::highSurrogate(sequence.code));
            text += QChar(QChar::lowSurrogate(sequence.code));
        } else {
            text += QChar(char16_t(sequence.code));
        }
        i += sequence.length;
    }
    return text;
}

QByteArray TextToFileName(const QString& text)
{
    QByteArray name;
    name.reserve(text.size());
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text.at(i).unicode();
        // The low half of a real surrogate pair is a character, not an escaped byte.
        if (QChar::isHighSurrogate(unit) && i + 1 < text.size() &&
            text.at(i + 1).isLowSurrogate()) {
            ++i;
            continue;
        }
        if (unit < kEscapeBase + 0x80 || unit > kEscapeBase + 0xFF)
            continue;
        name += QStringView(text).mid(runStart, i - runStart).toUtf8();
        name += char(unit - kEscapeBase);
        runStart = i + 1;
    }
    name += QStringView(text).mid(runStart).toUtf8();
    return name;
}

QByteArray FolderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    // A slash that follows another (or starts the path) is part of the root and stays.
    const bool rootSlash = slash == 0 || path[slash - 1] == '/';
    return path.left(rootSlash ? slash + 1 : slash);
}
