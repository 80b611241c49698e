// A program the reader could not run: built by Debian's compilers, it takes
// the C++ runtime as a shared library, needs a newer C library, and calls the
// stand-in's own interface, which the reader's library lacks. The device
// check must refuse it.
#include <string>

#include "host/host.h"

int main(int argc, char**)
{
    host::reset(600, 800);
    return static_cast<int>(std::to_string(argc).size());
}
