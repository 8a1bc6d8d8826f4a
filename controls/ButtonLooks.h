// The looks the programs give their icon buttons, alike everywhere: a button
// that goes on (Done, Go, Apply, Add) shows a green caption that turns red
// under the pointer; one that leaves or takes away (Exit, Cancel, Move)
// shows a red caption that turns green. The icons are each program's own.
#pragma once
#include "controls/IconButton.h"

void SetGoOnLook(CIconButton& button, WORD hoverIcon, WORD normalIcon);
void SetLeaveLook(CIconButton& button, WORD hoverIcon, WORD normalIcon);
