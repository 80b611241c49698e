// The text layer and the frames, keyed by origin so that entries come out
// sorted by y, then x, and a redraw at the same place replaces what was there.
#include "host/text_layer.h"

#include <climits>
#include <cstdint>
#include <map>
#include <utility>

namespace host::detail {

namespace {

struct Recorded {
    Text_Entry entry;
    std::uint64_t sequence;  // drawing order, for "most recently"
};

using Origin = std::pair<int, int>;  // (y, x)

struct Layer {
    std::map<Origin, Recorded> entries;
    std::map<Origin, Rect> frames;
    std::uint64_t next_sequence = 0;
};

Layer& layer()
{
    static Layer* l = new Layer;  // never destroyed, like the screen
    return *l;
}

bool contains(Rect const& area, int x, int y)
{
    return (long long)x >= area.x && (long long)x < (long long)area.x + area.width && (long long)y >= area.y &&
           (long long)y < (long long)area.y + area.height;
}

// Only the rows of the area are looked at: the terminal fills one cell at a time.
template <typename Value>
void forget_under(std::map<Origin, Value>& entries, Rect const& area)
{
    long long const bottom = (long long)area.y + area.height - 1;
    auto it = entries.lower_bound({area.y, INT_MIN});
    while (it != entries.end() && it->first.first <= bottom) {
        if (contains(area, it->first.second, it->first.first))
            it = entries.erase(it);
        else
            ++it;
    }
}

}

void record_text(Text_Entry entry)
{
    Layer& l = layer();
    std::pair<int, int> const origin{entry.area.y, entry.area.x};
    l.entries[origin] = Recorded{std::move(entry), l.next_sequence++};
}

void record_frame(Rect const& frame) { layer().frames[{frame.y, frame.x}] = frame; }

void forget_text_under(Rect const& area)
{
    if (area.width <= 0 || area.height <= 0)
        return;
    forget_under(layer().entries, area);
    forget_under(layer().frames, area);
}

void forget_all_text()
{
    layer().entries.clear();
    layer().frames.clear();
}

std::vector<Rect> frames()
{
    std::vector<Rect> result;
    for (auto const& [origin, frame] : layer().frames)
        result.push_back(frame);
    return result;
}

bool text_rect_at(int x, int y)
{
    auto const found = layer().entries.find({y, x});
    return found != layer().entries.end() && found->second.entry.kind == Text_Entry::rect;
}

std::optional<Rect> last_text_rect(std::string const& text)
{
    Recorded const* best = nullptr;
    for (auto const& [origin, recorded] : layer().entries) {
        if (recorded.entry.kind == Text_Entry::rect && recorded.entry.text == text &&
            (!best || recorded.sequence > best->sequence))
            best = &recorded;
    }
    if (!best)
        return std::nullopt;
    return best->entry.area;
}

}

namespace host {

std::vector<Text_Entry> text_layer()
{
    std::vector<Text_Entry> result;
    for (auto const& [origin, recorded] : detail::layer().entries)
        result.push_back(recorded.entry);
    return result;
}

}
