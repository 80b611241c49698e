// The recording Messenger behind fake_messenger.h: it replaces the real one
// at link time, so the components under test are the program's own code.
#include "tests/support/fake_messenger.h"

#include "app/tarn_exception.h"
#include "editor/editor.h"
#include "input/button_handler.h"
#include "input/menu_handler.h"
#include "input/pointer_handler.h"
#include "input/rotation_handler.h"
#include "keyboard/keyboard_handler.h"
#include "platform/fast_typing.h"
#include "platform/inkview_utils.h"
#include "terminal/display.h"

namespace fake {

namespace {

Messenger_Log the_log;

void record(std::string const& sent)
{
    the_log.sent.push_back(sent);
    if (!the_log.fail_on.empty() && sent.compare(0, the_log.fail_on.size(), the_log.fail_on) == 0)
        throw Tarn_Exception(sent + " failed");
}

}

Messenger_Log& log() { return the_log; }
void reset() { the_log = Messenger_Log(); }

std::string Messenger_Log::all_text() const
{
    std::string all;
    for (auto const& t : texts)
        all += t;
    return all;
}

}

using fake::record;
using fake::the_log;

Messenger::Messenger(int, char**) : start_orientation(0), current_orientation(0) {}
Messenger::~Messenger() = default;

void Messenger::send(message::New_Text const& m)
{
    record("New_Text");
    the_log.texts.push_back(m.text);
}
void Messenger::send(message::Reply const& m)
{
    record("Reply");
    the_log.replies += m.text;
}
void Messenger::send(message::Keyboard_Pressed const& m)
{
    record("Keyboard_Pressed");
    the_log.keyboard_presses.emplace_back(m.x, m.y);
}
void Messenger::send(message::Keyboard_Released const&)
{
    record("Keyboard_Released");
    ++the_log.keyboard_releases;
}
void Messenger::send(message::Keyboard_Cancelled const&)
{
    record("Keyboard_Cancelled");
    ++the_log.keyboard_cancels;
}
void Messenger::send(message::Change_Keyboard const&)
{
    record("Change_Keyboard");
    ++the_log.keyboard_changes;
}
void Messenger::send(message::Set_Keyboard const& m)
{
    record("Set_Keyboard(" + std::to_string(m.index) + ")");
    the_log.keyboard_sets.push_back(m.index);
}
void Messenger::send(message::Show_Menu const& m)
{
    record("Show_Menu");
    the_log.menus_shown.emplace_back(m.x, m.y);
}
void Messenger::send(message::Show_Rotate_Box const&)
{
    record("Show_Rotate_Box");
    ++the_log.rotate_boxes;
}
void Messenger::send(message::Suspend_Display const& m)
{
    record(std::string("Suspend_Display(") + (m.suspend ? "1" : "0") + ")");
    the_log.suspends.push_back(m.suspend);
}
void Messenger::send(message::Close const&)
{
    record("Close");
    ++the_log.closes;
}
void Messenger::send(message::Refresh_Screen const&)
{
    the_log.sent.push_back("Refresh_Screen");
}
void Messenger::send(message::Change_Font_Size const& m)
{
    record("Change_Font_Size(" + std::to_string(m.steps) + ")");
    the_log.font_size_steps.push_back(m.steps);
}
void Messenger::send(message::Set_Orientation const& m)
{
    record("Set_Orientation(" + std::to_string(m.orientation) + ")");
    the_log.orientations.push_back(m.orientation);
}
void Messenger::send(message::Change_Touch_Mode const&)
{
    record("Change_Touch_Mode");
    ++the_log.touch_mode_changes;
}
void Messenger::send(message::Set_Touch_Mode const& m)
{
    record("Set_Touch_Mode(" + std::to_string(m.mode) + ")");
    the_log.touch_modes.push_back(m.mode);
}
// Refreshed as the real Messenger does outside fast typing; the update log
// records it.
void Messenger::send(message::Typing_Refresh const& m) { Inkview_Utils::PartialUpdateR(m.area); }
void Messenger::send(message::Toggle_Fast_Typing const&) { record("Toggle_Fast_Typing"); }

request::Handle_Event& Messenger::send(request::Handle_Event& r)
{
    record("Handle_Event");
    return r;
}
request::Get_Text& Messenger::send(request::Get_Text& r)
{
    record("Get_Text");
    if (the_log.on_get_text)
        the_log.on_get_text(the_log.text);
    r.text = &the_log.text;
    return r;
}
request::Get_Char_Size& Messenger::send(request::Get_Char_Size& r)
{
    record("Get_Char_Size");
    r.width = the_log.char_width;
    r.height = the_log.line_height;
    return r;
}
request::Can_Toggle_Touch_State& Messenger::send(request::Can_Toggle_Touch_State& r)
{
    record("Can_Toggle_Touch_State");
    r.answer = the_log.can_toggle_touch;
    return r;
}
request::Get_Touch_State& Messenger::send(request::Get_Touch_State& r)
{
    record("Get_Touch_State");
    r.state = the_log.touch_state;
    return r;
}
request::Keyboard_Names& Messenger::send(request::Keyboard_Names& r)
{
    record("Keyboard_Names");
    r.names = the_log.keyboard_names;
    return r;
}
request::Key_Modes& Messenger::send(request::Key_Modes& r)
{
    record("Key_Modes");
    r.modes = the_log.key_modes;
    return r;
}
request::Fast_Typing_State& Messenger::send(request::Fast_Typing_State& r)
{
    record("Fast_Typing_State");
    r.offered = the_log.fast_typing_offered;
    r.on = the_log.fast_typing_on;
    return r;
}
request::Current_Keyboard_Name& Messenger::send(request::Current_Keyboard_Name& r)
{
    record("Current_Keyboard_Name");
    r.name = the_log.current_keyboard;
    return r;
}

bool Messenger::menu_rect(imenu*, Rect& rect)
{
    if (!the_log.has_menu_rect)
        return false;
    rect = the_log.menu_rect;
    return true;
}
// As on a platform without the function: the log tells the two apart.
void Messenger::FullUpdate()
{
    the_log.sent.push_back("FullUpdate");
    SoftUpdate();
}
bool Messenger::touch_points(int container, int count, Touch_Points& points)
{
    the_log.touch_request = {container, count};
    if (!the_log.has_touch_info)
        return false;
    points = the_log.touch_points;
    return true;
}
