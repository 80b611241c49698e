// The null platform's own control, beside the InkView calls it answers: the
// screen size, so that a benchmark can give the display the grid it wants.
#pragma once

namespace null_platform {

// Portrait size in pixels; 600x800 until set. Takes effect at the display's
// next layout.
void set_screen(int width, int height);

}
