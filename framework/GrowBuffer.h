// The one way to read a text of unknown length from the calls that follow the
// platform's "ask again with a bigger buffer" convention: given a buffer of n
// characters they return the length written (below n), or the size needed
// (n or more) when it did not fit, or 0 on failure. The answer can grow
// between two calls (a folder renamed meanwhile), so ask until it fits.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

namespace fx {

template <class Read>
std::optional<std::wstring> ReadGrowingText(Read read, DWORD firstSize = MAX_PATH)
{
    std::wstring text;
    for (DWORD size = firstSize;;) {
        text.assign(size, L'\0');
        const DWORD answer = read(text.data(), size);
        if (answer == 0)
            return std::nullopt;
        if (answer < size) {
            text.resize(answer);
            return text;
        }
        size = answer;
    }
}

} // namespace fx
