#include "platform/FileNames.h"

namespace {

constexpr char16_t kEscapeBase = 0xDC00;

// The length of the valid UTF-8 sequence at the start of bytes, or 0 when it is not one.
int ValidSequenceLength(const unsigned char* bytes, qsizetype available)
{
    const unsigned char lead = bytes[0];
    int length = 0;
    char32_t minimum = 0;
    char32_t code = 0;
    if (lead < 0x80)
        return 1;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, minimum = 0x80, code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, minimum = 0x800, code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, minimum = 0x10000, code = lead & 0x07;
    } else {
        return 0;
    }
    if (available < length)
        return 0;
    for (int i = 1; i < length; ++i) {
        if ((bytes[i] & 0xC0) != 0x80)
            return 0;
        code = code << 6 | (bytes[i] & 0x3F);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return code < minimum || code > 0x10FFFF || surrogate ? 0 : length;
}

} // namespace

QString FileNameToText(const QByteArray& name)
{
    QString text;
    const auto* bytes = reinterpret_cast<const unsigned char*>(name.constData());
    qsizetype runStart = 0;
    qsizetype i = 0;
    while (i < name.size()) {
        const int length = ValidSequenceLength(bytes + i, name.size() - i);
        if (length > 0) {
            i += length;
            continue;
        }
        text += QString::fromUtf8(name.constData() + runStart, i - runStart);
        text += QChar(char16_t(kEscapeBase + bytes[i]));
        runStart = ++i;
    }
    if (runStart == 0)
        return QString::fromUtf8(name);
    return text + QString::fromUtf8(name.constData() + runStart, name.size() - runStart);
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
        return {};
    // A slash that follows another (or starts the path) is part of the root and stays.
    const bool rootSlash = slash == 0 || path[slash - 1] == '/';
    return path.left(rootSlash ? slash + 1 : slash);
}
