// The Messenger's construction, teardown, event routing and its catalogue of
// messages and requests: the one place that knows which component does what.
#include "app/messenger.h"

#include <csignal>
#include <cstring>

#include "app/tarn_exception.h"
#include "config/config.h"
#include "editor/editor.h"
#include "input/button_handler.h"
#include "input/menu_handler.h"
#include "input/pointer_handler.h"
#include "input/rotation_handler.h"
#include "keyboard/keyboard_handler.h"
#include "platform/fast_typing.h"
#include "terminal/display.h"

namespace {

// Each SIGUSR2 flips whether the editor accepts mouse reports; the event path
// reads the count's lowest bit.
volatile std::sig_atomic_t usr2_count = 0;

void on_usr2(int) { usr2_count = usr2_count + 1; }

}

Messenger::Messenger(int argc, char** argv)
    : start_orientation(GetOrientation()), current_orientation(start_orientation)
{
    struct sigaction action;
    std::memset(&action, 0, sizeof action);
    action.sa_handler = on_usr2;
    sigemptyset(&action.sa_mask);
    if (sigaction(SIGUSR2, &action, nullptr) != 0)
        throw Tarn_Exception("Can't install signal handler");

    load_unsupported_functions();

    Config const config;
    font_step = config.font_step;
    fast_typing = std::make_unique<Fast_Typing>(platform_library, config.fast_typing != 0, config.fast_typing_pause);

    OpenScreen();
    SetOrientation(config.orientation);
    current_orientation = config.orientation;

    keyboard_handler = std::make_unique<Keyboard_Handler>(*this, config);
    int const keyboard_band = keyboard_handler->keyboard_height() + 2;
    display = std::make_unique<Display>(*this, config, keyboard_band);
    editor = std::make_unique<Editor>(*this, config, display->column_count(), display->row_count(), argc, argv);
    pointer_handler = std::make_unique<Pointer_Handler>(*this, ScreenWidth(), ScreenHeight(), keyboard_band);
    menu_handler = std::make_unique<Menu_Handler>(*this);
    rotation_handler = std::make_unique<Rotation_Handler>(*this);
    button_handler = std::make_unique<Button_Handler>(*this, config.orientation);
}

Messenger::~Messenger()
{
    rotation_handler.reset();
    menu_handler.reset();
    pointer_handler.reset();
    editor.reset();
    display.reset();
    keyboard_handler.reset();
    button_handler.reset();
    fast_typing.reset();
    platform_library.close();
    if (current_orientation != start_orientation)
        SetOrientation(start_orientation);
}

// Once, here, the optional functions are looked up and the layouts of the
// library's records found; every component sees the program's own types.
void Messenger::load_unsupported_functions() { platform_library.load(); }

void Messenger::check_for_mouse_support()
{
    bool const requested = usr2_count % 2 == 1;
    if (mouse_supported && !requested) {
        mouse_supported = false;
        usr2_count = 0;
        pointer_handler->mouse_mode_change(false);
    } else if (!mouse_supported && requested) {
        mouse_supported = true;
        usr2_count = 1;
    }
}

request::Handle_Event& Messenger::send(request::Handle_Event& event)
{
    if (closing) {
        event.result = 0;
        return event;
    }
    check_for_mouse_support();
    event.result = route(event);
    return event;
}

int Messenger::route(request::Handle_Event const& event)
{
    switch (event.event) {
    case EVT_SHOW:
        // The platform had the screen meanwhile, so a touch begun before is
        // over; on the earliest library this is all that tells of a touch the
        // system took over.
        pointer_handler->cancel_touch();
        show_screen();
        return 1;
    case 25: case 26: case 27: case 28:
        display->wake();
        return button_handler->handle(event.event, event.par1, event.par2);
    // 40 to 42 and 47 to 49, the touch reports and key events some
    // generations add, are not routed: they would only repeat these.
    case 29: case 30: case 31: case 34: case 35: case 39: case 44: case 45:
        display->wake();
        return pointer_handler->handle(event.event, event.par1, event.par2);
    default:
        return 0;
    }
}

void Messenger::show_screen()
{
    repaint();
    SoftUpdate();
    fast_typing->forget();
    display->check();
}

// The whole screen again from what the display and the keyboard hold: the
// editor's text and cursor stay, since the child may not redraw. The caller
// refreshes the panel.
void Messenger::repaint()
{
    ClearScreen();
    display->redraw();
    keyboard_handler->draw();
}

