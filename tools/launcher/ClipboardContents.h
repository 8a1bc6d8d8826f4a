// What the clipboard held before the launcher put a selection there, kept in
// the common formats and put back once the program has taken the selection:
// the hand-over costs the user nothing they had copied.
#pragma once
#include <windows.h>

#include <vector>

namespace launcher {

class CClipboardContents {
public:
    // Reads the common formats off the clipboard, which this thread has open:
    // text (CF_UNICODETEXT, with its CF_LOCALE), a file list (CF_HDROP, with
    // the shell's "Preferred DropEffect" that tells a cut from a copy) and a
    // picture (CF_DIB; a CF_BITMAP alone is read as one). Synthesised forms
    // (CF_TEXT, CF_BITMAP, ...) come back by themselves.
    void Read();
    // Puts them on the clipboard, which this thread has open and emptied.
    bool Write() const;
    bool IsEmpty() const { return m_items.empty(); }

private:
    bool Holds(UINT format) const;

    struct Item {
        UINT format;
        std::vector<BYTE> bytes;
    };
    std::vector<Item> m_items;
};

// The shell's registered format that tells whether a file list was cut or copied.
UINT PreferredDropEffectFormat();

} // namespace launcher
