#pragma once

#include "platform/Exception.h"
#include "search/Thumbnail.h"

#include <cstdint>
#include <functional>

class QLabel;
class QString;
class TDataGrid;
class TImage;
class TImageList;
class TMemo;
class TProgressBar;
class TRedrawPace;

// The steps of a search run, in order.
// Thumbnails begins once every result row is made, while their pictures are still coming.
enum class TSearchPhase { Scan, CandidateList, Comparison, ResultRows, Thumbnails, Finished };

// The controls of the main window that the search works with. The search reaches the window only
// through them, so tests and benchmarks run a real search against real controls without the rest
// of the window.
struct TSearchView
{
    // Status lines of the results page.
    QLabel& Label1;
    QLabel& Label3;
    QLabel& Label4;
    TProgressBar& ProgressBar1;
    // Memo1 holds the found files, one path per line; Memo2 is only emptied; Memo3 is the report
    // of the last deletion, emptied when a new search begins.
    TMemo& Memo1;
    TMemo& Memo2;
    TMemo& Memo3;
    // Thumbnails of the results grid.
    TImageList& ImageList1;
    // The results grid, the candidate table and the pair table.
    TDataGrid& DataGrid1;
    TDataGrid& DataGrid2;
    TDataGrid& DataGrid3;
    // Its picture is the thumbnail of a file that cannot be decoded.
    TImage& Image1;
    // 1: idle, which is also the stop request; 0: a run is active. Read it through IsIdle.
    uint8_t& StopFlag;
    // Set when the window closes during a run: the run unwinds at once instead of finishing the
    // phases that a stop request lets run on.
    const bool& Abandoned;
    // Told as each phase begins, when set; the search benchmark times the phases with it.
    std::function<void(TSearchPhase)> PhaseStarted = {};
    // Told, when set, of a further folder of the search that is not searched (missing,
    // unreadable or excluded), once per folder; the window shows it in its status area.
    std::function<void(const QString& Text)> FolderNotice = {};
    // Set by the run for its duration: how often the status controls and the results grid are
    // drawn while messages are handled. Without it every message handling draws them.
    TRedrawPace* Pace = nullptr;
    // Makes one file's thumbnails, on a pool thread; MakeThumbnail with Image1's picture when
    // empty. Tests slow it down to catch a run while its thumbnails are still coming.
    std::function<TThumbnailResult(const QByteArray& path)> ThumbnailMaker = {};

    void Report(TSearchPhase phase) const
    {
        if (PhaseStarted)
            PhaseStarted(phase);
    }
};

// Whether the stop flag reads idle: no run is active, or the active one was asked to stop.
constexpr bool IsIdle(uint8_t stopFlag)
{
    return stopFlag == 1;
}

// Raised when a run finds its window gone; the run's catch-all ends it.
class ESearchAbandoned : public Exception
{
public:
    ESearchAbandoned();
};

// Lets pending window messages be handled (through the view's pace, when it has one), then
// raises ESearchAbandoned if the window was closed meanwhile. Every point of the search that hands control to the message loop uses it.
void HandleMessages(const TSearchView& view);

// Raised inside a long read when a stop request is seen there; the search goes on as after a
// stop request in the scan.
class ESearchStopped : public Exception
{
public:
    ESearchStopped();
};

// HandleMessages for the middle of a long file read: a stop request seen afterwards raises
// ESearchStopped, so one huge file does not hold the run after the user pressed Stop.
void HandleMessagesInsideFile(const TSearchView& view);
