// Saved_Cursor: what DECSC keeps of the screen and DECRC puts back: the
// position, the attributes for new characters and origin mode.
#pragma once

struct Saved_Cursor {
    int column = 0;
    int row = 0;
    unsigned char attributes = 0;
    bool origin_mode = false;
};
