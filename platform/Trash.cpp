#include "platform/Trash.h"

#include "platform/FileNames.h"
#include "platform/FileSystem.h"
#include "platform/RemovalSteps.h"

#include <cerrno>
#include <climits>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray kRecordExtension = ".trashinfo";
// A trash name leaves room for its record's extension within one file name.
constexpr qsizetype kLongestTrashName = NAME_MAX - 10;

// The device of the path, or of the nearest folder above it that exists.
dev_t NearestDevice(QByteArray path)
{
    struct stat info = {};
    while (::stat(path.constData(), &info) != 0) {
        const QByteArray folder = FolderOf(path);
        if (folder == path)
            return 0;
        path = folder;
    }
    return info.st_dev;
}

QByteArray DeletionDate()
{
    const time_t now = ::time(nullptr);
    struct tm local = {};
    char text[32] = {};
    ::localtime_r(&now, &local);
    ::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
    return text;
}

QByteArray RecordText(const QByteArray& originalPath)
{
    return "[Trash Info]\nPath=" + originalPath.toPercentEncoding("/") +
           "\nDeletionDate=" + DeletionDate() + '\n';
}

bool WriteAll(int fd, const QByteArray& bytes)
{
    const char* data = bytes.constData();
    size_t left = static_cast<size_t>(bytes.size());
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        left -= static_cast<size_t>(written);
    }
    return true;
}

// A trash folder with its two parts, made when missing. A volume trash must be a real folder of
// this user's: one that is a link, or another user's, could hand the files to someone else.
int MakeTrashFolders(const QByteArray& root, bool onVolume)
{
    if (onVolume) {
        if (::mkdir(root.constData(), 0700) != 0 && errno != EEXIST)
            return errno;
        struct stat info = {};
        if (::lstat(root.constData(), &info) != 0)
            return errno;
        if (!S_ISDIR(info.st_mode) || info.st_uid != ::getuid())
            return EPERM;
    }
    for (const char* part : {"/files", "/info"})
        if (const int error = MakeFolders(root + part, 0700))
            return error;
    return 0;
}

} // namespace

TTrash::TTrash() : TTrash(TTrashFolders().HomeTrash()) {}

TTrash::TTrash(QByteArray homeTrash) : m_homeTrash(std::move(homeTrash)) {}

TRemovalResult TTrash::MoveIn(const QByteArray& path, const TFileEntry& checked)
{
    struct stat entry = {};
    if (const std::optional<TRemovalResult> differs = DiffersFromCheck(path, checked, entry))
        return *differs;
    const QByteArray absolute = AbsolutePath(path);
    const TPlace& place = PlaceFor(entry.st_dev, FolderOf(absolute));
    if (place.Error != 0)
        return TRemovalResult::Failure(place.Error);
    QByteArray original = absolute;
    if (!place.Top.isEmpty()) {
        // A volume's records name places relative to its top, so they hold wherever it is
        // mounted next time.
        original = CanonicalPath(FolderOf(absolute)) + absolute.mid(absolute.lastIndexOf('/'));
        const QByteArray top = place.Top == "/" ? QByteArray() : place.Top;
        if (original.startsWith(top + '/'))
            original = original.mid(top.size() + 1);
    }
    QByteArray trashed;
    const TRemovalResult result = MoveInto(place, path, RecordText(original), trashed);
    if (!result.Removed())
        return result;
    // The same file must now lie in the trash: what was renamed is what the check saw.
    struct stat moved = {};
    return ::lstat(trashed.constData(), &moved) == 0 && moved.st_ino == entry.st_ino &&
                   moved.st_dev == entry.st_dev
               ? result
               : TRemovalResult{TRemovalOutcome::Changed};
}

int TTrash::CreateRecord(const QByteArray& path)
{
    return ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
}

QByteArray TTrash::TopFolderOf(const QByteArray& folder)
{
    QByteArray top = CanonicalPath(folder);
    struct stat info = {};
    if (::stat(top.constData(), &info) != 0)
        return top;
    const dev_t device = info.st_dev;
    for (QByteArray above = FolderOf(top); above != top; above = FolderOf(top)) {
        if (::stat(above.constData(), &info) != 0 || info.st_dev != device)
            break;
        top = above;
    }
    return top;
}

const TTrash::TPlace& TTrash::PlaceFor(dev_t device, const QByteArray& folder)
{
    const auto found = m_places.find(device);
    if (found != m_places.end())
        return found->second;
    TPlace place =
        device == NearestDevice(m_homeTrash) ? HomePlace() : VolumePlace(TopFolderOf(folder));
    return m_places.emplace(device, std::move(place)).first->second;
}

TTrash::TPlace TTrash::HomePlace() const
{
    return {m_homeTrash, {}, MakeTrashFolders(m_homeTrash, false)};
}

TTrash::TPlace TTrash::VolumePlace(const QByteArray& top) const
{
    const QByteArray base = top == "/" ? QByteArray() : top;
    const QByteArray uid = QByteArray::number(::getuid());
    // A shared .Trash made by the administrator counts only with its sticky bit.
    struct stat shared = {};
    if (::lstat((base + "/.Trash").constData(), &shared) == 0 && S_ISDIR(shared.st_mode) &&
        (shared.st_mode & S_ISVTX) != 0) {
        const QByteArray root = base + "/.Trash/" + uid;
        if (MakeTrashFolders(root, true) == 0)
            return {root, top, 0};
    }
    const QByteArray root = base + "/.Trash-" + uid;
    return {root, top, MakeTrashFolders(root, true)};
}

TRemovalResult TTrash::MoveInto(const TPlace& place, const QByteArray& path,
                                const QByteArray& record, QByteArray& trashed)
{
    const QByteArray name = path.mid(path.lastIndexOf('/') + 1);
    const QByteArray files = place.Root + "/files/";
    const QByteArray info = place.Root + "/info/";
    const auto trashName = [&](int number) {
        return NumberedName(name, number, kLongestTrashName);
    };
    const auto taken = [&](int number) {
        const QByteArray candidate = trashName(number);
        return EntryExists(info + candidate + kRecordExtension) || EntryExists(files + candidate);
    };
    for (int round = 0; round < kNameClaimRounds; ++round) {
        const int number = FreeNumber(taken);
        if (number == 0)
            break;
        const QByteArray chosen = trashName(number);
        const QByteArray recordPath = info + chosen + kRecordExtension;
        TDescriptor recordFile(CreateRecord(recordPath));
        if (!recordFile.IsOpen()) {
            if (errno == EEXIST)
                continue;
            return TRemovalResult::Failure(errno);
        }
        if (!WriteAll(recordFile.Handle(), record)) {
            const int error = errno;
            recordFile.Close();
            ::unlink(recordPath.constData());
            return TRemovalResult::Failure(error);
        }
        recordFile.Close();
        trashed = files + chosen;
        const int error = RenameNoReplace(path, trashed);
        if (error == 0)
            return TRemovalResult::Done();
        ::unlink(recordPath.constData());
        if (error != EEXIST)
            return TRemovalResult::Failure(error);
    }
    return TRemovalResult::Failure(EEXIST);
}
