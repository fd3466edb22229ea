#pragma once

#include "app/DeletionRun.h"
#include "platform/RemovalResult.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <array>
#include <vector>

class TMemoLines;

// A path as one line of the report: a newline is written "\n", and every other control
// character and every byte that is not part of valid UTF-8 "\xNN" (each byte of it), so that
// one line always names one file. Any other name stays exactly as it is.
QByteArray ReportLine(const QByteArray& path);

// The report of a deletion run. The mode's header comes first and each removed file's line as
// soon as it is gone; at the end, the marked files that are still in their place follow, one
// heading per reason ("2 marked files could not be moved to the trash:") with a line for each,
// and a run that removed nothing says so.
class TRemovalReport
{
public:
    // Why a marked file stayed.
    enum class TReason {
        // Kept so that its picture keeps a copy (or no longer identical to any other file).
        Kept,
        // The system refused; the line carries its text.
        Failed,
        Gone,
        Changed,
        // The run ended before the file's row.
        NotReached,
    };

    // The lines reach the display at most every tenth of a second, and at the end: telling it of
    // every line would cost more than removing the file.
    TRemovalReport(TMemoLines& lines, TDeletionMode mode, QByteArray target = {});
    ~TRemovalReport();
    TRemovalReport(const TRemovalReport&) = delete;
    TRemovalReport& operator=(const TRemovalReport&) = delete;

    void AddHeader();
    void Add(const QByteArray& path, const TRemovalResult& result);
    // text is the system's word on a failure.
    void AddStayed(const QByteArray& path, TReason reason, const QString& text = {});
    // Writes what stayed; the report is complete.
    void Finish();

private:
    struct TStayed
    {
        QByteArray Path;
        QString Text;
    };

    QString FailedHeading(size_t count) const;
    void Show();

    TMemoLines& m_lines;
    TDeletionMode m_mode;
    QByteArray m_target;
    QElapsedTimer m_shown;
    int m_removed = 0;
    std::array<std::vector<TStayed>, 5> m_stayed;
};
