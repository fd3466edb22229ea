#include "search/CandidateFile.h"

#include <algorithm>

TCandidateFile TCandidateFile::FromSizeText(QByteArray path, QString sizeText)
{
    bool isNumber = false;
    const qlonglong size = sizeText.toLongLong(&isNumber);
    return {std::move(path), std::move(sizeText), isNumber && size >= 0 ? int64_t(size) : -1};
}

TCandidateReader::TCandidateReader(const TCandidateFile& file, TFileSystem& files)
    : m_files(files), m_file(files.OpenFile(file.path)), m_size(file.size), m_remaining(file.size),
      m_changed(!m_file.IsOpen() || file.size < 0 || m_file.Size() != file.size)
{}

int64_t TCandidateReader::Read(char* buffer, size_t capacity) noexcept
{
    if (m_changed)
        return -1;
    const auto wanted = int64_t(std::min<uint64_t>(capacity, uint64_t(m_remaining)));
    const int64_t count = wanted == 0 ? 0 : m_file.Read(buffer, size_t(wanted));
    if (count != wanted) {
        m_changed = true;
        return -1;
    }
    m_remaining -= count;
    return count;
}

bool TCandidateReader::StillAsMeasured() noexcept
{
    if (m_changed || m_files.MeasureFile(m_file) != m_size)
        m_changed = true;
    return !m_changed;
}
