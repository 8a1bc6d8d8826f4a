#include "framework/Dialog.h"

#include "framework/App.h"
#include "framework/Dpi.h"
#include "framework/Handle.h"
#include "framework/Trace.h"

#include <string>
#include <utility>

namespace fx {

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT msg, WPARAM, LPARAM lp)
{
    // Everything after WM_INITDIALOG reaches the object through its subclass;
    // the dialog procedure itself leaves every message to the dialog manager.
    if (msg != WM_INITDIALOG)
        return FALSE;
    try {
        return reinterpret_cast<CDialog*>(lp)->InitDialogWindow(hwnd);
    } catch (...) {
        TraceCaughtException(L"dialog set-up");
        return TRUE;
    }
}

INT_PTR CDialog::InitDialogWindow(HWND hwnd)
{
    if (!Attach(hwnd))
        return TRUE;
    return OnInitDialog();
}

HWND CDialog::MakeWindow(HWND parent)
{
    HWND hwnd = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), parent,
                                     DialogProc, reinterpret_cast<LPARAM>(this));
    if (!hwnd)
        TraceLastError(L"dialog " + std::to_wstring(m_templateId) + L" could not be made");
    return hwnd;
}

bool CDialog::Create(HWND parent)
{
    m_parent = parent;
    m_bModal = false;
    return MakeWindow(parent) != nullptr;
}

INT_PTR CDialog::DoModal()
{
    m_bModal = true;
    m_bEndModal = false;
    m_nResult = -1;
    HWND owner = m_parent ? ::GetAncestor(m_parent, GA_ROOT) : nullptr;
    HWND hwnd = MakeWindow(owner);
    if (!hwnd) {
        m_bModal = false;
        return -1;
    }
    bool disabledOwner = owner && ::IsWindowEnabled(owner);
    if (disabledOwner)
        ::EnableWindow(owner, FALSE);
    if (!m_bEndModal)
        ::ShowWindow(hwnd, SW_SHOW);

    MSG msg;
    while (!m_bEndModal && m_hWnd) {
        BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            ::PostQuitMessage(static_cast<int>(msg.wParam)); // let the outer loop end too
            break;
        }
        if (got == -1)
            break;
        CWinApp::RouteMessage(msg);
    }
    // Enable the owner before the dialog goes, so that activation returns to it.
    if (disabledOwner)
        ::EnableWindow(owner, TRUE);
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
    m_bModal = false;
    return m_nResult;
}

void CDialog::EndDialog(INT_PTR result)
{
    if (m_bModal) {
        m_nResult = result;
        m_bEndModal = true;
        ::PostMessageW(m_hWnd, WM_NULL, 0, 0); // wake the loop
    } else {
        ShowWindow(SW_HIDE);
    }
}

bool CDialog::UpdateData(bool saveAndValidate)
{
    CDataExchange dx(m_hWnd, saveAndValidate);
    // Back as it was however the exchange ends: an exchange may run inside
    // another, and a throwing one must not leave every later edit ignored.
    struct CRestore {
        bool& flag;
        const bool old;
        ~CRestore() { flag = old; }
    } restore{m_bShowingValues, m_bShowingValues};
    if (!saveAndValidate)
        m_bShowingValues = true;
    DoDataExchange(dx);
    return !dx.Failed();
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(false);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(true))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

bool CDialog::PreTranslateMessage(MSG* msg)
{
    // A child dialog (a property page) leaves navigation to its top-level owner.
    if (::GetWindowLongW(m_hWnd, GWL_STYLE) & WS_CHILD)
        return false;
    return ::IsDialogMessageW(m_hWnd, msg) != FALSE;
}

LRESULT CDialog::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    return CWnd::WindowProc(msg, wp, lp);
}

bool CDialog::OnCommand(UINT id, UINT code)
{
    if (code != BN_CLICKED)
        return false;
    switch (id) {
    case IDOK:
        OnOK();
        return true;
    case IDCANCEL:
        OnCancel();
        return true;
    }
    return false;
}

void PaintMinimizedIcon(HWND hwnd, HICON icon)
{
    CPaintDC paint(hwnd);
    ::SendMessageW(hwnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(paint.Get()), 0);
    RECT client{};
    ::GetClientRect(hwnd, &client);
    const UINT dpi = WindowDpi(hwnd);
    const int x = (client.right - ::GetSystemMetricsForDpi(SM_CXICON, dpi) + 1) / 2;
    const int y = (client.bottom - ::GetSystemMetricsForDpi(SM_CYICON, dpi) + 1) / 2;
    ::DrawIcon(paint.Get(), x, y, icon);
}

void CAppIcon::Set(HWND hwnd, WORD id)
{
    m_id = id;
    Load(hwnd, WindowDpi(hwnd));
}

void CAppIcon::Load(HWND hwnd, UINT dpi)
{
    // The sizes of the big and the small icon at 96 DPI.
    CIconHandle big = LoadIconForDpi(m_id, 32, 32, dpi);
    CIconHandle small = LoadIconForDpi(m_id, 16, 16, dpi);
    ::SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.Get()));
    ::SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.Get()));
    // The window shows the new ones now: the old ones can go.
    m_big = std::move(big);
    m_small = std::move(small);
}

bool CAppIcon::OnMessage(HWND hwnd, UINT msg, WPARAM wp, LRESULT* result)
{
    switch (msg) {
    case WM_PAINT:
        if (!m_big || !::IsIconic(hwnd))
            return false;
        PaintMinimizedIcon(hwnd, m_big.Get());
        *result = 0;
        return true;
    case WM_QUERYDRAGICON:
        if (!m_big)
            return false;
        *result = reinterpret_cast<LRESULT>(m_big.Get());
        return true;
    case WM_DPICHANGED:
        if (m_id)
            Load(hwnd, LOWORD(wp)); // the new DPI
        return false;
    }
    return false;
}

} // namespace fx
