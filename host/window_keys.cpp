// Key repeat as a small state machine per held hardware key. The desktop's
// own key repeat is not used: the device's timing and numbering are wanted.
#include "host/window_keys.h"

#include <algorithm>

#include "platform/inkview.h"

namespace host::detail {

Key_Repeat::Key_Repeat(Clock::duration f, Clock::duration t) : first(f), then(t) {}

std::vector<Key_Event> Key_Repeat::press(int desktop_key, int code, Clock::time_point now)
{
    for (auto& key : keys) {
        if (key.code != code)
            continue;
        if (std::find(key.desktop_keys.begin(), key.desktop_keys.end(), desktop_key) == key.desktop_keys.end())
            key.desktop_keys.push_back(desktop_key);
        return {};  // already down: a second desktop key changes nothing
    }
    keys.push_back({code, {desktop_key}, 0, now + first});
    return {{EVT_KEYPRESS, code, 0}};
}

std::vector<Key_Event> Key_Repeat::release(int desktop_key, Clock::time_point now)
{
    std::vector<Key_Event> out;
    for (auto it = keys.begin(); it != keys.end(); ++it) {
        auto& holders = it->desktop_keys;
        auto const found = std::find(holders.begin(), holders.end(), desktop_key);
        if (found == holders.end())
            continue;
        holders.erase(found);
        if (holders.empty()) {
            repeat_until(*it, now, out);
            out.push_back({EVT_KEYRELEASE, it->code, it->repeats});
            keys.erase(it);
        }
        break;
    }
    return out;
}

std::vector<Key_Event> Key_Repeat::due(Clock::time_point now)
{
    std::vector<Key_Event> out;
    for (auto& key : keys)
        repeat_until(key, now, out);
    return out;
}

std::vector<Key_Event> Key_Repeat::release_all(Clock::time_point now)
{
    std::vector<Key_Event> out;
    for (auto& key : keys) {
        repeat_until(key, now, out);
        out.push_back({EVT_KEYRELEASE, key.code, key.repeats});
    }
    keys.clear();
    return out;
}

std::optional<Clock::time_point> Key_Repeat::next_due() const
{
    std::optional<Clock::time_point> earliest;
    for (auto const& key : keys)
        if (!earliest || key.next_repeat < *earliest)
            earliest = key.next_repeat;
    return earliest;
}

bool Key_Repeat::held(int code) const
{
    return std::any_of(keys.begin(), keys.end(), [code](Held const& k) { return k.code == code; });
}

void Key_Repeat::repeat_until(Held& key, Clock::time_point now, std::vector<Key_Event>& out) const
{
    // A loop that stalled (a suspended desktop) catches up a few repeats,
    // not a flood of them.
    int constexpr most_at_once = 20;
    for (int i = 0; key.next_repeat <= now; ++i) {
        if (i == most_at_once) {
            key.next_repeat = now + then;
            break;
        }
        out.push_back({EVT_KEYREPEAT, key.code, ++key.repeats});
        key.next_repeat += then;
    }
}

}
