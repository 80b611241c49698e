// The window with SDL: it turns desktop input into platform events through
// the display-free machines beside it (fingers, keys, menus, typing on the
// on-screen keyboard) and shows the panel with the overlay whenever either
// changed, flashing on full refreshes.
#include "host/window.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <iostream>

#include "host/environment.h"
#include "host/host.h"
#include "host/keyboard_typing.h"
#include "host/main_loop.h"
#include "host/onscreen_keys.h"
#include "host/screen.h"
#include "host/utf8.h"
#include "host/window_geometry.h"
#include "host/window_keys.h"
#include "host/window_menu.h"
#include "host/window_touch.h"

namespace host::detail {

namespace {

auto constexpr flash_time = std::chrono::milliseconds(120);
int constexpr decoration_allowance = 60;  // title bar and panels of the desktop
Uint8 constexpr desk_grey = 0x50;

// Function keys, so that every key that types stays free for typing.
int hardware_key(SDL_Keycode key)
{
    switch (key) {
    case SDLK_F1:
        return KEY_MENU;
    case SDLK_F2:
        return KEY_PREV;
    case SDLK_F3:
        return KEY_NEXT;
    default:
        return 0;
    }
}

// The on-screen key a desktop key stands for, when it types no text.
char const* typing_key(SDL_Keycode key)
{
    switch (key) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return "Enter";
    case SDLK_BACKSPACE:
        return "Backspace";
    case SDLK_TAB:
        return "Tab";
    case SDLK_ESCAPE:
        return "Esc";
    case SDLK_UP:
        return "Up";
    case SDLK_DOWN:
        return "Down";
    case SDLK_LEFT:
        return "Left";
    case SDLK_RIGHT:
        return "Right";
    case SDLK_HOME:
        return "Home";
    case SDLK_END:
        return "End";
    case SDLK_PAGEUP:
        return "PgUp";
    case SDLK_PAGEDOWN:
        return "PgDn";
    default:
        return nullptr;
    }
}

// The letter of ctrl+letter: the key's own where it has one, else the
// letter at its place on a US keyboard, as for a non-Latin layout.
char control_letter(SDL_Keysym const& key)
{
    if (key.sym >= SDLK_a && key.sym <= SDLK_z)
        return char('a' + (key.sym - SDLK_a));
    if (key.scancode >= SDL_SCANCODE_A && key.scancode <= SDL_SCANCODE_Z)
        return char('a' + (key.scancode - SDL_SCANCODE_A));
    return 0;
}

std::pair<int, int> desk_size(SDL_Window* window)
{
    SDL_Rect usable{0, 0, 1024, 768};
    int const display = window ? SDL_GetWindowDisplayIndex(window) : 0;
    SDL_GetDisplayUsableBounds(std::max(display, 0), &usable);
    return {usable.w, std::max(usable.h - decoration_allowance, 1)};
}

class Window_Source : public Event_Source {
public:
    Window_Source(SDL_Window* w, SDL_Renderer* r) : window(w), renderer(r) {}
    ~Window_Source() override
    {
        if (texture)
            SDL_DestroyTexture(texture);
        SDL_DestroyRenderer(renderer);
        SDL_DestroyWindow(window);
        SDL_Quit();
    }
    Window_Source(Window_Source const&) = delete;
    Window_Source& operator=(Window_Source const&) = delete;

    bool pump(Loop& loop, Clock::time_point until) override;

private:
    void refresh_view();
    void follow_screen();
    void watch_updates();
    void present();
    void handle(SDL_Event const& e, Loop& loop);
    void button_down(SDL_MouseButtonEvent const& b, Loop& loop);
    void button_up(SDL_MouseButtonEvent const& b, Loop& loop);
    void wheel(SDL_MouseWheelEvent const& w, Loop& loop);
    void key(SDL_KeyboardEvent const& k, Loop& loop);
    void text(char const* typed, Loop& loop);
    void type(std::string const& key, bool ctrl, Loop& loop);
    void deliver(std::vector<Touch_Event> const& events, Loop& loop);
    void deliver(std::vector<Key_Event> const& events, Loop& loop);
    Rect picture() const;
    std::optional<Point> on_picture(int x, int y) const;
    Point clamped(int x, int y) const;

