// A throwaway device tree for whole-program tests: while a Sandbox lives,
// TARN_ROOT points the program's paths at it.
#pragma once

#include <string>

class Sandbox {
public:
    Sandbox();
    ~Sandbox();
    Sandbox(Sandbox const&) = delete;
    Sandbox& operator=(Sandbox const&) = delete;

    std::string const& root() const { return root_; }
    std::string path(std::string const& relative) const { return root_ + "/" + relative; }

    // Writes system/config/tarn.cfg.
    void write_config(std::string const& text) const;
    // Writes an executable shell script and returns its path.
    std::string write_script(std::string const& name, std::string const& body) const;
    void write_file(std::string const& relative, std::string const& text) const;

private:
    std::string root_;
};
