#include "platform/FileProperties.h"

#include "platform/FileNames.h"
#include "platform/Picture.h"

#include <QDateTime>
#include <QLocale>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString Moment(const struct statx_timestamp& stamp)
{
    const QDateTime moment = QDateTime::fromSecsSinceEpoch(stamp.tv_sec);
    return QLocale().toString(moment, QLocale::ShortFormat);
}

QString SizeValue(uint64_t size)
{
    const QLocale locale;
    const QString bytes = QObject::tr("%1 bytes").arg(locale.toString(qulonglong(size)));
    if (size < 1024)
        return bytes;
    return locale.formattedDataSize(qint64(size), 2, QLocale::DataSizeTraditionalFormat) + " (" +
           bytes + ')';
}

QString TypeOf(mode_t mode)
{
    if (S_ISREG(mode))
        return QStringLiteral("File");
    if (S_ISDIR(mode))
        return QStringLiteral("Folder");
    return QStringLiteral("Special file");
}

// As ls shows them, with the octal value.
QString Permissions(mode_t mode)
{
    static constexpr char letters[] = "rwxrwxrwx";
    QString text;
    for (int bit = 0; bit < 9; ++bit)
        text += (mode & (0400 >> bit)) ? QLatin1Char(letters[bit]) : QLatin1Char('-');
    return text + QStringLiteral(" (%1)").arg(mode & 07777, 4, 8, QLatin1Char('0'));
}

QString UserName(uid_t uid)
{
    const passwd* entry = getpwuid(uid);
    const QString id = QString::number(uid);
    return entry ? QString::fromLocal8Bit(entry->pw_name) + " (" + id + ')' : id;
}

QString GroupName(gid_t gid)
{
    const group* entry = getgrgid(gid);
    const QString id = QString::number(gid);
    return entry ? QString::fromLocal8Bit(entry->gr_name) + " (" + id + ')' : id;
}

QByteArray LinkTarget(const QByteArray& path)
{
    QByteArray target(4096, '\0');
    const ssize_t length = readlink(path.constData(), target.data(), target.size());
    return length < 0 ? QByteArray() : target.left(length);
}

} // namespace

std::vector<TFileProperty> FileProperties(const QByteArray& path)
{
    std::vector<TFileProperty> lines{
        {QStringLiteral("Name"), FileNameToText(path.mid(path.lastIndexOf('/') + 1))},
        {QStringLiteral("Folder"), FileNameToText(FolderOf(path))},
    };
    struct stat link
    {};
    if (lstat(path.constData(), &link) == 0 && S_ISLNK(link.st_mode))
        lines.push_back({QStringLiteral("Link to"), FileNameToText(LinkTarget(path))});
    struct statx facts
    {};
    if (statx(AT_FDCWD, path.constData(), 0, STATX_BASIC_STATS | STATX_BTIME, &facts) != 0) {
        lines.push_back({QStringLiteral("State"), QString::fromLocal8Bit(strerror(errno))});
        return lines;
    }
    lines.push_back({QStringLiteral("Type"), TypeOf(facts.stx_mode)});
    lines.push_back({QStringLiteral("Size"), SizeValue(facts.stx_size)});
    // A birth time of 0 is what files report whose file system did not record it.
    if ((facts.stx_mask & STATX_BTIME) && facts.stx_btime.tv_sec != 0)
        lines.push_back({QStringLiteral("Created"), Moment(facts.stx_btime)});
    lines.push_back({QStringLiteral("Modified"), Moment(facts.stx_mtime)});
    lines.push_back({QStringLiteral("Accessed"), Moment(facts.stx_atime)});
    lines.push_back({QStringLiteral("Permissions"), Permissions(facts.stx_mode)});
    lines.push_back({QStringLiteral("Owner"), UserName(facts.stx_uid)});
    lines.push_back({QStringLiteral("Group"), GroupName(facts.stx_gid)});
    if (S_ISREG(facts.stx_mode)) {
        const QSize picture = PictureFileSize(path);
        if (picture.isValid())
            lines.push_back(
                {QStringLiteral("Picture"),
                 QStringLiteral("%1 × %2 pixels").arg(picture.width()).arg(picture.height())});
    }
    return lines;
}
