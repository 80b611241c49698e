// A platform that draws nothing: every InkView call the program makes, with
// fonts that answer metrics like a monospaced face, so that a benchmark linked
// with it measures the program's own code and none of the drawing.
#include "bench/null_inkview.h"

#include <cstdlib>
#include <cstring>

#include "platform/inkview.h"

namespace {

int screen_width = 600;
int screen_height = 800;

int orientation = 0;

// Proportions of the shipped monospaced face: 0.6 em wide, 1.21 em high.
int advance_of(int size) { return (size * 3 + 2) / 5; }
int advance = advance_of(24);

}

namespace null_platform {

void set_screen(int width, int height)
{
    screen_width = width;
    screen_height = height;
}

}

extern "C" {

void InkViewMain(iv_handler) {}
void OpenScreen() {}
void CloseApp() {}
int ScreenWidth() { return orientation == 1 || orientation == 2 ? screen_height : screen_width; }
int ScreenHeight() { return orientation == 1 || orientation == 2 ? screen_width : screen_height; }
int GetOrientation() { return orientation; }
void SetOrientation(int o) { orientation = o; }
void ClearScreen() {}
void SoftUpdate() {}
void PartialUpdate(int, int, int, int) {}
void FillArea(int, int, int, int, int) {}
void DrawRect(int, int, int, int, int) {}
void DrawLine(int, int, int, int, int) {}
void InvertArea(int, int, int, int) {}

ifont* OpenFont(char const* name, int size, int aa)
{
    auto* font = new ifont{};
    font->name = strdup(name ? name : "");
    font->family = strdup(font->name);
    font->size = size;
    font->aa = static_cast<unsigned char>(aa != 0);
    font->height = (size * 121 + 50) / 100;
    font->linespacing = font->height;
    font->baseline = (size * 96 + 50) / 100;
    return font;
}

void CloseFont(ifont* font)
{
    if (!font)
        return;
    std::free(font->name);
    std::free(font->family);
    delete font;
}

void SetFont(ifont const* font, int)
{
    if (font)
        advance = advance_of(font->size);
}

// Code points, not bytes: continuation bytes take no width.
int StringWidth(char const* s)
{
    int width = 0;
    for (; s && *s; ++s)
        if ((static_cast<unsigned char>(*s) & 0xC0) != 0x80)
            width += advance;
    return width;
}

void DrawString(int, int, char const*) {}
char* DrawTextRect(int, int, int, int, char const*, int) { return nullptr; }
void SetWeakTimer(char const*, iv_timerproc, int) {}
void ClearTimer(iv_timerproc) {}
void OpenMenu(imenu*, int, int, int, iv_menuhandler) {}
void OpenRotateBox(iv_rotatehandler) {}
}
