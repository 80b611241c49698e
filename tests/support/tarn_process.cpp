// Starting the built program through the shell, with its time limit.
#include "tests/support/tarn_process.h"

#include <sys/wait.h>

#include <cstdlib>

int run_tarn(std::string const& folder, std::string const& arguments, int limit_seconds,
             std::string const& environment)
{
    std::string const command = "cd " + folder + " && HOME=" + folder + " " + environment +
                                " TARN_HOST_EVENTS=events TARN_HOST_OUT=out timeout -k 5 " +
                                std::to_string(limit_seconds) + " " TARN_BINARY_DIR "/tarn " + arguments + " 2>errors";
    int const raw = std::system(command.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
}
