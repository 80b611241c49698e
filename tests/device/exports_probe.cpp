// A program for the device check to refuse: linked to export every name it
// defines, the C++ runtime's operator new among them.
#include <string>

int main(int argc, char**) { return static_cast<int>(std::to_string(argc).size()); }
