// A fault injector for the pad's own tests: LD_PRELOAD it and describe the
// faults in JW_FAULTS, rules separated by ';':
//   op=ERRNO@match[#skip,times][%percent]
// op: read, write, fsync (fsync, fdatasync), rename (rename, renameat,
// renameat2), exchange (renameat2 with RENAME_EXCHANGE only), malloc.
// match: a piece of the file's path; for malloc the least size that fails.
// skip: matching calls let through first; times: failures, then none (0 =
// no end); percent: each matching call fails with this chance (seeded by
// JW_FAULT_SEED). "race=incoming@target" renames the file "incoming" over
// the target just before the program's first rename onto it: an outside
// writer at the worst moment. Rules with a '!' before op wait until the
// process gets SIGUSR2 (and stop at the next). Each injected fault is
// written to stderr as "faultinject: op path errno".
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/types.h>
#include <unistd.h>

enum { READ, WRITE, FSYNC, RENAME, EXCHANGE, MALLOC, RACE, OPS };
static const char *const names[OPS] = {"read", "write", "fsync", "rename", "exchange", "malloc", "race"};

struct rule {
    int op, error, armed_only;
    char match[256];
    long skip, times, seen, failed;
    int percent;
};
static struct rule rules[16];
static int nrules;
static volatile sig_atomic_t armed;
static unsigned seed = 1;
static __thread int inside; // the injector's own calls pass through

extern void *__libc_malloc(size_t);
extern void *__libc_calloc(size_t, size_t);
extern void *__libc_realloc(void *, size_t);

static int errno_of(const char *name)
{
    static const struct {
        const char *name;
        int value;
    } known[] = {{"EIO", EIO},       {"ENOSPC", ENOSPC}, {"EROFS", EROFS},   {"EACCES", EACCES},
                 {"EINVAL", EINVAL}, {"ENOMEM", ENOMEM}, {"EDQUOT", EDQUOT}, {"EPERM", EPERM}};
    for (size_t i = 0; i < sizeof known / sizeof known[0]; ++i)
        if (strcmp(known[i].name, name) == 0)
            return known[i].value;
    return EIO;
}

static void toggle(int sig)
{
    (void)sig;
    armed = !armed;
}

__attribute__((constructor)) static void setup(void)
{
    const char *rules_text = getenv("JW_FAULTS");
    if (getenv("JW_FAULT_SEED"))
        seed = (unsigned)strtoul(getenv("JW_FAULT_SEED"), NULL, 10);
    if (!rules_text)
        return;
    char copy[4096];
    snprintf(copy, sizeof copy, "%s", rules_text);
    for (char *save = NULL, *item = strtok_r(copy, ";", &save); item && nrules < 16;
         item = strtok_r(NULL, ";", &save)) {
        struct rule *r = &rules[nrules];
        memset(r, 0, sizeof *r);
        if (*item == '!')
            r->armed_only = 1, ++item;
        char *eq = strchr(item, '='), *at = strchr(item, '@');
        if (!eq || !at || at < eq)
            continue;
        *eq = *at = 0;
        for (r->op = 0; r->op < OPS && strcmp(names[r->op], item) != 0; ++r->op) {
        }
        if (r->op == OPS)
            continue;
        char *hash = strchr(at + 1, '#'), *pct = strchr(at + 1, '%');
        if (hash)
            *hash = 0, sscanf(hash + 1, "%ld,%ld", &r->skip, &r->times);
        if (pct)
            *pct = 0, r->percent = atoi(pct + 1);
        r->error = r->op == RACE ? 0 : errno_of(eq + 1);
        if (r->op == RACE) // the incoming file's name stands where the errno does
            snprintf(r->match, sizeof r->match, "%s", at + 1), snprintf(r->match + 128, 128, "%s", eq + 1);
        else
            snprintf(r->match, sizeof r->match, "%s", at + 1);
        ++nrules;
    }
    signal(SIGUSR2, toggle);
}

static int chance(int percent)
{
    seed = seed * 1103515245u + 12345u;
    return (int)((seed >> 16) % 100) < percent;
}