    SDL_Window* window;
    SDL_Renderer* renderer;
    SDL_Texture* texture = nullptr;
    int texture_width = 0, texture_height = 0;
    Mouse_Touch touch;
    Key_Repeat keys;
    Window_Menu menu;
    Uint8 finger_button = 0;  // the button holding the finger down
    Uint8 menu_button = 0;    // the button of a click on the menu
    bool flash_enabled = flash_wanted();
    Clock::time_point flash_end{};
    bool flashing_shown = false;
    bool dirty = true;
    std::uint64_t shown_generation = 0;
    std::uint64_t shown_overlay = 0;
    std::vector<std::uint32_t> frame;
};

bool Window_Source::pump(Loop& loop, Clock::time_point until)
{
    refresh_view();
    Clock::time_point wake = until;
    for (auto const due : {touch.next_due(), keys.next_due()})
        if (due)
            wake = std::min(wake, *due);
    if (flashing_shown)
        wake = std::min(wake, flash_end);

    auto const wait = std::chrono::ceil<std::chrono::milliseconds>(wake - Clock::now()).count();
    SDL_Event event;
    bool got = wait > 0 ? SDL_WaitEventTimeout(&event, int(std::min<long long>(wait, 1000))) != 0
                        : SDL_PollEvent(&event) != 0;
    while (got && !loop.closing()) {
        handle(event, loop);
        got = SDL_PollEvent(&event) != 0;
    }
    auto const now = Clock::now();
    deliver(touch.due(now), loop);
    deliver(keys.due(now), loop);
    refresh_view();
    return true;
}

void Window_Source::refresh_view()
{
    follow_screen();
    menu.sync();
    if (menu.overlay().generation() != shown_overlay)
        dirty = true;
    watch_updates();
    if (flashing_shown && Clock::now() >= flash_end)
        dirty = true;
    if (dirty)
        present();
}

void Window_Source::follow_screen()
{
    Screen const& s = screen();
    if (texture && texture_width == s.width && texture_height == s.height)
        return;
    bool const turned = texture != nullptr;
    if (texture)
        SDL_DestroyTexture(texture);
    texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, s.width, s.height);
    texture_width = s.width;
    texture_height = s.height;
    touch.set_screen(s.width, s.height);
    if (turned) {
        auto const [desk_width, desk_height] = desk_size(window);
        auto const [w, h] = window_size(s.width, s.height, desk_width, desk_height);
        SDL_SetWindowSize(window, w, h);
    }
    dirty = true;
}

void Window_Source::watch_updates()
{
    Screen const& s = screen();
    if (s.generation == shown_generation)
        return;
    shown_generation = s.generation;
    dirty = true;
    bool const full = std::any_of(s.updates.begin(), s.updates.end(),
                                  [](Update const& u) { return u.kind == Update::soft || u.kind == Update::full; });
    if (full && flash_enabled)
        flash_end = Clock::now() + flash_time;
    // Nobody else reads the log while the window runs: it must not grow for hours.
    host::clear_updates();
}

void Window_Source::present()
{
    dirty = false;
    if (!texture)
        return;
    flashing_shown = Clock::now() < flash_end;
    shown_overlay = menu.overlay().generation();
    menu.overlay().compose(screen().panel, flashing_shown, frame);
    SDL_UpdateTexture(texture, nullptr, frame.data(), texture_width * int(sizeof(std::uint32_t)));
    int out_width = 1, out_height = 1;
    SDL_GetRendererOutputSize(renderer, &out_width, &out_height);
    Rect const p = fit_picture(texture_width, texture_height, out_width, out_height);
    SDL_SetTextureScaleMode(texture, whole_scale(p, texture_width, texture_height) ? SDL_ScaleModeNearest
                                                                                   : SDL_ScaleModeLinear);
    SDL_SetRenderDrawColor(renderer, desk_grey, desk_grey, desk_grey, 255);
    SDL_RenderClear(renderer);
    SDL_Rect const target{p.x, p.y, p.width, p.height};
    SDL_RenderCopy(renderer, texture, nullptr, &target);
    SDL_RenderPresent(renderer);
}

void Window_Source::handle(SDL_Event const& e, Loop& loop)
{
    switch (e.type) {
    case SDL_QUIT:
        loop.close();
        break;
    case SDL_WINDOWEVENT:
        if (e.window.event == SDL_WINDOWEVENT_CLOSE)
            loop.close();
        else if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST)
            deliver(keys.release_all(Clock::now()), loop);
        else
            dirty = true;  // exposed, resized, shown...
        break;
    case SDL_MOUSEBUTTONDOWN:
        button_down(e.button, loop);
        break;
    case SDL_MOUSEBUTTONUP:
        button_up(e.button, loop);
        break;
    case SDL_MOUSEMOTION:
        if (touch.down())
            deliver(touch.move(clamped(e.motion.x, e.motion.y), Clock::now()), loop);
        else if (menu_button)
            menu.move(clamped(e.motion.x, e.motion.y));
        break;
    case SDL_MOUSEWHEEL:
        wheel(e.wheel, loop);
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        key(e.key, loop);
        break;
    case SDL_TEXTINPUT:
        text(e.text.text, loop);
        break;
    default:
        break;
    }
}

void Window_Source::button_down(SDL_MouseButtonEvent const& b, Loop& loop)
{
    if ((b.button != SDL_BUTTON_LEFT && b.button != SDL_BUTTON_RIGHT) || touch.down() || menu_button)
        return;
    menu.sync();
    auto const p = on_picture(b.x, b.y);
    if (menu.showing()) {
        menu_button = b.button;
        // Beside the picture is beside the menu too.
        menu.press(p ? *p : Point{-1, -1});
        return;
    }
    if (!p)
        return;
    bool const second = b.button == SDL_BUTTON_RIGHT || (SDL_GetModState() & KMOD_CTRL);
    finger_button = b.button;
    deliver(touch.press(*p, second, Clock::now()), loop);
}

