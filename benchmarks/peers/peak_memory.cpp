// SPDX-License-Identifier: GPL-3.0-or-later
// Runs a program and prints its peak resident set in KiB ("maxrss <n>"), as
// the kernel reports it to the parent that waits for it.
//
// The benchmark cannot ask the kernel itself: a child started from a large
// process carries that process's resident set until its exec, and the kernel
// counts it into the child's peak. Started from this small launcher instead,
// the program's peak is its own.
#include <cstdio>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s program [arguments...]\n", argv[0]);
        return 2;
    }
    const pid_t pid = fork();
    if (pid < 0) return 2;
    if (pid == 0) {
        execv(argv[1], argv + 1);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) return 2;
    std::printf("maxrss %ld\n", usage.ru_maxrss);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 3;
}
