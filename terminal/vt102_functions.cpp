// The control functions a sequence names, as a VT102 carries them out on the
// Display: cursor moves, edits, modes, renditions, the reset, and the reports
// answered to the child.
#include <algorithm>
#include <string>

#include "terminal/display.h"
#include "terminal/vt102.h"

namespace {

// What a VT102 answers to DA and DECID: "I am a VT102".
char const device_attributes[] = "\x1b[?6c";

// A count of 0 moves, inserts or deletes one, as a missing count does.
int count(Control_Sequence const& s) { return std::max(s.parameter(0, 1), 1); }

}

void VT102::execute(Control_Function function, Control_Sequence const& s)
{
    using F = Control_Function;
    switch (function) {
    case F::DECSC:
        saved = Saved{display->saved_cursor(), character_sets};
        break;
    case F::DECRC:
        display->restore_cursor(saved.cursor);
        character_sets = saved.character_sets;
        break;
    case F::IND:
        changed += display->index();
        break;
    case F::NEL:
        changed += display->index();
        display->carriage_return();
        break;
    case F::RI:
        changed += display->reverse_index();
        break;
    case F::HTS:
        display->set_tab_stop();
        break;
    case F::TBC:
        if (s.parameter(0, 0) == 0)
            display->clear_tab_stop();
        else if (s.parameter(0, 0) == 3)
            display->clear_tab_stops();
        break;
    case F::RIS:
        reset();
        break;
    case F::SCS_G0:
    case F::SCS_G1:
        character_sets.designate(function == F::SCS_G0 ? 0 : 1, Character_Sets::named(s.final_byte));
        break;
    case F::DECALN:
        changed += display->alignment_pattern();
        break;
    case F::DCS:
    case F::SOS:
    case F::PM:
    case F::APC:
        control_string = String::until_st;
        break;
    case F::OSC:
        control_string = String::until_st_or_bel;
        break;
    case F::ICH:
        changed += display->insert_blanks(count(s));
        break;
    case F::CUU:
        display->cursor_up(count(s));
        break;
    case F::CUD:
    case F::VPR:
        display->cursor_down(count(s));
        break;
    case F::CUF:
    case F::HPR:
        display->cursor_forward(count(s));
        break;
    case F::CUB:
        display->cursor_backward(count(s));
        break;
    case F::CNL:
        display->cursor_down(count(s));
        display->carriage_return();
        break;
    case F::CPL:
        display->cursor_up(count(s));
        display->carriage_return();
        break;
    case F::CHA:
    case F::HPA:
        display->cursor_to_column(s.parameter(0, 1) - 1);
        break;
    case F::VPA:
        display->cursor_to_row(s.parameter(0, 1) - 1);
        break;
    case F::CUP:
    case F::HVP:
        display->cursor_to(s.parameter(1, 1) - 1, s.parameter(0, 1) - 1);
        break;
    case F::ED:
    case F::EL:
        erase(function, s.parameter(0, 0));
        break;
    case F::IL:
        changed += display->insert_lines(count(s));
        break;
    case F::DL:
        changed += display->delete_lines(count(s));
        break;
    case F::DCH:
        changed += display->delete_chars(count(s));
        break;
    case F::ECH:
        changed += display->erase_chars(count(s));
        break;
    case F::SU:
        changed += display->scroll_up(count(s));
        break;
    case F::SD:
        changed += display->scroll_down(count(s));
        break;
    case F::SM:
    case F::RM:
        set_modes(s, function == F::SM);
        break;
    case F::DECSET:
    case F::DECRST:
        set_private_modes(s, function == F::DECSET);
        break;
    case F::SGR:
        select_graphic_rendition(s);
        break;
    case F::DECSTBM: {
        // A top of 0 is the first row, a bottom of 0 or past the last row the last.
        int const rows = display->row_count();
        int bottom = s.parameter(1, rows);
        if (bottom <= 0 || bottom > rows)
            bottom = rows;
        display->set_scroll_region(std::max(s.parameter(0, 1), 1) - 1, bottom - 1);
        break;
    }
    case F::DA:
    case F::DECID:
    case F::DSR:
    case F::DECDSR:
    case F::DECREQTPARM:
        report(function, s.parameter(0, 0));
        break;
    default:
        // DECKPAM, DECKPNM, DECANM, ST, the G2 and G3 sets (which a VT102
        // cannot use), the double-size lines, MC and DECMC (there is no
        // printer), DECLL (no lamps), DECTST, and the requests of later
        // terminals, DA2 and DA3, which a VT102 does not answer: taken
        // without effect.
        break;
    }
}

