// Everything Dovrin asks of a drive, asked on one worker thread: a drive that
// takes seconds to answer (a lost share, a disc spinning up) then holds the
// worker, never the dialog. The worker reads the types and small icons of
// the listed drives, the figures of the drive to show (first: the user waits
// for those), and sets volume labels. Its answers wait here until the window
// takes them; a posted message tells the window they are there.
#pragma once
#include "diskinfo/DriveFigures.h"
#include "framework/Handle.h"
#include "framework/WorkerThread.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace dovrin {

struct DriveAnswer {
    enum Kind {
        Listed,        // holdsFiles, icon (small, when it holds files)
        Figures,       // figures, icon (large, when readable)
        NotAccessible, // the drive could not be entered
        LabelSet,      // label is the drive's label now
        LabelRefused,
    };
    Kind kind = Listed;
    std::wstring root;
    unsigned request = 0; // the number ReadFigures or SetLabel gave
    bool holdsFiles = false;
    fx::CIconHandle icon;
    DriveFigures figures;
    std::wstring label;
};

class CDriveReader {
public:
    CDriveReader();
    // Waits for nothing: a worker in the middle of a drive call (seconds on
    // a slow drive, for ever on a hung share) is abandoned. It ends when the
    // call returns, or with the process, and its answer goes nowhere.
    ~CDriveReader();
    CDriveReader(const CDriveReader&) = delete;
    CDriveReader& operator=(const CDriveReader&) = delete;

    // Starts the worker; answerMessage is posted to window when answers wait.
    void Start(HWND window, UINT answerMessage);
    // Asks for the type and small icon of each drive, in this order.
    void ListDrives(const std::vector<std::wstring>& roots);
    // Asks for the figures of the drive at root, first making it the
    // process's current directory when enter is set. A figures request not
    // yet begun gives way to this one. Returns the request's number.
    unsigned ReadFigures(const std::wstring& root, bool enter);
    // Asks to set the volume label of the drive at root. Returns the
    // request's number.
    unsigned SetLabel(const std::wstring& root, const std::wstring& label);
    // The answers that arrived since the last call, in their order.
    std::vector<DriveAnswer> TakeAnswers();

private:
    struct Job {
        enum Kind { List, Figures, Label } kind = List;
        std::wstring root;
        bool enter = false;
        std::wstring label;
        unsigned request = 0;
    };
    // Everything the worker touches. The worker holds a share of it, so an
    // abandoned worker outlives this object without touching a freed one.
    struct Shared {
        HWND window = nullptr;
        UINT answerMessage = 0;
        std::mutex lock; // guards everything below
        std::condition_variable jobArrived;
        std::atomic<bool> closing{false}; // looked at between the calls of a job too
        unsigned lastRequest = 0;
        std::optional<Job> labelJob;
        std::optional<Job> figuresJob;
        std::deque<Job> listJobs;
        std::vector<DriveAnswer> answers;
    };
    static void Work(Shared& shared, const std::atomic<bool>& stopRequested);
    static std::optional<Job> NextJob(Shared& shared, const std::atomic<bool>& stopRequested);
    static DriveAnswer Do(const Shared& shared, const Job& job);
    static void Answer(Shared& shared, DriveAnswer answer);

    std::shared_ptr<Shared> m_shared;
    fx::CWorkerThread m_worker;
};

} // namespace dovrin
