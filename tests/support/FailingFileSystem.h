#pragma once

#include "platform/FileSystem.h"

#include <QByteArray>
#include <QList>
#include <unordered_map>
#include <vector>

// The host's file system, except for the calls a test chose to fail: those fail with the error
// the test chose, whoever runs the test (root reads any file, so permissions cannot stand in).
// It also records the folders opened, so a test can tell which were entered.
class FailingFileSystem : public TFileSystem
{
public:
    enum class Call { OpenFolder, ReadFolder, LookUp, OpenFile, MeasureFile };

    // Makes the call fail on path with error (an errno value). ReadFolder lets the folder's
    // first `after` entries through and then fails; a folder's entries are looked up under the
    // folder's path joined with their name. A trailing '/' on a folder makes no difference.
    void Fail(Call call, const QByteArray& path, int error, int after = 0);

    // Every folder opened, as asked and without a trailing '/'.
    const QList<QByteArray>& OpenedFolders() const { return m_opened; }

    std::unique_ptr<TFolderListing> OpenFolder(const QByteArray& path, int& error) override;
    TEntryStatus LookUp(const QByteArray& path) override;
    QByteArray RealPath(const QByteArray& path) override;
    TFile OpenFile(const QByteArray& path) override;
    int64_t MeasureFile(const TFile& file) override;

    struct Failure
    {
        Call call;
        QByteArray path;
        int error;
        int after;
    };
    // The failure chosen for the call on path, or null.
    const Failure* FailureOf(Call call, const QByteArray& path) const;

private:
    std::vector<Failure> m_failures;
    QList<QByteArray> m_opened;
    // The path each open file was opened by, for failures of MeasureFile.
    std::unordered_map<TFileIdentity, QByteArray> m_pathOfFile;
};
