// Fennix's program object.
#pragma once
#include "framework/App.h"

namespace fennix {

class CMirelPropertyFrame;

class CPropertiesApp : public fx::CWinApp {
public:
    // Creates, centres and shows the frame (once); the sheet inside it takes
    // the selection off the clipboard as it is created.
    void CreateFrame();
    CMirelPropertyFrame* Frame() const { return m_pFrame; }
    ~CPropertiesApp() override;

protected:
    BOOL InitInstance() override;

private:
    CMirelPropertyFrame* m_pFrame = nullptr;
};

} // namespace fennix
