#include "launcher/DropTargetServer.h"

#include "common/DropList.h"
#include "launcher/HandedStart.h"
#include "launcher/Tell.h"

#include <ole2.h>

#include <atomic>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

namespace launcher {

const ProgramClass kProgramClasses[3] = {
    {{0x162D8A16, 0xCBCC, 0x4299, {0xAA, 0xEB, 0x20, 0xCD, 0x97, 0xE3, 0x48, 0x6C}}, L"Fennix.exe"},
    {{0x2F849E5F, 0xF161, 0x4BDA, {0xA6, 0xBF, 0x36, 0xC3, 0xE4, 0xA8, 0x72, 0x04}}, L"Larkway.exe"},
    {{0x95CC3F77, 0x58B2, 0x4D06, {0x9E, 0x30, 0x03, 0x74, 0x12, 0xE5, 0xD1, 0xB8}}, L"Dovrin.exe"},
};

namespace {

// What keeps the server running: objects, server locks and messages still
// on screen, counted by COM's server count. When it drops to zero Windows
// suspends the classes at once, so that a new activation starts a new
// server. A caller that already holds this server's class factory still
// reaches this one, though, and under Wine 8 (which suspends nothing) so
// does every activation made in that moment, as with two selections handed
// over at once. So the server stays a moment after its last user, the way
// ATL's servers delay their shutdown, and serves whoever comes meanwhile.
class CServerLife {
public:
    void Add()
    {
        ++m_users;
        ::CoAddRefServerProcess();
    }
    void Release()
    {
        --m_users;
        if (::CoReleaseServerProcess() == 0)
            ::SetEvent(m_idle.Get());
    }
    // Returns once the count has dropped to zero and nobody came in the
    // moment after, or after a minute in which nobody came at all (a start
    // nobody followed up).
    void WaitUntilUnused()
    {
        DWORD wait = kNobodyCameMs;
        for (;;) {
            const bool dropped = ::WaitForSingleObject(m_idle.Get(), wait) == WAIT_OBJECT_0;
            if (m_users != 0)
                wait = kNobodyCameMs; // still in use (a message on screen): until it is done
            else if (dropped)
                wait = kLingerMs;
            else
                return;
        }
    }

private:
    static constexpr DWORD kNobodyCameMs = 60000;
    static constexpr DWORD kLingerMs = 1000;
    std::atomic<int> m_users{0}; // the same count, which COM does not tell
    fx::CKernelHandle m_idle{::CreateEventW(nullptr, FALSE, FALSE, nullptr)};
};

CServerLife g_life;

// A message for the user that does not hold up the shell's call: shown on a
// thread of its own while the server stays up for it.
void TellLater(std::wstring text)
{
    g_life.Add();
    std::thread([text = std::move(text)] {
        Tell(MB_ICONERROR, text);
        g_life.Release();
    }).detach();
}

struct Selection {
    enum class Outcome { Read, NoList, Late } outcome = Outcome::NoList;
    std::vector<std::wstring> paths;
};

// The data object belongs to whoever called Drop, and GetData is a call into
// that process: it may fail, hand over any bytes, or never return. The call
// runs on a thread of its own, given kDataLimitMs; one that never returns is
// left behind and ends with this process.
Selection ReadSelection(IDataObject* data)
{
    struct Shared {
        fx::CKernelHandle done{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
        std::optional<std::vector<std::wstring>> paths;
    };
    auto shared = std::make_shared<Shared>();
    if (!shared->done)
        return {};
    data->AddRef();
    std::thread([shared, data] {
        const HRESULT com = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        STGMEDIUM medium{};
        if (SUCCEEDED(data->GetData(&format, &medium))) {
            if (medium.tymed == TYMED_HGLOBAL)
                shared->paths = ReadDropList(medium.hGlobal);
            ::ReleaseStgMedium(&medium);
        }
        data->Release();
        ::SetEvent(shared->done.Get());
        if (SUCCEEDED(com))
            ::CoUninitialize();
    }).detach();
    if (::WaitForSingleObject(shared->done.Get(), kDataLimitMs) != WAIT_OBJECT_0)
        return {Selection::Outcome::Late, {}};
    if (!shared->paths)
        return {};
    return {Selection::Outcome::Read, std::move(*shared->paths)};
}

// The object the shell drops on: a verb's DropTarget, or the drop handler of
// a Send To item (which the shell first Loads with the item's path).
class CDropTarget final : public IDropTarget, public IPersistFile {
public:
    CDropTarget(const CLSID& clsid, std::wstring program) : m_clsid(clsid), m_program(std::move(program))
    {
        g_life.Add();
    }
    ~CDropTarget() { g_life.Release(); }
    CDropTarget(const CDropTarget&) = delete;
    CDropTarget& operator=(const CDropTarget&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDropTarget)
            *object = static_cast<IDropTarget*>(this);
        else if (iid == IID_IPersist || iid == IID_IPersistFile)
            *object = static_cast<IPersistFile*>(this);
        else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_references; }
    STDMETHODIMP_(ULONG) Release() override
    {
        const ULONG left = --m_references;
        if (left == 0)
            delete this;
        return left;
    }

    STDMETHODIMP DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override { return Offer(effect); }
    STDMETHODIMP DragOver(DWORD, POINTL, DWORD* effect) override { return Offer(effect); }
    STDMETHODIMP DragLeave() override { return S_OK; }
    STDMETHODIMP Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override
    {
        if (!data || !effect)
            return E_INVALIDARG;
        *effect = DROPEFFECT_NONE;
        const std::wstring name = ProgramName(m_program);
        const std::wstring nothing = L"Nothing was handed to " + name + L": ";
        Selection selection = ReadSelection(data);
        if (selection.outcome == Selection::Outcome::Late)
            TellLater(nothing + L"the selection did not arrive within 10 seconds.");
        else if (selection.outcome == Selection::Outcome::NoList)
            TellLater(nothing + L"the selection held no list of files.");
        else if (selection.paths.empty())
            TellLater(nothing + L"the selection is empty.");
        else if (const Started started = StartWithSelection(m_program, selection.paths); !started.process)
            TellLater(name + L" could not be started: " + SystemMessage(started.error, name) + L"\n\n" + m_program);
        else
            *effect = DROPEFFECT_COPY;
        return S_OK;
    }

    STDMETHODIMP GetClassID(CLSID* clsid) override
    {
        if (!clsid)
            return E_POINTER;
        *clsid = m_clsid;
        return S_OK;
    }
    STDMETHODIMP IsDirty() override { return S_FALSE; }
    // The Send To item itself holds nothing: the class says which program.
    STDMETHODIMP Load(LPCOLESTR, DWORD) override { return S_OK; }
    STDMETHODIMP Save(LPCOLESTR, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP SaveCompleted(LPCOLESTR) override { return S_OK; }
    STDMETHODIMP GetCurFile(LPOLESTR*) override { return E_NOTIMPL; }

private:
    static HRESULT Offer(DWORD* effect)
    {
        if (!effect)
            return E_INVALIDARG;
        *effect = DROPEFFECT_COPY;
        return S_OK;
    }

    std::atomic<ULONG> m_references{1};
    const CLSID m_clsid;
    const std::wstring m_program;
};

// Lives as long as the server; the objects it makes count instead.
class CClassFactory final : public IClassFactory {
public:
    CClassFactory(const CLSID& clsid, std::wstring program) : m_clsid(clsid), m_program(std::move(program)) {}

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (iid != IID_IUnknown && iid != IID_IClassFactory) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        auto* target = new (std::nothrow) CDropTarget(m_clsid, m_program);
        if (!target)
            return E_OUTOFMEMORY;
        const HRESULT result = target->QueryInterface(iid, object);
        target->Release();
        return result;
    }
    STDMETHODIMP LockServer(BOOL lock) override
    {
        if (lock)
            g_life.Add();
        else
            g_life.Release();
        return S_OK;
    }

private:
    const CLSID m_clsid;
    const std::wstring m_program;
};

} // namespace

int ServeDropTargets(const std::wstring& folder)
{
    // The multithreaded apartment: each Drop runs on a call thread of its
    // own, so two selections handed at once are served at once, and no
    // window of ours has to pump for COM.
    if (FAILED(::CoInitializeEx(nullptr, COINIT_MULTITHREADED)))
        return 1;
    std::vector<std::unique_ptr<CClassFactory>> factories;
    std::vector<DWORD> cookies;
    for (const ProgramClass& programClass : kProgramClasses) {
        factories.push_back(std::make_unique<CClassFactory>(programClass.clsid, folder + L"\\" + programClass.program));
        DWORD cookie = 0;
        if (SUCCEEDED(::CoRegisterClassObject(programClass.clsid, factories.back().get(), CLSCTX_LOCAL_SERVER,
                                              REGCLS_MULTIPLEUSE, &cookie)))
            cookies.push_back(cookie);
    }
    if (!cookies.empty())
        g_life.WaitUntilUnused();
    for (DWORD cookie : cookies)
        ::CoRevokeClassObject(cookie);
    // No CoUninitialize: a reader may still wait for a data object that never
    // answered; it ends with the process.
    return cookies.empty() ? 1 : 0;
}

} // namespace launcher
