#pragma once

#include <csignal>
#include <functional>
#include <optional>
#include <string>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// Runs `action` in a child process after `prepare` and hands back the text the action returned;
// nothing when the child did not end by itself (a watchdog or a signal killed it). The child
// leaves at once afterwards, running no destructors of the test's objects.
inline std::optional<std::string> resultOfChild(const std::function<void()>& prepare,
                                                const std::function<std::string()>& action)
{
    int channel[2];
    if (::pipe(channel) != 0)
        return std::nullopt;
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(channel[0]);
        ::close(channel[1]);
        return std::nullopt;
    }
    if (child == 0) {
        ::close(channel[0]);
        prepare();
        std::string result;
        try {
            result = action();
        } catch (...) {
            result = "unexpected exception";
        }
        (void)!::write(channel[1], result.data(), result.size());
        ::_exit(0);
    }
    ::close(channel[1]);
    std::string result;
    char buffer[1024];
    for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        result.append(buffer, static_cast<std::size_t>(got));
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status))
        return std::nullopt;
    return result;
}

// The action under a one-second watchdog: a read that would wait forever (a FIFO without a
// writer) gives nothing.
inline std::optional<std::string> resultWithinOneSecond(const std::function<std::string()>& action)
{
    return resultOfChild([] { ::alarm(1); }, action);
}

// The action with files that may not grow past `limitBytes`: a write beyond it fails with EFBIG,
// which forces a write failure even where permissions do not bind (as root).
inline std::optional<std::string> resultUnderFileSizeLimit(rlim_t limitBytes,
                                                           const std::function<std::string()>& action)
{
    return resultOfChild(
        [limitBytes] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{limitBytes, limitBytes};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        },
        action);
}
