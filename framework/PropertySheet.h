// Property sheets over comctl32's PropertySheetW: modeless as a child window
// (Fennix) or modal (Larkway's options). Pages can be added and removed at
// any time; a removed page is created anew when it is added back.
#pragma once
#include "framework/Dialog.h"

#include <commctrl.h>
#include <string>
#include <vector>

namespace fx {

class CPropertySheet;

class CPropertyPage : public CDialog {
public:
    explicit CPropertyPage(UINT templateId) : CDialog(templateId) {}

    // A fresh page handle for PropertySheetW or PSM_ADDPAGE.
    HPROPSHEETPAGE CreatePageHandle();
    // True while the page's window lives inside a property sheet (a page is
    // a child window; the same class run as a dialog is a popup).
    bool IsInSheet() const { return m_hWnd && (::GetWindowLongW(m_hWnd, GWL_STYLE) & WS_CHILD); }
    // Tells the sheet that the page holds changes not yet applied (or no
    // longer does); the sheet's Apply button follows.
    void SetModified(bool modified = true) const;

protected:
    // Called each time the page becomes the active one; from the second time
    // on the controls are reloaded from the members.
    virtual BOOL OnSetActive();
    // Called before another page takes over, and before the sheet is
    // confirmed; reads the controls. False keeps the page.
    virtual BOOL OnKillActive();
    // The sheet is confirmed (OK, or Apply where there is one): reads the
    // controls, then OnOK. False (a value refused) keeps the sheet open, on
    // the page it shows.
    virtual BOOL OnApply();
    // In a sheet, OK and Cancel leave the page as it is: the sheet owns the
    // page's window. Run as a dialog, the page ends like one.
    void OnOK() override;
    void OnCancel() override;

    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    static INT_PTR CALLBACK PageProc(HWND, UINT, WPARAM, LPARAM);
    PROPSHEETPAGEW m_psp{};
    bool m_bFirstSetActive = true;
};

class CPropertySheet : public CWnd {
public:
    CPropertySheet(std::wstring caption, HWND parent, UINT selectPage = 0)
        : m_caption(std::move(caption)), m_parent(parent), m_startPage(selectPage) {}

    // False when the sheet refuses the page; the page list is then unchanged.
    bool AddPage(CPropertyPage* page);
    void RemovePage(int index);
    bool SetActivePage(int index);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* GetPage(int index) const;
    int GetActiveIndex() const;

    // Gives the sheet an Apply button (call before Create or DoModal); pages
    // enable it with SetModified.
    void AddApplyButton() { m_bApplyButton = true; }

    // Modeless: creates the sheet with the given window style (WS_CHILD
    // makes it a borderless child of parent, without the sheet's buttons).
    bool Create(DWORD style);
    // Modal: runs the sheet; returns IDOK or IDCANCEL.
    INT_PTR DoModal();

    bool PreTranslateMessage(MSG* msg) override;

protected:
    // Run once the sheet and its first page exist.
    virtual BOOL OnInitDialog();
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    static int CALLBACK SheetCallback(HWND hwnd, UINT msg, LPARAM lp);
    PROPSHEETHEADERW MakeHeader(std::vector<HPROPSHEETPAGE>& handles, DWORD flags);
    void HideButtons();

    std::wstring m_caption;
    HWND m_parent;
    UINT m_startPage;
    std::vector<CPropertyPage*> m_pages;
    DWORD m_style = 0;
    bool m_bModeless = false;
    bool m_bApplyButton = false;
};

} // namespace fx
