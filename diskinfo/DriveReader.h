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
#include <mutex>
#include <optional>
#include <string>
#include <vector>

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
    CDriveReader() = default;
    // Waits for a drive call in flight, no more: the worker looks for the
    // stop between calls.
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
    void Work(const std::atomic<bool>& stopRequested);
    std::optional<Job> NextJob(const std::atomic<bool>& stopRequested);
    DriveAnswer Do(const Job& job) const;
    void Answer(DriveAnswer answer);

    HWND m_window = nullptr;
    UINT m_answerMessage = 0;
    std::mutex m_lock; // guards everything below
    std::condition_variable m_jobArrived;
    std::atomic<bool> m_closing{false}; // looked at between the calls of a job too
    unsigned m_lastRequest = 0;
    std::optional<Job> m_labelJob;
    std::optional<Job> m_figuresJob;
    std::deque<Job> m_listJobs;
    std::vector<DriveAnswer> m_answers;
    fx::CWorkerThread m_worker;
};
