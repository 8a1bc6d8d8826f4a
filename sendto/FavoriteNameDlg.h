// Asks for the name under which a folder becomes a favourite.
#pragma once
#include "controls/IconButton.h"
#include "framework/Dialog.h"

#include <string>

namespace larkway {

class CFavoriteNameDlg : public fx::CDialog {
public:
    // The name starts as the folder's path.
    CFavoriteNameDlg(HWND owner, std::wstring folder);

    const std::wstring& Name() const { return m_strName; }
    const std::wstring& Folder() const { return m_strFolder; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(fx::CDataExchange& dx) override;

private:
    CIconButton m_addButton;
    CIconButton m_cancelButton;
    std::wstring m_strFolder;
    std::wstring m_strName;
};

} // namespace larkway
