#include "diskinfo/DriveReader.h"

#include "framework/Trace.h"
#include "outside/pallashell/ShellGetFileInfo.h"
#include "outside/pallavol/DiskInfo.h"

#include <initializer_list>
#include <utility>

namespace dovrin {

CDriveReader::CDriveReader() : m_shared(std::make_shared<Shared>()) {}

CDriveReader::~CDriveReader()
{
    {
        std::lock_guard<std::mutex> lock(m_shared->lock);
        m_shared->closing = true;
    }
    m_shared->jobArrived.notify_all();
    m_worker.Abandon();
}

void CDriveReader::Start(HWND window, UINT answerMessage)
{
    m_shared->window = window;
    m_shared->answerMessage = answerMessage;
    m_worker.Start([shared = m_shared](const std::atomic<bool>& stopRequested) { Work(*shared, stopRequested); });
}

void CDriveReader::ListDrives(const std::vector<std::wstring>& roots)
{
    {
        std::lock_guard<std::mutex> lock(m_shared->lock);
        for (const std::wstring& root : roots)
            m_shared->listJobs.push_back(Job{Job::List, root, false, std::wstring(), 0});
    }
    m_shared->jobArrived.notify_all();
}

unsigned CDriveReader::ReadFigures(const std::wstring& root, bool enter)
{
    unsigned request = 0;
    {
        std::lock_guard<std::mutex> lock(m_shared->lock);
        request = ++m_shared->lastRequest;
        m_shared->figuresJob = Job{Job::Figures, root, enter, std::wstring(), request};
    }
    m_shared->jobArrived.notify_all();
    return request;
}

unsigned CDriveReader::SetLabel(const std::wstring& root, const std::wstring& label)
{
    unsigned request = 0;
    {
        std::lock_guard<std::mutex> lock(m_shared->lock);
        request = ++m_shared->lastRequest;
        m_shared->labelJob = Job{Job::Label, root, false, label, request};
    }
    m_shared->jobArrived.notify_all();
    return request;
}

std::vector<DriveAnswer> CDriveReader::TakeAnswers()
{
    std::lock_guard<std::mutex> lock(m_shared->lock);
    return std::exchange(m_shared->answers, {});
}

void CDriveReader::Work(Shared& shared, const std::atomic<bool>& stopRequested)
{
    while (std::optional<Job> job = NextJob(shared, stopRequested))
        Answer(shared, Do(shared, *job));
}

std::optional<CDriveReader::Job> CDriveReader::NextJob(Shared& shared, const std::atomic<bool>& stopRequested)
{
    std::unique_lock<std::mutex> lock(shared.lock);
    shared.jobArrived.wait(lock, [&] {
        return shared.closing || stopRequested || shared.labelJob || shared.figuresJob || !shared.listJobs.empty();
    });
    if (shared.closing || stopRequested)
        return std::nullopt;
    // A label the user applied, then the drive the user waits to see, then
    // the icons of the list.
    for (std::optional<Job>* slot : {&shared.labelJob, &shared.figuresJob})
        if (*slot)
            return std::exchange(*slot, std::nullopt);
    Job job = std::move(shared.listJobs.front());
    shared.listJobs.pop_front();
    return job;
}

DriveAnswer CDriveReader::Do(const Shared& shared, const Job& job)
{
    DriveAnswer answer;
    answer.root = job.root;
    answer.request = job.request;
    switch (job.kind) {
    case Job::List:
        answer.kind = DriveAnswer::Listed;
        answer.holdsFiles = CDiskInfo::HoldsFiles(job.root);
        if (answer.holdsFiles && !shared.closing)
            answer.icon = CShellGetFileInfo(job.root).SmallIcon();
        break;
    case Job::Figures:
        if (job.enter && !::SetCurrentDirectoryW(job.root.c_str())) {
            fx::TraceLastError(L"SetCurrentDirectory " + job.root);
            answer.kind = DriveAnswer::NotAccessible;
            break;
        }
        answer.kind = DriveAnswer::Figures;
        if (shared.closing)
            break;
        answer.figures = ReadDriveFigures(job.root);
        if (answer.figures.readable && !shared.closing)
            answer.icon = CShellGetFileInfo(job.root).LargeIcon();
        break;
    case Job::Label: {
        CDiskInfo drive(job.root);
        answer.kind = drive.SetDriveLabel(job.label) ? DriveAnswer::LabelSet : DriveAnswer::LabelRefused;
        answer.label = job.label;
        break;
    }
    }
    return answer;
}

void CDriveReader::Answer(Shared& shared, DriveAnswer answer)
{
    bool first = false;
    {
        std::lock_guard<std::mutex> lock(shared.lock);
        // The dialog is gone (its handle may even name another window by
        // now): the answer is dropped with the shared state.
        if (shared.closing)
            return;
        first = shared.answers.empty();
        shared.answers.push_back(std::move(answer));
    }
    // One message for a run of answers: the window takes them all at once.
    if (first)
        ::PostMessageW(shared.window, shared.answerMessage, 0, 0);
}

} // namespace dovrin