void VT102::erase(Control_Function function, int selection)
{
    bool const line = function == Control_Function::EL;
    switch (selection) {
    case 0:
        changed += line ? display->clear_to_end_of_line() : display->clear_to_end_of_screen();
        break;
    case 1:
        changed += line ? display->clear_from_begin_of_line() : display->clear_from_begin_of_screen();
        break;
    case 2:
        changed += line ? display->clear_line() : display->clear_screen();
        break;
    default:
        break;
    }
}

// SM and RM: IRM and LNM; a VT102 ignores the modes it does not have.
void VT102::set_modes(Control_Sequence const& s, bool on)
{
    for (int i = 0; i < s.count; ++i) {
        if (s.parameters[i] == 4)
            display->set_insert_mode(on);
        else if (s.parameters[i] == 20)
            key_modes.new_line = on;
    }
}

// DECSET and DECRST. Modes without effect here (DECANM, DECSCLM, DECARM, and
// those of later terminals, such as a shell's bracketed paste) are taken
// without showing them.
void VT102::set_private_modes(Control_Sequence const& s, bool on)
{
    for (int i = 0; i < s.count; ++i) {
        switch (s.parameters[i]) {
        case 1:  // DECCKM
            key_modes.cursor_keys_application = on;
            break;
        case 3:  // DECCOLM: the width stays, the screen is cleared as on a switch
            changed += display->clear_screen();
            display->reset_scroll_region();
            display->cursor_to(0, 0);
            break;
        case 5:  // DECSCNM
            display->set_screen_reversed(on);
            break;
        case 6:  // DECOM
            display->set_origin_mode(on);
            break;
        case 7:  // DECAWM
            display->set_auto_wrap(on);
            break;
        default:
            break;
        }
    }
}

// Underline is shown as italic; the renditions a VT102 does not have
// (colours among them) are ignored, as it ignores them.
void VT102::select_graphic_rendition(Control_Sequence const& s)
{
    if (s.count == 0)
        display->reset_attributes();
    for (int i = 0; i < s.count; ++i) {
        switch (s.parameter(i, 0)) {
        case 38:  // an extended colour: its arguments are no renditions of their own
        case 48:
            i += s.parameter(i + 1, 0) == 5 ? 2 : s.parameter(i + 1, 0) == 2 ? 4 : 0;
            break;
        case 0:
            display->reset_attributes();
            break;
        case 1:
            display->set_bold_mode(true);
            break;
        case 4:
            display->set_italic_mode(true);
            break;
        case 5:
            display->set_blink_mode(true);
            break;
        case 7:
            display->set_reverse_mode(true);
            break;
        case 22:
            display->set_bold_mode(false);
            break;
        case 24:
            display->set_italic_mode(false);
            break;
        case 25:
            display->set_blink_mode(false);
            break;
        case 27:
            display->set_reverse_mode(false);
            break;
        default:
            break;
        }
    }
}

// The answers of a VT102. DECREQTPARM: no parity, 8 bits, 9600 baud both
// ways, clock multiplier 1, no flags; solicited (2) or, once asked with 1,
// only on request (3).
void VT102::report(Control_Function function, int request)
{
    using F = Control_Function;
    switch (function) {
    case F::DA:
    case F::DECID:
        if (request == 0)
            display->reply(device_attributes);
        break;
    case F::DSR:
        if (request == 5) {
            display->reply("\x1b[0n");
        } else if (request == 6) {
            int column = 0;
            int row = 0;
            display->reported_position(column, row);
            display->reply("\x1b[" + std::to_string(row + 1) + ';' + std::to_string(column + 1) + 'R');
        }
        break;
    case F::DECDSR:
        if (request == 15)  // printer status: there is none
            display->reply("\x1b[?13n");
        break;
    case F::DECREQTPARM:
        if (request == 0 || request == 1)
            display->reply("\x1b[" + std::to_string(request + 2) + ";1;1;112;112;1;0x");
        break;
    default:
        break;
    }
}

// RIS: as at the start, the screen cleared.
void VT102::reset()
{
    character_sets = Character_Sets{};
    saved = Saved{};
    key_modes = Terminal_Modes{};
    changed += display->reset();
}
