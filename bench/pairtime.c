/* Runs two commands in turn (A B A B ...) and prints, for each pair, the wall time from fork to
 * exit and the CPU time (user + system) the system accounted to each, in microseconds:
 *
 *   pairtime RUNS WARMUP COMMAND_A ... --vs COMMAND_B ...
 *
 * One line per counted pair: "wall_a cpu_a wall_b cpu_b". Output of the commands goes to
 * /dev/null. The shell's own clock would add the shell's fork to every figure, and its CPU
 * times come in hundredths of a second; wait4 reports microseconds. */
#define _GNU_SOURCE
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static long long micros(struct timespec t) { return (long long)t.tv_sec * 1000000 + t.tv_nsec / 1000; }

/* Runs argv once; returns 0 when it exited with status 0. */
static int runOnce(char** argv, long long* wall, long long* cpu)
{
    struct timespec t0, t1;
    clock_gettime(CLOCK_MONOTONIC, &t0);
    const pid_t pid = fork();
    if (pid < 0)
        return -1;
    if (pid == 0) {
        const int null = open("/dev/null", O_RDWR);
        dup2(null, 0);
        dup2(null, 1);
        dup2(null, 2);
        execvp(argv[0], argv);
        _exit(127);
    }
    int status = 0;
    struct rusage ru;
    if (wait4(pid, &status, 0, &ru) != pid)
        return -1;
    clock_gettime(CLOCK_MONOTONIC, &t1);
    *wall = micros(t1) - micros(t0);
    *cpu = (long long)(ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) * 1000000 + ru.ru_utime.tv_usec + ru.ru_stime.tv_usec;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 0 : 1;
}

int main(int argc, char** argv)
{
    int vs = 0;
    for (int i = 3; i < argc; ++i)
        if (strcmp(argv[i], "--vs") == 0)
            vs = i;
    if (argc < 6 || vs <= 3 || vs + 1 >= argc) {
        fprintf(stderr, "usage: pairtime RUNS WARMUP COMMAND_A ... --vs COMMAND_B ...\n");
        return 2;
    }
    const int runs = atoi(argv[1]), warmup = atoi(argv[2]);
    argv[vs] = NULL;
    char** a = argv + 3;
    char** b = argv + vs + 1;
    for (int i = -warmup; i < runs; ++i) {
        long long wa, ca, wb, cb;
        if (runOnce(a, &wa, &ca) != 0 || runOnce(b, &wb, &cb) != 0) {
            fprintf(stderr, "pairtime: a command failed or could not be started\n");
            return 1;
        }
        if (i >= 0)
            printf("%lld %lld %lld %lld\n", wa, ca, wb, cb);
    }
    return 0;
}
