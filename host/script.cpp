// The event-script parser: words split at blanks, numbers strict decimal
// integers checked against each command's range, text commands taking the
// rest of the line.
#include "host/script.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>

namespace host::script {

namespace {

struct Range {
    long low, high;
};
Range constexpr any{INT_MIN, INT_MAX};
Range constexpr not_negative{0, INT_MAX};

enum class Argument { numbers, rest_of_line, one_word };

struct Syntax {
    char const* word;
    Kind kind;
    Argument argument;
    std::size_t required;         // numbers that must be there
    std::vector<Range> ranges;    // one per number allowed
};

std::vector<Syntax> const& syntaxes()
{
    static std::vector<Syntax> const table{
        {"wait", Kind::wait, Argument::numbers, 1, {not_negative}},
        {"settle", Kind::settle, Argument::numbers, 0, {not_negative, not_negative}},
        {"show", Kind::show, Argument::numbers, 0, {}},
        {"press", Kind::press, Argument::numbers, 2, {any, any}},
        {"move", Kind::move, Argument::numbers, 2, {any, any}},
        {"release", Kind::release, Argument::numbers, 2, {any, any}},
        {"long", Kind::long_press, Argument::numbers, 2, {any, any}},
        {"tap", Kind::tap, Argument::numbers, 2, {any, any}},
        {"swipe", Kind::swipe, Argument::numbers, 4, {any, any, any, any, not_negative}},
        {"touch", Kind::touch, Argument::numbers, 5, {any, any, any, any, not_negative}},
        {"cancel", Kind::cancel, Argument::numbers, 0, {}},
        {"key", Kind::key, Argument::numbers, 1, {any, not_negative}},
        {"type", Kind::type, Argument::rest_of_line, 0, {}},
        {"tapkey", Kind::tapkey, Argument::rest_of_line, 0, {}},
        {"menu", Kind::menu, Argument::numbers, 1, {{-1, INT_MAX}}},
        {"rotate", Kind::rotate, Argument::numbers, 1, {{0, 3}}},
        {"usr2", Kind::usr2, Argument::numbers, 0, {}},
        {"snapshot", Kind::snapshot, Argument::one_word, 0, {}},
        {"check_panel", Kind::check_panel, Argument::numbers, 0, {}},
        {"window_size", Kind::window_size, Argument::one_word, 0, {}},
        {"descriptors", Kind::descriptors, Argument::one_word, 0, {}},
        {"updates", Kind::updates, Argument::one_word, 0, {}},
        {"quit", Kind::quit, Argument::numbers, 0, {}},
    };
    return table;
}

bool blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::vector<std::string> words(std::string const& line)
{
    std::vector<std::string> result;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && blank(line[i]))
            ++i;
        std::size_t const start = i;
        while (i < line.size() && !blank(line[i]))
            ++i;
        if (i > start)
            result.push_back(line.substr(start, i - start));
    }
    return result;
}

// What follows the command word, without the blanks around it.
std::string rest_after_word(std::string const& line)
{
    std::size_t start = 0;
    while (start < line.size() && blank(line[start]))
        ++start;
    while (start < line.size() && !blank(line[start]))
        ++start;
    while (start < line.size() && blank(line[start]))
        ++start;
    std::size_t end = line.size();
    while (end > start && blank(line[end - 1]))
        --end;
    return line.substr(start, end - start);
}

std::string count_wanted(Syntax const& s)
{
    std::size_t const most = s.ranges.size();
    if (s.required == most)
        return std::to_string(most) + (most == 1 ? " number" : " numbers");
    return std::to_string(s.required) + " to " + std::to_string(most) + " numbers";
}

Command parse_line(std::string const& line, int number, std::string const& script)
{
    std::vector<std::string> const w = words(line);
    Syntax const* syntax = nullptr;
    for (auto const& s : syntaxes())
        if (w[0] == s.word)
            syntax = &s;
    if (!syntax)
        throw error_at(script, number, "unknown command '" + w[0] + "'");

    Command command{syntax->kind, number, {}, {}};
    std::size_t const given = w.size() - 1;
    switch (syntax->argument) {
    case Argument::rest_of_line:
        command.text = rest_after_word(line);
        if (command.text.empty())
            throw error_at(script, number, "wrong argument count: '" + w[0] + "' needs text");
        return command;
    case Argument::one_word:
        if (given != 1)
            throw error_at(script, number, "wrong argument count: '" + w[0] + "' takes one name, got " +
                                               std::to_string(given));
        command.text = w[1];
        return command;
    case Argument::numbers:
        break;
    }
    if (given < syntax->required || given > syntax->ranges.size())
        throw error_at(script, number, "wrong argument count: '" + w[0] + "' takes " + count_wanted(*syntax) +
                                           ", got " + std::to_string(given));
    for (std::size_t i = 0; i < given; ++i) {
        std::string const& word = w[i + 1];
        char* end = nullptr;
        errno = 0;
        long const value = std::strtol(word.c_str(), &end, 10);
        if (*end != '\0' || errno == ERANGE)
            throw error_at(script, number, "bad number '" + word + "'");
        Range const range = syntax->ranges[i];
        if (value < range.low || value > range.high)
            throw error_at(script, number, "bad number '" + word + "': '" + w[0] + "' takes " +
                                               std::to_string(range.low) + " to " + std::to_string(range.high) +
                                               " there");
        command.numbers.push_back(int(value));
    }
    return command;
}

}

Error error_at(std::string const& script, int line, std::string const& what)
{
    return Error(script + ":" + std::to_string(line) + ": " + what);
}

std::vector<Command> parse(std::string const& text, std::string const& script)
{
    std::vector<Command> commands;
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        std::size_t const first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos || line[first] == '#')
            continue;
        commands.push_back(parse_line(line, number, script));
    }
    return commands;
}

std::vector<Command> load(std::string const& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    std::string text;
    bool failed = !file;
    int reason = errno;
    if (file) {
        char chunk[4096];
        std::size_t got;
        while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
            text.append(chunk, got);
        failed = std::ferror(file) != 0;
        reason = errno;
        std::fclose(file);
    }
    if (failed)
        throw Error(path + ": cannot read the event script: " + std::strerror(reason));
    return parse(text, path);
}

}
