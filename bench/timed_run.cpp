// Runs one command and prints "microseconds max-RSS-KiB" on stdout: the wall time from just before
// the fork to the reaping of the child, and the child's peak resident size. The child's own
// output goes to /dev/null. Used by bench/startup.sh, where a shell, `date` and /usr/bin/time
// would each add their own start-up to both sides of a comparison of a few milliseconds.
//
//   timed_run COMMAND [ARG...]

#include <cstdio>
#include <ctime>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: timed_run COMMAND [ARG...]\n");
        return 2;
    }
    timespec start{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    const pid_t child = fork();
    if (child < 0) {
        std::perror("fork");
        return 2;
    }
    if (child == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child) {
        std::perror("wait4");
        return 2;
    }
    timespec end{};
    clock_gettime(CLOCK_MONOTONIC, &end);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed (status %d)\n", argv[1], status);
        return 1;
    }
    const long long micros =
        (end.tv_sec - start.tv_sec) * 1000000LL + (end.tv_nsec - start.tv_nsec) / 1000;
    std::printf("%lld %ld\n", micros, usage.ru_maxrss);
    return 0;
}
