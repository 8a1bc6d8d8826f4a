// A static text turned into a hyperlink: underlined in link colours, lit
// while the mouse is over it, a hand cursor, a tooltip with the address, and
// the address opened on a click. Any font the label is given is shown
// underlined; at a change of DPI a font nobody gave anew is scaled to it.
#pragma once
#include "controls/HoverTracker.h"
#include "framework/Controls.h"
#include "framework/Handle.h"

#include <string>

class CLinkLabel : public fx::CStatic {
public:
    CLinkLabel();

    void SetURL(const std::wstring& url);
    const std::wstring& GetURL() const { return m_url; }
    bool IsHovering() const { return m_hover.IsHovered(); }
    // The colour the text is drawn in now.
    COLORREF CurrentTextColor() const;
    // Made when the pointer first comes over the label.
    const fx::CToolTipCtrl& ToolTip() const { return m_toolTip; }

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    bool OnChildNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

private:
    void OpenURL();
    void MakeToolTip(UINT msg, WPARAM wp, LPARAM lp);
    // Makes the underlined copy of font (the stock GUI font when null), for
    // the DPI the label has now.
    void MakeLinkFont(HFONT font);
    void OnDpiChanged();

    const COLORREF m_linkColor = RGB(0, 0, 238);
    const COLORREF m_visitedColor = RGB(85, 26, 139);
    const COLORREF m_hoverColor;
    CHoverTracker m_hover;
    bool m_bVisited = false;
    std::wstring m_url;
    fx::CFontHandle m_linkFont;
    UINT m_linkFontDpi = USER_DEFAULT_SCREEN_DPI; // the DPI the link font was made for
    HCURSOR m_linkCursor = nullptr; // the system's shared hand cursor: never destroyed
    fx::CToolTipCtrl m_toolTip;
};
