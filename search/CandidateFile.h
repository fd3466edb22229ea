#pragma once

#include "platform/FileSystem.h"

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

// A file of the candidate list: its path, its size as text, and the size that text states.
struct TCandidateFile
{
    QByteArray path;
    QString sizeText;
    // -1 when the text states no whole number of bytes.
    int64_t size = -1;

    // The candidate with the size its text states.
    static TCandidateFile FromSizeText(QByteArray path, QString sizeText);
};

// Reads a candidate file block by block, never beyond the size measured for it: a file that has
// grown, shrunk or become unreadable since it was measured is "changed", and nothing it holds
// counts. Reading stops at the measured size even while another program appends to the file.
// The file is opened and measured again through the given file system.
class TCandidateReader
{
public:
    TCandidateReader(const TCandidateFile& file, TFileSystem& files);

    // Whether the file differs from its measurement: it could not be opened, its size is no
    // longer the measured one, or a read failed or ended early.
    bool Changed() const noexcept { return m_changed; }
    bool AtEnd() const noexcept { return m_changed || m_remaining == 0; }
    const TFileIdentity& Identity() const noexcept { return m_file.Identity(); }

    // The next block, up to capacity bytes and never past the measured size: the count read,
    // 0 at the end, -1 once the file is changed.
    int64_t Read(char* buffer, size_t capacity) noexcept;
    // Asks the file system again, after the last block, whether the size is still the measured
    // one; a file that grew while it was read is changed.
    bool StillAsMeasured() noexcept;

private:
    TFileSystem& m_files;
    TFile m_file;
    int64_t m_size;
    int64_t m_remaining;
    bool m_changed;
};
