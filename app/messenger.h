// Messenger: owns every component, routes the platform's events to them and
// carries the messages and requests by which they talk. Components never call
// each other; this class alone knows which one does what.
#pragma once

#include <memory>
#include <string>

#include "app/messages.h"
#include "platform/inkview.h"
#include "platform/platform_library.h"

class Keyboard_Handler;
class Display;
class Editor;
class Pointer_Handler;
class Menu_Handler;
class Rotation_Handler;
class Button_Handler;
class Fast_Typing;

class Messenger {
public:
    Messenger(int argc, char** argv);
    ~Messenger();
    Messenger(Messenger const&) = delete;
    Messenger& operator=(Messenger const&) = delete;

    void send(message::New_Text const&);
    void send(message::Reply const&);
    void send(message::Keyboard_Pressed const&);
    void send(message::Keyboard_Released const&);
    void send(message::Keyboard_Cancelled const&);
    void send(message::Change_Keyboard const&);
    void send(message::Set_Keyboard const&);
    void send(message::Show_Menu const&);
    void send(message::Show_Rotate_Box const&);
    void send(message::Suspend_Display const&);
    void send(message::Close const&);
    void send(message::Refresh_Screen const&);
    void send(message::Change_Font_Size const&);
    void send(message::Set_Orientation const&);
    void send(message::Change_Touch_Mode const&);
    void send(message::Set_Touch_Mode const&);
    void send(message::Typing_Refresh const&);
    void send(message::Toggle_Fast_Typing const&);

    request::Handle_Event& send(request::Handle_Event&);
    request::Get_Text& send(request::Get_Text&);
    request::Get_Char_Size& send(request::Get_Char_Size&);
    request::Can_Toggle_Touch_State& send(request::Can_Toggle_Touch_State&);
    request::Get_Touch_State& send(request::Get_Touch_State&);
    request::Keyboard_Names& send(request::Keyboard_Names&);
    request::Current_Keyboard_Name& send(request::Current_Keyboard_Name&);
    request::Key_Modes& send(request::Key_Modes&);
    request::Fast_Typing_State& send(request::Fast_Typing_State&);

    // The platform's optional functions, read by the layouts of the library
    // in front of the program (platform/platform_library.h): the size of
    // the menu, false when the platform cannot tell; the first two points of
    // a multi-touch event (its two parameters), false when there are none.
    bool menu_rect(imenu* menu, Rect& rect);
    bool touch_points(int container, int count, Touch_Points& points);
    // A full refresh of the panel; SoftUpdate() where the platform has none.
    // Either clears the traces of fast typing.
    void FullUpdate();

private:
    void check_for_mouse_support();
    void load_unsupported_functions();
    int route(request::Handle_Event const& event);
    void show_screen();
    void repaint();

    std::unique_ptr<Fast_Typing> fast_typing;
    std::unique_ptr<Keyboard_Handler> keyboard_handler;
    std::unique_ptr<Display> display;
    std::unique_ptr<Editor> editor;
    std::unique_ptr<Pointer_Handler> pointer_handler;
    std::unique_ptr<Menu_Handler> menu_handler;
    std::unique_ptr<Rotation_Handler> rotation_handler;
    std::unique_ptr<Button_Handler> button_handler;
    bool closing = false;
    int font_step = 1;
    Platform_Library platform_library;
    int start_orientation;
    int current_orientation;
    bool mouse_supported = false;
    std::string text;
};