/// The errno to fail with for `op` on `path` (or a size for malloc), or 0.
static int fault(int op, const char *path, size_t size)
{
    for (int i = 0; i < nrules; ++i) {
        struct rule *r = &rules[i];
        if (r->op != op || (r->armed_only && !armed))
            continue;
        if (op == MALLOC ? size < (size_t)atol(r->match) : !path || !strstr(path, r->match))
            continue;
        if (r->seen++ < r->skip || (r->times && r->failed >= r->times))
            continue;
        if (r->percent && !chance(r->percent))
            continue;
        ++r->failed;
        if (op != MALLOC) {
            inside = 1;
            fprintf(stderr, "faultinject: %s %s %s\n", names[op], path, strerror(r->error));
            inside = 0;
        }
        return r->error;
    }
    return 0;
}

static const char *fd_path(int fd, char *buffer, size_t size)
{
    char link[64];
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t n = readlink(link, buffer, size - 1);
    if (n < 0)
        return NULL;
    buffer[n] = 0;
    return buffer;
}

static int has_rules(int op)
{
    if (inside)
        return 0;
    for (int i = 0; i < nrules; ++i)
        if (rules[i].op == op)
            return 1;
    return 0;
}

#define REAL(name) ((__typeof__(&name))dlsym(RTLD_NEXT, #name))

static int fd_fault(int op, int fd)
{
    char buffer[4096];
    return has_rules(op) ? fault(op, fd_path(fd, buffer, sizeof buffer), 0) : 0;
}

ssize_t read(int fd, void *data, size_t size)
{
    const int error = fd_fault(READ, fd);
    if (error)
        return errno = error, -1;
    return REAL(read)(fd, data, size);
}

ssize_t write(int fd, const void *data, size_t size)
{
    const int error = fd_fault(WRITE, fd);
    if (error)
        return errno = error, -1;
    return REAL(write)(fd, data, size);
}

int fsync(int fd)
{
    const int error = fd_fault(FSYNC, fd);
    return error ? (errno = error, -1) : REAL(fsync)(fd);
}

int fdatasync(int fd)
{
    const int error = fd_fault(FSYNC, fd);
    return error ? (errno = error, -1) : REAL(fdatasync)(fd);
}

/// The outside writer of a "race" rule, just before a rename onto `to`.
static void race(const char *to)
{
    if (!has_rules(RACE))
        return;
    for (int i = 0; i < nrules; ++i) {
        struct rule *r = &rules[i];
        if (r->op == RACE && strstr(to, r->match) && !r->failed && !(r->armed_only && !armed)) {
            r->failed = 1;
            char incoming[4096];
            snprintf(incoming, sizeof incoming, "%.*s%s", (int)(strrchr(to, '/') ? strrchr(to, '/') - to + 1 : 0), to,
                     r->match + 128);
            REAL(rename)(incoming, to);
        }
    }
}

static int rename_fault(int op, const char *to)
{
    race(to);
    return has_rules(op) ? fault(op, to, 0) : 0;
}

int rename(const char *from, const char *to)
{
    const int error = rename_fault(RENAME, to);
    return error ? (errno = error, -1) : REAL(rename)(from, to);
}

int renameat(int dirfrom, const char *from, int dirto, const char *to)
{
    const int error = rename_fault(RENAME, to);
    return error ? (errno = error, -1) : REAL(renameat)(dirfrom, from, dirto, to);
}

int renameat2(int dirfrom, const char *from, int dirto, const char *to, unsigned flags)
{
    int error = rename_fault(RENAME, to);
    if (!error && (flags & RENAME_EXCHANGE) && has_rules(EXCHANGE))
        error = fault(EXCHANGE, to, 0);
    return error ? (errno = error, -1) : REAL(renameat2)(dirfrom, from, dirto, to, flags);
}

void *malloc(size_t size)
{
    if (nrules && !inside && has_rules(MALLOC) && fault(MALLOC, NULL, size))
        return errno = ENOMEM, NULL;
    return __libc_malloc(size);
}

void *calloc(size_t n, size_t size)
{
    if (nrules && !inside && has_rules(MALLOC) && fault(MALLOC, NULL, n * size))
        return errno = ENOMEM, NULL;
    return __libc_calloc(n, size);
}

void *realloc(void *p, size_t size)
{
    if (nrules && !inside && has_rules(MALLOC) && fault(MALLOC, NULL, size))
        return errno = ENOMEM, NULL;
    return __libc_realloc(p, size);
}
