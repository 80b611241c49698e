// The byte streams the throughput benchmarks feed the terminal: recorded vim
// sessions and generated output (plain text, UTF-8-heavy text, attributes
// changed at every character), each as the child would write it.
#pragma once

#include <string>
#include <vector>

namespace bench {

struct Stream {
    std::string name;
    std::string bytes;
};

// Every stream, in the order reported; the same bytes on every call.
std::vector<Stream> const& streams();

}
