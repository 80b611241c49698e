// Menu_Handler: the application menu, rebuilt before each showing, and its
// answers turned into messages.
#pragma once

#include <string>
#include <vector>

#include "input/submenu.h"
#include "platform/inkview.h"

class Messenger;

class Menu_Handler {
public:
    explicit Menu_Handler(Messenger& messenger);
    ~Menu_Handler();
    Menu_Handler(Menu_Handler const&) = delete;
    Menu_Handler& operator=(Menu_Handler const&) = delete;

    void show(int x, int y);

    // The platform calls back a plain function; it reaches the one instance here.
    static Menu_Handler* s_handling_menu;
    static void static_menu_handler(int index);

private:
    void prepare_submenus();
    Submenu touch_submenu();
    Submenu keyboard_submenu(int first);
    void menu_handler(int index);
    void submenu_command(int index);
    void clear_submenus();

    Messenger& messenger;
    std::vector<imenu> items;
    std::vector<Submenu> submenus;
    // The keyboard items point into these texts until the platform calls back.
    std::vector<std::string> keyboard_names;
};