void Window_Source::button_up(SDL_MouseButtonEvent const& b, Loop& loop)
{
    if (touch.down() && b.button == finger_button) {
        finger_button = 0;
        deliver(touch.release(clamped(b.x, b.y)), loop);
    } else if (b.button == menu_button) {
        menu_button = 0;
        auto const p = on_picture(b.x, b.y);
        menu.release(p ? *p : Point{-1, -1});
    }
}

void Window_Source::wheel(SDL_MouseWheelEvent const& w, Loop& loop)
{
    if (touch.down() || menu.showing())
        return;
    int x = 0, y = 0;
    SDL_GetMouseState(&x, &y);
    auto const p = on_picture(x, y);
    int const notches = w.direction == SDL_MOUSEWHEEL_FLIPPED ? -w.y : w.y;
    if (p)
        deliver(touch.wheel(*p, notches), loop);
}

void Window_Source::key(SDL_KeyboardEvent const& k, Loop& loop)
{
    auto const now = Clock::now();
    if (k.type == SDL_KEYUP) {
        deliver(keys.release(k.keysym.scancode, now), loop);
        return;
    }
    if (k.keysym.sym == SDLK_ESCAPE && menu.showing()) {
        if (!k.repeat)
            menu.dismiss();
        return;
    }
    if (int const code = hardware_key(k.keysym.sym)) {
        // The device's repeat is made by Key_Repeat; an open dialog holds
        // the input, as on the device.
        if (!k.repeat && !menu.showing())
            deliver(keys.press(k.keysym.scancode, code, now), loop);
        return;
    }
    // Typing follows the desktop's own key repeat.
    if (char const* name = typing_key(k.keysym.sym))
        type(name, false, loop);
    else if (char const letter = (k.keysym.mod & KMOD_CTRL) ? control_letter(k.keysym) : 0)
        type(std::string(1, letter), true, loop);
}

void Window_Source::text(char const* typed, Loop& loop)
{
    char const* const end = typed + std::strlen(typed);
    for (char const* p = typed; p < end;) {
        char const* const start = p;
        next_code_point(p, end);
        type(key_for_character(std::string(start, p)), false, loop);
    }
}

void Window_Source::type(std::string const& key, bool ctrl, Loop& loop)
{
    // Not while a finger or a dialog holds the input.
    if (touch.down() || menu.showing() || loop.closing())
        return;
    if (!type_key(loop, key, ctrl))
        std::cerr << "libinkview: no key for '" << (ctrl ? "ctrl+" : "") << key << "' on any keyboard" << std::endl;
}

void Window_Source::deliver(std::vector<Touch_Event> const& events, Loop& loop)
{
    for (auto const& e : events) {
        if (e.type == EVT_MTSYNC) {
            int const container = set_touch_points(e.points[0].x, e.points[0].y, e.points[1].x, e.points[1].y, e.par2);
            loop.dispatch(e.type, container, e.par2);
            continue;
        }
        loop.dispatch(e.type, e.par1, e.par2);
        if (e.type == EVT_POINTERUP)
            clear_touch_points();
    }
}

void Window_Source::deliver(std::vector<Key_Event> const& events, Loop& loop)
{
    for (auto const& e : events)
        loop.dispatch(e.type, e.code, e.value);
}

Rect Window_Source::picture() const
{
    int w = 1, h = 1;
    SDL_GetWindowSize(window, &w, &h);
    return fit_picture(screen().width, screen().height, w, h);
}

std::optional<Point> Window_Source::on_picture(int x, int y) const
{
    return screen_point(picture(), screen().width, screen().height, x, y);
}

Point Window_Source::clamped(int x, int y) const
{
    return screen_point_clamped(picture(), screen().width, screen().height, x, y);
}

}

std::unique_ptr<Event_Source> open_window()
{
    if (!display_named())
        return nullptr;
    // The loop watches SIGINT and SIGTERM itself; a click that focuses the
    // window is a touch too.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    auto const give_up = [](char const* what) -> std::unique_ptr<Event_Source> {
        std::cerr << "libinkview: no window (" << what << ": " << SDL_GetError() << "); running without input"
                  << std::endl;
        SDL_Quit();
        return nullptr;
    };
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
        return give_up("SDL_Init");
    auto const [desk_width, desk_height] = desk_size(nullptr);
    auto const [w, h] = window_size(screen().width, screen().height, desk_width, desk_height);
    SDL_Window* window = SDL_CreateWindow("Tarn", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, w, h,
                                          SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
    if (!window)
        return give_up("SDL_CreateWindow");
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, 0);
    if (!renderer)
        renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer) {
        SDL_DestroyWindow(window);
        return give_up("SDL_CreateRenderer");
    }
    return std::make_unique<Window_Source>(window, renderer);
}

}
