// The About box: the program's icon, name and version, a notice, links to the
// maker's mail and web page, and the maker's other programs. Fennix shows it
// as the first page of its property sheet; Larkway and Dovrin run it as a
// modal dialog (DoModal). Closing it as a page ends the program.
#pragma once
#include "controls/LinkLabel.h"
#include "framework/PropertySheet.h"

// Control ids of the About template, the same in every program.
enum AboutControlId { IDC_ABOUT_MAIL = 1010, IDC_ABOUT_WEB = 1011 };

class CAboutPage : public fx::CPropertyPage {
public:
    static constexpr const wchar_t* kMailAddress = L"mailto:support@corvale.example";
    static constexpr const wchar_t* kWebAddress = L"https://corvale.example/software/";

    // templateId: the program's About template (a page or a dialog).
    explicit CAboutPage(UINT templateId) : CPropertyPage(templateId) {}

    // Runs the About box modally over owner. The template has no owner of
    // its own, so owner is kept out of reach meanwhile, as a modal owner is.
    static void ShowModal(UINT templateId, HWND owner);

    const CLinkLabel& MailLink() const { return m_mailLink; }
    const CLinkLabel& WebLink() const { return m_webLink; }

protected:
    void DoDataExchange(fx::CDataExchange& dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    CLinkLabel m_webLink;
    CLinkLabel m_mailLink;
};
