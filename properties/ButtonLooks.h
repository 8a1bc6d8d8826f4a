// The looks Fennix's windows give their icon buttons, alike everywhere: a
// button that goes on (Done, Go, Apply) shows its icon with a green caption
// that turns red under the pointer; one that leaves (Exit, Cancel) shows the
// cross with a red caption that turns green.
#pragma once
#include "controls/IconButton.h"

void SetGoOnLook(CIconButton& button, WORD hoverIcon, WORD normalIcon);
void SetLeaveLook(CIconButton& button);
