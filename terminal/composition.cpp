// Composition from tables generated out of Unicode's character database at
// build time (cmake/composition_table.cmake), both searched by halving, and
// Hangul syllables by their rule. The marks are put in canonical order
// first; a mark stays apart when one between it and its letter blocks it.
#include "terminal/composition.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace {

#include "composition_table.inc"

constexpr int field_bits = 21;
constexpr std::uint64_t field_mask = (std::uint64_t{1} << field_bits) - 1;
constexpr std::uint32_t last_code_point = 0x10FFFF;

// wchar_t is signed on some processors; values past Unicode find nothing.
std::uint32_t code_of(wchar_t c) { return static_cast<std::uint32_t>(c); }

int combining_class(wchar_t c)
{
    std::uint32_t const code = code_of(c);
    if (code > last_code_point)
        return 0;
    auto const* const after = std::upper_bound(std::begin(combining_classes), std::end(combining_classes), code << 8 | 0xFF);
    if (after == std::begin(combining_classes) || *(after - 1) >> 8 != code)
        return 0;
    return static_cast<int>(*(after - 1) & 0xFF);
}

// A leading consonant and a vowel make a syllable, which a trailing consonant may complete.
namespace hangul {
constexpr std::uint32_t syllable_base = 0xAC00, lead_base = 0x1100, vowel_base = 0x1161, trail_base = 0x11A7;
constexpr std::uint32_t lead_count = 19, vowel_count = 21, trail_count = 28;
constexpr std::uint32_t syllable_count = lead_count * vowel_count * trail_count;
}

// What first and second compose to; 0 for nothing.
wchar_t composite(wchar_t first_char, wchar_t second_char)
{
    using namespace hangul;
    std::uint32_t const first = code_of(first_char);
    std::uint32_t const second = code_of(second_char);
    if (first - lead_base < lead_count && second - vowel_base < vowel_count)
        return static_cast<wchar_t>(syllable_base + ((first - lead_base) * vowel_count + second - vowel_base) * trail_count);
    if (first - syllable_base < syllable_count && (first - syllable_base) % trail_count == 0 &&
        second - trail_base - 1 < trail_count - 1)
        return static_cast<wchar_t>(first + second - trail_base);
    if (first > last_code_point || second > last_code_point)
        return 0;
    std::uint64_t const pair = std::uint64_t{first} << field_bits | second;
    auto const* const found = std::lower_bound(std::begin(compositions), std::end(compositions), pair << field_bits);
    if (found == std::end(compositions) || *found >> field_bits != pair)
        return 0;
    return static_cast<wchar_t>(*found & field_mask);
}

// Each run of marks between two of class 0 sorted by class, keeping the
// order of marks of the same class.
void put_in_canonical_order(std::wstring& marks)
{
    auto const by_class = [](wchar_t a, wchar_t b) { return combining_class(a) < combining_class(b); };
    auto const unordered = [](wchar_t c) { return combining_class(c) == 0; };
    for (auto run = marks.begin(); run != marks.end();) {
        run = std::find_if_not(run, marks.end(), unordered);
        auto const run_end = std::find_if(run, marks.end(), unordered);
        if (!std::is_sorted(run, run_end, by_class))
            std::stable_sort(run, run_end, by_class);
        run = run_end;
    }
}

}

wchar_t compose(wchar_t letter, std::wstring const& marks, std::wstring& rest)
{
    rest = marks;
    put_in_canonical_order(rest);
    wchar_t composed = letter;
    // What the next mark may compose with: the letter (npos) or a kept mark of class 0.
    std::size_t starter = std::wstring::npos;
    // The class of the last mark kept after the starter, 0 for none; a
    // letter that is itself a mark takes nothing.
    int last_class = combining_class(letter) == 0 ? 0 : 256;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        wchar_t const mark = rest[i];
        int const mark_class = combining_class(mark);
        wchar_t& base = starter == std::wstring::npos ? composed : rest[starter];
        wchar_t const pair = composite(base, mark);
        if (pair != 0 && (last_class < mark_class || last_class == 0)) {
            base = pair;
            continue;
        }
        if (mark_class == 0)
            starter = kept;
        last_class = mark_class;
        rest[kept++] = mark;
    }
    rest.resize(kept);
    return composed;
}
