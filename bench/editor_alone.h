// The editor's own response time, the floor under the echo latency: vim on a
// pseudo-terminal of its own, timed from writing a key to its first output.
#pragma once

#include <string>
#include <vector>

namespace bench {

// Starts editor on file at columns x rows, enters insert mode and types count
// letters, each once the previous echo has gone quiet; milliseconds from each
// write to the first byte of output. Empty when the editor cannot be started.
std::vector<double> editor_response_ms(std::string const& editor, std::string const& file, int columns, int rows,
                                       int count);

}
