// A page of Fennix's sheet whose Done and Cancel end the program: the sheet
// lives inside the frame, so ending only the sheet would leave an empty
// window behind.
#pragma once
#include "framework/PropertySheet.h"

namespace fennix {

class CClosingPage : public fx::CPropertyPage {
public:
    using CPropertyPage::CPropertyPage;

protected:
    void OnOK() override { ::PostQuitMessage(0); }
    void OnCancel() override { ::PostQuitMessage(0); }
};

} // namespace fennix
