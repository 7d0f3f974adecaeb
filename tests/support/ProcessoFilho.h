#pragma once
// Runs part of a test in a child process, as a program that may end abruptly (a kill, a power cut): the
// child gets a connection of its own (the parent closes its connection before), and the parent reads
// how the child ended.

#include <functional>

#include <sys/wait.h>
#include <unistd.h>

namespace gdvorn::test {

// Runs `corpo` in a forked child that then ends with 0 (or with the code it gives to _exit itself).
// Returns the child's exit code, or -1 when it did not end by itself or could not be started.
inline int emProcessoFilho(const std::function<void()> &corpo)
{
    const pid_t filho = fork();
    if (filho == 0) {
        corpo();
        _exit(0);
    }
    if (filho < 0)
        return -1;
    int estado = 0;
    if (waitpid(filho, &estado, 0) != filho || !WIFEXITED(estado))
        return -1;
    return WEXITSTATUS(estado);
}

} // namespace gdvorn::test
