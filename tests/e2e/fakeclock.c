/* A wall clock that a black-box test can move, for 32-bit and 64-bit Wine programs alike.
 * Preloaded into the Linux process that runs the Windows program (LD_PRELOAD), it adds an offset
 * in seconds to the real-time clock; the offset is read from the file named by
 * CHIMO_FAKE_CLOCK_FILE ("+3600", "-90"), again at most every 100 ms, so a test can move the
 * clock of a running program. Monotonic clocks are left alone: timers run in real time.
 * Built for both architectures by tests/e2e/lib.sh; it needs no C library headers. */
typedef long clock_seconds;
struct timespec_native {
    long tv_sec;
    long tv_nsec;
};
struct timespec_wide {
    long long tv_sec;
    long long tv_nsec;
};
struct timeval_native {
    long tv_sec;
    long tv_usec;
};

extern void* dlsym(void*, const char*);
extern char* getenv(const char*);
extern int open(const char*, int, ...);
extern long read(int, void*, unsigned long);
extern int close(int);
#define RTLD_NEXT ((void*)-1l)
#define CLOCK_REALTIME 0
#define CLOCK_MONOTONIC 1
#define CLOCK_REALTIME_COARSE 5

typedef int (*gettime_native)(int, struct timespec_native*);
typedef int (*gettime_wide)(int, struct timespec_wide*);

static gettime_native RealGettime(void) {
    static gettime_native real;
    if (!real)
        real = (gettime_native)dlsym(RTLD_NEXT, "clock_gettime");
    return real;
}

static long long g_offset;
static long long g_lastReadMs = -1000000;

static long long Offset(void) {
    struct timespec_native now;
    if (RealGettime()(CLOCK_MONOTONIC, &now) != 0)
        return g_offset;
    long long ms = (long long)now.tv_sec * 1000 + now.tv_nsec / 1000000;
    if (ms - g_lastReadMs < 100)
        return g_offset;
    g_lastReadMs = ms;
    const char* path = getenv("CHIMO_FAKE_CLOCK_FILE");
    int fd = path ? open(path, 0) : -1;
    if (fd < 0)
        return g_offset;
    char text[32];
    long n = read(fd, text, sizeof text - 1);
    close(fd);
    if (n <= 0)
        return g_offset;
    text[n] = 0;
    long long sign = 1, value = 0;
    const char* p = text;
    if (*p == '+' || *p == '-')
        sign = *p++ == '-' ? -1 : 1;
    for (; *p >= '0' && *p <= '9'; ++p)
        value = value * 10 + (*p - '0');
    g_offset = sign * value;
    return g_offset;
}

static int IsRealtime(int clock) {
    return clock == CLOCK_REALTIME || clock == CLOCK_REALTIME_COARSE;
}

int clock_gettime(int clock, struct timespec_native* ts) {
    int result = RealGettime()(clock, ts);
    if (result == 0 && IsRealtime(clock))
        ts->tv_sec += (long)Offset();
    return result;
}

/* 32-bit programs built with a 64-bit time_t call this one. */
int __clock_gettime64(int clock, struct timespec_wide* ts) {
    static gettime_wide real;
    if (!real)
        real = (gettime_wide)dlsym(RTLD_NEXT, "__clock_gettime64");
    if (!real)
        return -1;
    int result = real(clock, ts);
    if (result == 0 && IsRealtime(clock))
        ts->tv_sec += Offset();
    return result;
}

int gettimeofday(struct timeval_native* tv, void* zone) {
    struct timespec_native ts;
    int result = clock_gettime(CLOCK_REALTIME, &ts);
    if (result == 0 && tv) {
        tv->tv_sec = ts.tv_sec;
        tv->tv_usec = ts.tv_nsec / 1000;
    }
    (void)zone;
    return result;
}

clock_seconds time(clock_seconds* out) {
    struct timespec_native ts;
    clock_seconds t = clock_gettime(CLOCK_REALTIME, &ts) == 0 ? ts.tv_sec : -1;
    if (out)
        *out = t;
    return t;
}
