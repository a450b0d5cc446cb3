#pragma once

#include <array>
#include <cstdio>
#include <string>
#include <utility>

#include <sys/wait.h>

// Runs a shell command and gives its standard output and exit status; the tests run their
// outside oracles (xmllint, iconv, the generators) this way.
inline std::pair<std::string, int> runCommand(const std::string& command)
{
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return {"", -1};
    std::string output;
    std::array<char, 4096> chunk{};
    while (const std::size_t count = std::fread(chunk.data(), 1, chunk.size(), pipe))
        output.append(chunk.data(), count);
    const int status = ::pclose(pipe);
    return {output, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}
