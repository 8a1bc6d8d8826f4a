#include "controls/ButtonLooks.h"

namespace {
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);

void SetLook(CIconButton& button, WORD hoverIcon, WORD normalIcon, COLORREF hoverText, COLORREF normalText)
{
    button.SetIcons(hoverIcon, normalIcon, 32, 32);
    button.SetHoverTextColor(hoverText, false);
    button.SetNormalTextColor(normalText, false);
}
} // namespace

void SetGoOnLook(CIconButton& button, WORD hoverIcon, WORD normalIcon)
{
    SetLook(button, hoverIcon, normalIcon, kRed, kGreen);
}

void SetLeaveLook(CIconButton& button, WORD hoverIcon, WORD normalIcon)
{
    SetLook(button, hoverIcon, normalIcon, kGreen, kRed);
}
