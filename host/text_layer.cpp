// The text layer and the frames, keyed by origin so that entries come out
// sorted by y, then x, and a redraw at the same place replaces what was there
// unless it is marks alone, which join the text they are drawn over.
#include "host/text_layer.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <map>
#include <utility>

#include "host/utf8.h"

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

// Marks drawn by themselves over a string are drawn on its characters.
bool drawn_over(Text_Entry const& below, Text_Entry const& above)
{
    if (below.kind != Text_Entry::string || above.kind != Text_Entry::string)
        return false;
    char const* const end = above.text.data() + above.text.size();
    for (char const* p = above.text.data(); p < end;)
        if (!zero_width(next_code_point(p, end)))
            return false;
    return true;
}

}

void record_text(Text_Entry entry)
{
    Layer& l = layer();
    std::pair<int, int> const origin{entry.area.y, entry.area.x};
    auto const found = l.entries.find(origin);
    if (found != l.entries.end() && drawn_over(found->second.entry, entry)) {
        Text_Entry& below = found->second.entry;
        below.text += entry.text;
        below.area.width = std::max(below.area.width, entry.area.width);
        found->second.sequence = l.next_sequence++;
        return;
    }
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
