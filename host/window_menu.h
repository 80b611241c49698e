// The menu and the orientation chooser in the window: drawn by the stand-in
// on the overlay, with submenus, marked and inactive items, and clicked by the
// user. A chosen item answers the program; a click beside them dismisses.
#pragma once

#include <array>
#include <vector>

#include "host/host.h"
#include "host/window_geometry.h"
#include "host/window_overlay.h"

namespace host::detail {

class Window_Menu {
public:
    Window_Menu();
    ~Window_Menu();
    Window_Menu(Window_Menu const&) = delete;
    Window_Menu& operator=(Window_Menu const&) = delete;

    // Follows the program: a dialog opened or closed, the screen turned.
    void sync();
    bool showing() const { return kind != Kind::none; }
    Overlay const& overlay() const { return layer; }

    // A click in screen coordinates: pressing marks an item, releasing on
    // the same item chooses it. A press beside every open panel dismisses.
    void press(Point p);
    void move(Point p);
    void release(Point p);
    // The menu answers -1, the chooser nothing.
    void dismiss();

private:
    enum class Kind { none, menu, chooser };
    struct Panel {
        imenu* items;
        int count;
        Rect area;
        int opened = -1;  // position of the item whose submenu is open
    };
    struct Spot {
        int panel = -1, position = -1;
        bool operator==(Spot const& o) const { return panel == o.panel && position == o.position; }
    };

    Spot spot_at(Point p) const;
    void open(Kind k, imenu* items, Rect area);
    void choose(Spot s);
    void close();
    void draw();
    void draw_panel(Panel const& panel, int pressed_position);

    Kind kind = Kind::none;
    Open_Menu shown{};
    std::vector<Panel> panels;
    Spot pressed;
    bool highlighted = false;  // the finger is still on the pressed item
    Overlay layer;
    ifont* font = nullptr;
    std::array<imenu, 5> chooser{};
};

}