bool Messenger::menu_rect(imenu* menu, Rect& rect) { return platform_library.menu_rect(menu, rect); }

void Messenger::FullUpdate()
{
    if (!platform_library.full_update())
        SoftUpdate();
    fast_typing->forget();
}

bool Messenger::touch_points(int container, int count, Touch_Points& points)
{
    return platform_library.touch_points(container, count, points);
}

void Messenger::send(message::New_Text const& m)
{
    editor->write(m.text);
    display->input_sent();
    display->check();
}

void Messenger::send(message::Reply const& m) { editor->reply(m.text); }

void Messenger::send(message::Keyboard_Pressed const& m) { keyboard_handler->press(m.x, m.y); }

void Messenger::send(message::Keyboard_Released const&) { keyboard_handler->release(); }

void Messenger::send(message::Keyboard_Cancelled const&) { keyboard_handler->cancel(); }

void Messenger::send(message::Change_Keyboard const&) { keyboard_handler->change_keyboard(1); }

void Messenger::send(message::Set_Keyboard const& m) { keyboard_handler->set_keyboard(m.index); }

void Messenger::send(message::Show_Menu const& m) { menu_handler->show(m.x, m.y); }

void Messenger::send(message::Show_Rotate_Box const&) { rotation_handler->show(); }

void Messenger::send(message::Suspend_Display const& m)
{
    if (m.suspend) {
        display->stop_timer();
    } else {
        display->wake();
        display->start_timer();
    }
}

void Messenger::send(message::Close const&)
{
    closing = true;
    CloseApp();
}

// Against the ghosting that partial updates leave on e-ink.
void Messenger::send(message::Refresh_Screen const&)
{
    repaint();
    FullUpdate();
}

void Messenger::send(message::Change_Font_Size const& m)
{
    display->change_font_size(font_step * m.steps);
    pointer_handler->font_size_changed();
    editor->size_changed(display->column_count(), display->row_count());
}

void Messenger::send(message::Set_Orientation const& m)
{
    ClearScreen();
    SetOrientation(m.orientation);
    current_orientation = m.orientation;
    fast_typing->screen_turned();
    display->screen_dimensions_changed();
    keyboard_handler->screen_dimensions_changed();
    pointer_handler->screen_dimensions_changed();
    editor->size_changed(display->column_count(), display->row_count());
    button_handler->set_orientation(m.orientation);
}

void Messenger::send(message::Change_Touch_Mode const&)
{
    if (mouse_supported)
        pointer_handler->mouse_mode_change(!pointer_handler->in_mouse_mode());
}

void Messenger::send(message::Set_Touch_Mode const& m)
{
    if (mouse_supported)
        pointer_handler->mouse_mode_change(m.mode != 0);
}

void Messenger::send(message::Typing_Refresh const& m) { fast_typing->refresh(m.area, m.anti_aliased); }

void Messenger::send(message::Toggle_Fast_Typing const&) { fast_typing->set_on(!fast_typing->on()); }

request::Get_Text& Messenger::send(request::Get_Text& r)
{
    editor->read(text);
    r.text = &text;
    return r;
}

request::Get_Char_Size& Messenger::send(request::Get_Char_Size& r)
{
    display->char_size(r.width, r.height);
    return r;
}

request::Can_Toggle_Touch_State& Messenger::send(request::Can_Toggle_Touch_State& r)
{
    r.answer = mouse_supported;
    return r;
}

request::Get_Touch_State& Messenger::send(request::Get_Touch_State& r)
{
    r.state = pointer_handler->in_mouse_mode() ? 1 : 0;
    return r;
}

request::Keyboard_Names& Messenger::send(request::Keyboard_Names& r)
{
    r.names = keyboard_handler->keyboard_names();
    return r;
}

request::Current_Keyboard_Name& Messenger::send(request::Current_Keyboard_Name& r)
{
    r.name = keyboard_handler->current_keyboard_name();
    return r;
}

request::Key_Modes& Messenger::send(request::Key_Modes& r)
{
    r.modes = display->terminal_modes();
    return r;
}

request::Fast_Typing_State& Messenger::send(request::Fast_Typing_State& r)
{
    r.offered = fast_typing->offered();
    r.on = fast_typing->on();
    return r;
}
