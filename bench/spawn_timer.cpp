// Times whole processes: starts a program RUNS times (standard output discarded)
// and prints the median and fastest wall time in microseconds, the largest resident
// set in KiB and the median processor time (user and system) in microseconds, which
// other work on a busy machine does not inflate. Starting the program directly keeps
// a shell's own start-up out of the figures.
//
//   spawn_timer RUNS PROGRAM [ARGS...]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

int main(int argc, char** argv) {
    if (argc < 3 || std::atoi(argv[1]) < 1) {
        std::fprintf(stderr, "usage: spawn_timer RUNS PROGRAM [ARGS...]\n");
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<double> micros;
    std::vector<double> cpuMicros;
    long maxRss = 0;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        pid_t pid = 0;
        if (posix_spawn(&pid, argv[2], &actions, nullptr, argv + 2, environ) != 0) {
            std::perror(argv[2]);
            return 1;
        }
        int status = 0;
        rusage usage{};
        if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) ||
            WEXITSTATUS(status) != 0) {
            std::fprintf(stderr, "spawn_timer: %s failed\n", argv[2]);
            return 1;
        }
        micros.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                .count());
        maxRss = std::max(maxRss, usage.ru_maxrss);
        auto us = [](const timeval& t) { return t.tv_sec * 1e6 + t.tv_usec; };
        cpuMicros.push_back(us(usage.ru_utime) + us(usage.ru_stime));
    }
    std::sort(micros.begin(), micros.end());
    std::sort(cpuMicros.begin(), cpuMicros.end());
    std::printf("%.0f %.0f %ld %.0f\n", micros[micros.size() / 2], micros.front(), maxRss,
                cpuMicros[cpuMicros.size() / 2]);
    return 0;
}
