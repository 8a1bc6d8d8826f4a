// What a keyboard user meets in a dialog, as the dialog manager sees it: the controls on show (a
// sheet's with its page's), their tab stops and mnemonics.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace testing_support {

// The faults of a dialog for the keyboard, in words: a letter that is the mnemonic of two controls; a
// button with a caption but no mnemonic (but OK, Cancel and boxes that only show a state); a field whose
// label has no mnemonic, or a label whose mnemonic leads to no field; a control no Tab reaches.
std::vector<std::wstring> KeyboardFaults(HWND dialog);

// The same for a menu: two items sharing a mnemonic, an item without one (but the items made from the
// user's data, between the command ids given).
std::vector<std::wstring> MenuKeyboardFaults(HMENU menu, UINT firstDataId = 0, UINT lastDataId = 0);

} // namespace testing_support
