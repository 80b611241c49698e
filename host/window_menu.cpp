// Menus drawn on the overlay and answered from clicks. The program's item
// records are read while the menu is open, as the device does; the answer is
// given after the drawing is gone, so that its handler may open the next one.
#include "host/window_menu.h"

#include "host/dialogs.h"
#include "host/menu_layout.h"
#include "host/screen.h"

namespace host::detail {

namespace {

// Monospaced at the size whose advance is the layout's character width.
char const* const menu_font = "DejaVuSansMono";
int constexpr menu_font_size = 20;
int constexpr border = 2;

unsigned char constexpr black = 0, white = 255, inactive_grey = 150, opened_grey = 215, rule_grey = 190;

char const* const orientation_names[4] = {"Portrait", "Landscape 90\u00B0", "Landscape 270\u00B0",
                                          "Portrait 180\u00B0"};

}

Window_Menu::Window_Menu() : font(OpenFont(menu_font, menu_font_size, 1)) {}

Window_Menu::~Window_Menu() { CloseFont(font); }

void Window_Menu::sync()
{
    Screen const& s = screen();
    bool const reshaped = layer.width() != s.width || layer.height() != s.height;
    if (reshaped)
        layer.resize(s.width, s.height);
    if (host::menu_open()) {
        Open_Menu const& now = host::open_menu();
        bool const same = kind == Kind::menu && now.items == shown.items && now.x == shown.x && now.y == shown.y &&
                          now.handler == shown.handler;
        if (same && !reshaped)
            return;
        shown = now;
        open(Kind::menu, now.items, place_menu(now.items, now.x, now.y, s.width, s.height));
        return;
    }
    if (host::rotate_box_open()) {
        if (kind == Kind::chooser && !reshaped)
            return;
        for (int o = 0; o < 4; ++o)
            chooser[o] = {short(o == s.orientation ? ITEM_BULLET : ITEM_ACTIVE), short(o),
                          const_cast<char*>(orientation_names[o]), nullptr};
        chooser[4] = {0, 0, nullptr, nullptr};
        Rect const size = menu_size(chooser.data());
        open(Kind::chooser, chooser.data(),
             place_menu(chooser.data(), (s.width - size.width) / 2, (s.height - size.height) / 2, s.width, s.height));
        return;
    }
    if (kind != Kind::none)
        close();
}

void Window_Menu::open(Kind k, imenu* items, Rect area)
{
    kind = k;
    panels.assign(1, Panel{items, menu_item_count(items), area});
    pressed = {};
    highlighted = false;
    draw();
}

void Window_Menu::close()
{
    kind = Kind::none;
    shown = {};
    panels.clear();
    pressed = {};
    highlighted = false;
    layer.clear();
}

Window_Menu::Spot Window_Menu::spot_at(Point p) const
{
    // The newest panel lies on top.
    for (int i = int(panels.size()) - 1; i >= 0; --i) {
        int const position = menu_item_at(panels[i].area, panels[i].count, p.x, p.y);
        if (position >= 0)
            return {i, position};
    }
    return {};
}

void Window_Menu::press(Point p)
{
    if (!showing())
        return;
    Spot const s = spot_at(p);
    if (s.panel < 0) {
        dismiss();
        return;
    }
    if (!menu_item_selectable(panels[s.panel].items[s.position]))
        return;
    pressed = s;
    highlighted = true;
    draw();
}

void Window_Menu::move(Point p)
{
    if (pressed.panel < 0)
        return;
    bool const over = spot_at(p) == pressed;
    // The mark follows the finger off the item and back, as on a touch screen.
    if (over != highlighted) {
        highlighted = over;
        draw();
    }
}

void Window_Menu::release(Point p)
{
    Spot const s = pressed;
    pressed = {};
    highlighted = false;
    if (s.panel < 0)
        return;
    if (spot_at(p) == s)
        choose(s);
    else
        draw();
}

void Window_Menu::choose(Spot s)
{
    imenu const& item = panels[s.panel].items[s.position];
    if (item.type == ITEM_SUBMENU) {
        Screen const& screen_now = screen();
        panels.resize(s.panel + 1);
        panels[s.panel].opened = s.position;
        if (item.submenu && menu_item_count(item.submenu) > 0)
            panels.push_back(Panel{item.submenu, menu_item_count(item.submenu),
                                   place_submenu(panels[s.panel].area, s.position, item.submenu, screen_now.width,
                                                 screen_now.height)});
        draw();
        return;
    }
    Kind const was = kind;
    int const index = item.index;
    close();
    if (was == Kind::menu)
        host::answer_menu(index);
    else
        host::answer_rotate_box(index);
}

void Window_Menu::dismiss()
{
    Kind const was = kind;
    close();
    if (was == Kind::menu)
        host::answer_menu(-1);
    else if (was == Kind::chooser)
        dismiss_rotate_box();
}

void Window_Menu::draw()
{
    layer.clear();
    for (int i = 0; i < int(panels.size()); ++i)
        draw_panel(panels[i], pressed.panel == i && highlighted ? pressed.position : -1);
}

void Window_Menu::draw_panel(Panel const& panel, int pressed_position)
{
    Rect const& a = panel.area;
    layer.fill(a, white);
    int const text_top = font ? (menu_row_height - font->height) / 2 : 0;
    for (int i = 0; i < panel.count; ++i) {
        imenu const& item = panel.items[i];
        Rect const row = menu_row(a, i);
        unsigned char ink = item.type == ITEM_INACTIVE ? inactive_grey : black;
        if (i == pressed_position) {
            layer.fill(row, black);
            ink = white;
        } else if (i == panel.opened) {
            layer.fill(row, opened_grey);
        }
        if (i > 0)
            layer.fill({row.x + border, row.y, row.width - 2 * border, 1}, rule_grey);
        int const middle = row.y + menu_row_height / 2;
        if (item.type == ITEM_BULLET)
            layer.disc(row.x + menu_padding / 2 + 1, middle, 4, ink);
        if (item.type == ITEM_SUBMENU)
            layer.arrow(row.x + row.width - menu_padding / 2, middle, 5, ink);
        if (item.text && font)
            layer.text(font, row.x + menu_padding, row.y + text_top + font->baseline, item.text, ink,
                       {row.x + menu_padding, row.y, row.width - 2 * menu_padding, row.height});
    }
    layer.frame(a, border, black);
}

}
