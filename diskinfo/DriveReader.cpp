#include "diskinfo/DriveReader.h"

#include "outside/pallashell/ShellGetFileInfo.h"
#include "outside/pallavol/DiskInfo.h"

#include <initializer_list>
#include <utility>

CDriveReader::~CDriveReader()
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_closing = true;
    }
    m_jobArrived.notify_all();
    m_worker.Stop();
}

void CDriveReader::Start(HWND window, UINT answerMessage)
{
    m_window = window;
    m_answerMessage = answerMessage;
    m_worker.Start([this](const std::atomic<bool>& stopRequested) { Work(stopRequested); });
}

void CDriveReader::ListDrives(const std::vector<std::wstring>& roots)
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        for (const std::wstring& root : roots)
            m_listJobs.push_back(Job{Job::List, root, false, std::wstring(), 0});
    }
    m_jobArrived.notify_all();
}

unsigned CDriveReader::ReadFigures(const std::wstring& root, bool enter)
{
    unsigned request = 0;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        request = ++m_lastRequest;
        m_figuresJob = Job{Job::Figures, root, enter, std::wstring(), request};
    }
    m_jobArrived.notify_all();
    return request;
}

unsigned CDriveReader::SetLabel(const std::wstring& root, const std::wstring& label)
{
    unsigned request = 0;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        request = ++m_lastRequest;
        m_labelJob = Job{Job::Label, root, false, label, request};
    }
    m_jobArrived.notify_all();
    return request;
}

std::vector<DriveAnswer> CDriveReader::TakeAnswers()
{
    std::lock_guard<std::mutex> lock(m_lock);
    return std::exchange(m_answers, {});
}

void CDriveReader::Work(const std::atomic<bool>& stopRequested)
{
    while (std::optional<Job> job = NextJob(stopRequested))
        Answer(Do(*job));
}

std::optional<CDriveReader::Job> CDriveReader::NextJob(const std::atomic<bool>& stopRequested)
{
    std::unique_lock<std::mutex> lock(m_lock);
    m_jobArrived.wait(lock, [&] {
        return m_closing || stopRequested || m_labelJob || m_figuresJob || !m_listJobs.empty();
    });
    if (m_closing || stopRequested)
        return std::nullopt;
    // A label the user applied, then the drive the user waits to see, then
    // the icons of the list.
    for (std::optional<Job>* slot : {&m_labelJob, &m_figuresJob})
        if (*slot)
            return std::exchange(*slot, std::nullopt);
    Job job = std::move(m_listJobs.front());
    m_listJobs.pop_front();
    return job;
}

DriveAnswer CDriveReader::Do(const Job& job) const
{
    DriveAnswer answer;
    answer.root = job.root;
    answer.request = job.request;
    switch (job.kind) {
    case Job::List:
        answer.kind = DriveAnswer::Listed;
        answer.holdsFiles = CDiskInfo::HoldsFiles(job.root);
        if (answer.holdsFiles && !m_closing) {
            CShellGetFileInfo info(job.root);
            info.GetSmallIcon();
            answer.icon.Reset(info.m_hSmallIcon);
        }
        break;
    case Job::Figures:
        if (job.enter && !::SetCurrentDirectoryW(job.root.c_str())) {
            answer.kind = DriveAnswer::NotAccessible;
            break;
        }
        answer.kind = DriveAnswer::Figures;
        if (m_closing)
            break;
        answer.figures = ReadDriveFigures(job.root);
        if (answer.figures.readable && !m_closing) {
            CShellGetFileInfo info(job.root);
            info.GetLargeIcon();
            answer.icon.Reset(info.m_hLargeIcon);
        }
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

void CDriveReader::Answer(DriveAnswer answer)
{
    bool first = false;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        first = m_answers.empty();
        m_answers.push_back(std::move(answer));
    }
    // One message for a run of answers: the window takes them all at once.
    if (first)
        ::PostMessageW(m_window, m_answerMessage, 0, 0);
}
