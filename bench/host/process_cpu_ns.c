/* Prints the processor time of each process named, in nanoseconds, one a line, empty for one that
 * has ended: the process-wide CPU clock Linux gives any pid, all threads, ended ones included. */
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

int main(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        const clockid_t clock = (clockid_t)((~(unsigned)atoi(argv[i]) << 3) | 2); /* CPUCLOCK_SCHED */
        struct timespec t;
        if (clock_gettime(clock, &t) == 0)
            printf("%lld\n", (long long)t.tv_sec * 1000000000LL + t.tv_nsec);
        else
            printf("\n");
    }
    return 0;
}
