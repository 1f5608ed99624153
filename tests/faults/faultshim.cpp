// Preloaded library (LD_PRELOAD) that makes chosen file-system calls fail,
// so that the fault-injection test can try every step of a save.
//
// Faults are "call:N:error" items separated by commas: the Nth call (counted
// from 1) of open, read, write, fsync, fdatasync, close, rename, link or
// unlink fails with ENOSPC, EIO or EACCES. For read, "short" returns part of
// the data and fails the next read of that descriptor with EIO, "eof"
// returns part and then end of file; for write, "short" writes part (a
// legal short write). "open" covers the openat and 64-bit variants, "rename",
// "link" and "unlink" their *at variants.
//
// Any program: QV_FAULTS="write:3:ENOSPC" LD_PRELOAD=libqvfaultshim.so prog
// (counting from the start of the process). A driver that knows the shim
// arms it around one operation with qv_fault_arm / qv_fault_disarm, found
// through dlsym, and reads back how many calls were made.
#undef _FORTIFY_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <cerrno>

namespace {

enum Group { Open, Read, Write, Fsync, Fdatasync, Close, Rename, Link, Unlink, GroupCount };
const char *const groupNames[GroupCount] = {"open",  "read",   "write", "fsync", "fdatasync",
                                            "close", "rename", "link",  "unlink"};

enum Mode { FailWithError, ShortThenError, ShortThenEnd, ShortWrite };

struct Fault
{
    int group = -1;
    int nth = 0;
    Mode mode = FailWithError;
    int error = 0;
};

constexpr int maxFaults = 4;

struct State
{
    bool armed = false;
    Fault faults[maxFaults];
    int faultCount = 0;
    int counts[GroupCount] = {};
    int fired = 0;
    int brokenFd = -1; // after a short read
    bool brokenAtEnd = false;
} state;

int groupOf(const char *name, size_t length)
{
    for (int g = 0; g < GroupCount; ++g) {
        if (strlen(groupNames[g]) == length && strncmp(groupNames[g], name, length) == 0)
            return g;
    }
    return -1;
}

// Parses "call:N:error[,call:N:error...]"; false on a malformed list.
bool parse(const char *spec)
{
    state.faultCount = 0;
    while (spec && *spec) {
        const char *end = strchr(spec, ',');
        const size_t length = end ? size_t(end - spec) : strlen(spec);
        char item[64];
        if (length >= sizeof item || state.faultCount == maxFaults)
            return false;
        memcpy(item, spec, length);
        item[length] = 0;
        char *first = strchr(item, ':');
        char *second = first ? strchr(first + 1, ':') : nullptr;
        if (!second)
            return false;
        Fault &f = state.faults[state.faultCount];
        f.group = groupOf(item, size_t(first - item));
        f.nth = atoi(first + 1);
        const char *error = second + 1;
        if (strcmp(error, "ENOSPC") == 0)
            f.error = ENOSPC;
        else if (strcmp(error, "EIO") == 0)
            f.error = EIO;
        else if (strcmp(error, "EACCES") == 0)
            f.error = EACCES;
        else if (strcmp(error, "short") == 0 && f.group == Read)
            f.mode = ShortThenError;
        else if (strcmp(error, "eof") == 0 && f.group == Read)
            f.mode = ShortThenEnd;
        else if (strcmp(error, "short") == 0 && f.group == Write)
            f.mode = ShortWrite;
        else
            return false;
        if (f.group < 0 || f.nth < 1)
            return false;
        if (f.error == 0 && f.mode == FailWithError)
            return false;
        ++state.faultCount;
        spec = end ? end + 1 : nullptr;
    }
    return true;
}

// The fault for this call, if it is one to fail.
const Fault *hit(Group g)
{
    if (!state.armed)
        return nullptr;
    const int n = ++state.counts[g];
    for (int i = 0; i < state.faultCount; ++i) {
        if (state.faults[i].group == g && state.faults[i].nth == n) {
            ++state.fired;
            return &state.faults[i];
        }
    }
    return nullptr;
}

int fail(const Fault *f)
{
    errno = f->error;
    return -1;
}

template <typename F> F next(const char *name)
{
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

__attribute__((constructor)) void configureFromEnvironment()
{
    const char *spec = getenv("QV_FAULTS");
    if (!spec || !*spec)
        return;
    if (!parse(spec)) {
        static const char message[] = "qvfaultshim: cannot parse QV_FAULTS\n";
        (void)!::write(2, message, sizeof message - 1);
        _exit(125);
    }
    state.armed = true;
}

mode_t modeArgument(int flags, va_list ap)
{
    return (flags & (O_CREAT | O_TMPFILE)) ? mode_t(va_arg(ap, int)) : 0;
}

} // namespace

extern "C" {

// Arms the faults (an empty list only counts calls) and resets the counts.
// Returns 0, or -1 when the list cannot be parsed.
int qv_fault_arm(const char *spec)
{
    state = State();
    if (!parse(spec))
        return -1;
    state.armed = true;
    return 0;
}

void qv_fault_disarm(void)
{
    state.armed = false;
    state.brokenFd = -1;
}

// Calls of the group made while armed; -1 for an unknown name.
int qv_fault_calls(const char *call)
{
    const int g = groupOf(call, strlen(call));
    return g < 0 ? -1 : state.counts[g];
}

// How many faults were injected while armed.
int qv_fault_fired(void)
{
    return state.fired;
}

#define QV_OPEN_LIKE(name, ...)                                                                    \
    if (const Fault *f = hit(Open))                                                                \
        return fail(f);                                                                            \
    static auto real = next<int (*)(__VA_ARGS__)>(name);

int open(const char *path, int flags, ...)
{
    va_list ap;
    va_start(ap, flags);
    const mode_t mode = modeArgument(flags, ap);
    va_end(ap);
    QV_OPEN_LIKE("open", const char *, int, ...)
    return real(path, flags, mode);
}

int open64(const char *path, int flags, ...)
{
    va_list ap;
    va_start(ap, flags);
    const mode_t mode = modeArgument(flags, ap);
    va_end(ap);
    QV_OPEN_LIKE("open64", const char *, int, ...)
    return real(path, flags, mode);
}

int openat(int dirfd, const char *path, int flags, ...)
{
    va_list ap;
    va_start(ap, flags);
    const mode_t mode = modeArgument(flags, ap);
    va_end(ap);
    QV_OPEN_LIKE("openat", int, const char *, int, ...)
    return real(dirfd, path, flags, mode);
}

int openat64(int dirfd, const char *path, int flags, ...)
{
    va_list ap;
    va_start(ap, flags);
    const mode_t mode = modeArgument(flags, ap);
    va_end(ap);
    QV_OPEN_LIKE("openat64", int, const char *, int, ...)
    return real(dirfd, path, flags, mode);
}

int __open_2(const char *path, int flags)
{
    QV_OPEN_LIKE("__open_2", const char *, int)
    return real(path, flags);
}

int __open64_2(const char *path, int flags)
{
    QV_OPEN_LIKE("__open64_2", const char *, int)
    return real(path, flags);
}

ssize_t read(int fd, void *buffer, size_t count)
{
    static auto real = next<ssize_t (*)(int, void *, size_t)>("read");
    if (state.armed && fd == state.brokenFd) {
        ++state.counts[Read];
        if (state.brokenAtEnd)
            return 0;
        errno = EIO;
        return -1;
    }
    const Fault *f = hit(Read);
    if (!f)
        return real(fd, buffer, count);
    if (f->mode == FailWithError)
        return fail(f);
    const ssize_t got = real(fd, buffer, count > 1 ? count / 2 : count);
    if (got > 0) {
        state.brokenFd = fd;
        state.brokenAtEnd = f->mode == ShortThenEnd;
    }
    return got;
}

ssize_t __read_chk(int fd, void *buffer, size_t count, size_t)
{
    return read(fd, buffer, count);
}

ssize_t write(int fd, const void *buffer, size_t count)
{
    static auto real = next<ssize_t (*)(int, const void *, size_t)>("write");
    const Fault *f = hit(Write);
    if (!f)
        return real(fd, buffer, count);
    if (f->mode == ShortWrite)
        return real(fd, buffer, count > 1 ? count / 2 : count);
    return fail(f);
}

int fsync(int fd)
{
    static auto real = next<int (*)(int)>("fsync");
    if (const Fault *f = hit(Fsync))
        return fail(f);
    return real(fd);
}

int fdatasync(int fd)
{
    static auto real = next<int (*)(int)>("fdatasync");
    if (const Fault *f = hit(Fdatasync))
        return fail(f);
    return real(fd);
}

int close(int fd)
{
    static auto real = next<int (*)(int)>("close");
    if (fd == state.brokenFd)
        state.brokenFd = -1;
    const Fault *f = hit(Close);
    const int result = real(fd);
    // Linux releases the descriptor even when close reports an error.
    return f ? fail(f) : result;
}

int rename(const char *from, const char *to)
{
    static auto real = next<int (*)(const char *, const char *)>("rename");
    if (const Fault *f = hit(Rename))
        return fail(f);
    return real(from, to);
}

int renameat(int fromDir, const char *from, int toDir, const char *to)
{
    static auto real = next<int (*)(int, const char *, int, const char *)>("renameat");
    if (const Fault *f = hit(Rename))
        return fail(f);
    return real(fromDir, from, toDir, to);
}

int renameat2(int fromDir, const char *from, int toDir, const char *to, unsigned flags)
{
    static auto real = next<int (*)(int, const char *, int, const char *, unsigned)>("renameat2");
    if (const Fault *f = hit(Rename))
        return fail(f);
    return real(fromDir, from, toDir, to, flags);
}

int link(const char *from, const char *to)
{
    static auto real = next<int (*)(const char *, const char *)>("link");
    if (const Fault *f = hit(Link))
        return fail(f);
    return real(from, to);
}

int linkat(int fromDir, const char *from, int toDir, const char *to, int flags)
{
    static auto real = next<int (*)(int, const char *, int, const char *, int)>("linkat");
    if (const Fault *f = hit(Link))
        return fail(f);
    return real(fromDir, from, toDir, to, flags);
}

int unlink(const char *path)
{
    static auto real = next<int (*)(const char *)>("unlink");
    if (const Fault *f = hit(Unlink))
        return fail(f);
    return real(path);
}

int unlinkat(int dirfd, const char *path, int flags)
{
    static auto real = next<int (*)(int, const char *, int)>("unlinkat");
    if (const Fault *f = hit(Unlink))
        return fail(f);
    return real(dirfd, path, flags);
}

} // extern "C"
