#include "framework/PropertySheet.h"

#include "framework/App.h"
#include "framework/Handle.h"
#include "framework/Trace.h"

namespace fx {

// --- CPropertyPage -----------------------------------------------------------

INT_PTR CALLBACK CPropertyPage::PageProc(HWND hwnd, UINT msg, WPARAM, LPARAM lp)
{
    if (msg != WM_INITDIALOG)
        return FALSE;
    try {
        auto* self = reinterpret_cast<CPropertyPage*>(reinterpret_cast<PROPSHEETPAGEW*>(lp)->lParam);
        self->m_bFirstSetActive = true;
        return self->InitDialogWindow(hwnd);
    } catch (...) {
        TraceCaughtException(L"property page set-up");
        return TRUE;
    }
}

HPROPSHEETPAGE CPropertyPage::CreatePageHandle()
{
    m_psp = PROPSHEETPAGEW{};
    m_psp.dwSize = sizeof(m_psp);
    m_psp.hInstance = ::GetModuleHandleW(nullptr);
    m_psp.pszTemplate = MAKEINTRESOURCEW(TemplateId());
    m_psp.pfnDlgProc = PageProc;
    m_psp.lParam = reinterpret_cast<LPARAM>(this);
    return ::CreatePropertySheetPageW(&m_psp);
}

BOOL CPropertyPage::OnSetActive()
{
    if (m_bFirstSetActive)
        m_bFirstSetActive = false;
    else
        UpdateData(false);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive()
{
    return UpdateData(true) ? TRUE : FALSE;
}

BOOL CPropertyPage::OnApply()
{
    if (!UpdateData(true))
        return FALSE;
    OnOK();
    return TRUE;
}

void CPropertyPage::OnOK()
{
    if (!IsInSheet())
        CDialog::OnOK();
}

void CPropertyPage::OnCancel()
{
    if (!IsInSheet())
        CDialog::OnCancel();
}

void CPropertyPage::SetModified(bool modified) const
{
    if (IsInSheet())
        ::SendMessageW(GetParent(), modified ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

LRESULT CPropertyPage::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_NOTIFY) {
        const auto* hdr = reinterpret_cast<const NMHDR*>(lp);
        if (hdr->hwndFrom == GetParent()) {
            switch (hdr->code) {
            case PSN_SETACTIVE:
                return OnSetActive() ? 0 : -1;
            case PSN_KILLACTIVE:
                return OnKillActive() ? FALSE : TRUE;
            case PSN_APPLY:
                return OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
            case PSN_RESET:
                OnCancel();
                return 0;
            }
        }
    }
    return CDialog::WindowProc(msg, wp, lp);
}

// --- CPropertySheet ----------------------------------------------------------

namespace {
// The sheet being created on this thread: PropertySheetW's callback has no
// user data of its own.
thread_local CPropertySheet* t_creating = nullptr;
} // namespace

CPropertyPage* CPropertySheet::GetPage(int index) const
{
    return index >= 0 && index < GetPageCount() ? m_pages[static_cast<size_t>(index)] : nullptr;
}

int CPropertySheet::GetActiveIndex() const
{
    if (!m_hWnd)
        return static_cast<int>(m_startPage);
    HWND page = reinterpret_cast<HWND>(SendMessage(PSM_GETCURRENTPAGEHWND));
    for (int i = 0; i < GetPageCount(); ++i)
        if (m_pages[static_cast<size_t>(i)]->m_hWnd == page)
            return i;
    return -1;
}

bool CPropertySheet::AddPage(CPropertyPage* page)
{
    if (m_hWnd) {
        CPropertySheetPage handle(page->CreatePageHandle());
        // A sheet that refuses the page does not take the handle over.
        if (!handle || !SendMessage(PSM_ADDPAGE, 0, reinterpret_cast<LPARAM>(handle.Get())))
            return false;
        handle.Release(); // the sheet's now
    }
    m_pages.push_back(page);
    return true;
}

void CPropertySheet::RemovePage(int index)
{
    if (index < 0 || index >= GetPageCount())
        return;
    if (m_hWnd)
        SendMessage(PSM_REMOVEPAGE, static_cast<WPARAM>(index), 0);
    m_pages.erase(m_pages.begin() + index);
}

bool CPropertySheet::SetActivePage(int index)
{
    if (index < 0 || index >= GetPageCount())
        return false;
    if (!m_hWnd) {
        m_startPage = static_cast<UINT>(index);
        return true;
    }
    return SendMessage(PSM_SETCURSEL, static_cast<WPARAM>(index), 0) != 0;
}

int CALLBACK CPropertySheet::SheetCallback(HWND hwnd, UINT msg, LPARAM lp)
{
    CPropertySheet* self = t_creating;
    if (!self)
        return 0;
    if (msg == PSCB_PRECREATE && (self->m_style & WS_CHILD)) {
        // Wine hands over a DLGTEMPLATE, Windows may hand a DLGTEMPLATEEX.
        auto* words = reinterpret_cast<WORD*>(lp);
        DWORD* style = words[1] == 0xFFFF ? &reinterpret_cast<DWORD*>(lp)[3] : &reinterpret_cast<DLGTEMPLATE*>(lp)->style;
        *style = (*style & ~(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_MODALFRAME | WS_VISIBLE)) |
                 self->m_style | DS_CONTROL;
    } else if (msg == PSCB_INITIALIZED) {
        self->Attach(hwnd);
        // A modal sheet runs comctl32's own loop; a modeless one finishes its
        // set-up once PropertySheetW has returned and its first page exists.
        if (!self->m_bModeless) {
            // Nothing may unwind through comctl32.
            try {
                self->OnInitDialog();
            } catch (...) {
                TraceCaughtException(L"property sheet set-up");
            }
        }
    }
    return 0;
}

PROPSHEETHEADERW CPropertySheet::MakeHeader(std::vector<HPROPSHEETPAGE>& handles, DWORD flags)
{
    handles.clear();
    for (CPropertyPage* page : m_pages)
        handles.push_back(page->CreatePageHandle());
    PROPSHEETHEADERW psh{};
    psh.dwSize = sizeof(psh);
    psh.dwFlags = flags | PSH_USECALLBACK | (m_bApplyButton ? 0 : PSH_NOAPPLYNOW);
    psh.hwndParent = m_parent;
    psh.hInstance = ::GetModuleHandleW(nullptr);
    psh.pszCaption = m_caption.c_str();
    psh.nPages = static_cast<UINT>(handles.size());
    psh.nStartPage = m_startPage < handles.size() ? m_startPage : 0;
    psh.phpage = handles.data();
    psh.pfnCallback = SheetCallback;
    return psh;
}

bool CPropertySheet::Create(DWORD style)
{
    m_style = style;
    m_bModeless = true;
    std::vector<HPROPSHEETPAGE> handles;
    PROPSHEETHEADERW psh = MakeHeader(handles, PSH_MODELESS);
    t_creating = this;
    INT_PTR result = ::PropertySheetW(&psh);
    t_creating = nullptr;
    if (result == 0 || result == -1 || !m_hWnd)
        return false;
    OnInitDialog();
    return true;
}

INT_PTR CPropertySheet::DoModal()
{
    m_style = 0;
    m_bModeless = false;
    std::vector<HPROPSHEETPAGE> handles;
    PROPSHEETHEADERW psh = MakeHeader(handles, 0);
    t_creating = this;
    INT_PTR result = ::PropertySheetW(&psh);
    t_creating = nullptr;
    return result > 0 ? IDOK : IDCANCEL;
}

void CPropertySheet::HideButtons()
{
    // A sheet inside a frame has no OK / Cancel / Apply / Help row: the pages
    // carry their own buttons. Hide the row and give its height back.
    RECT lowest{};
    HWND tab = reinterpret_cast<HWND>(SendMessage(PSM_GETTABCONTROL));
    // OK stays enabled, hidden: Enter still confirms the sheet, as Escape
    // still cancels it.
    for (int id : {IDOK, IDCANCEL, IDHELP, 0x3021 /* Apply */}) {
        if (HWND button = GetDlgItem(id)) {
            ::ShowWindow(button, SW_HIDE);
            if (id != IDOK)
                ::EnableWindow(button, FALSE);
        }
    }
    if (!tab)
        return;
    ::GetWindowRect(tab, &lowest);
    RECT sheet = GetWindowRect();
    RECT client = GetClientRect();
    POINT tabBottom{0, lowest.bottom};
    ::ScreenToClient(m_hWnd, &tabBottom);
    int margin = lowest.left - sheet.left; // the same gap as at the sides
    int newClientHeight = tabBottom.y + margin;
    int border = (sheet.bottom - sheet.top) - (client.bottom - client.top);
    SetWindowPos(nullptr, 0, 0, sheet.right - sheet.left, newClientHeight + border,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CPropertySheet::OnInitDialog()
{
    if (m_bModeless && (m_style & WS_CHILD))
        HideButtons();
    return TRUE;
}

bool CPropertySheet::PreTranslateMessage(MSG* msg)
{
    return PropSheet_IsDialogMessage(m_hWnd, msg) != FALSE;
}

LRESULT CPropertySheet::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    // The dialog manager works for the sheet: Enter on a focused button of a
    // page comes here as that button's click, which is the page's to handle.
    // (Enter elsewhere is the sheet's default command, sent with whichever
    // control comes first with the default's id: that one stays the sheet's.)
    HWND control = reinterpret_cast<HWND>(lp);
    if (msg == WM_COMMAND && control && control == ::GetFocus()) {
        HWND owner = ::GetParent(control);
        if (owner != m_hWnd && ::IsChild(m_hWnd, owner))
            return ::SendMessageW(owner, msg, wp, lp);
    }
    return CWnd::WindowProc(msg, wp, lp);
}

} // namespace fx
