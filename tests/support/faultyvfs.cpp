#include "support/faultyvfs.h"

#include <sqlite3.h>

#include <array>
#include <atomic>

namespace tirages::test::faultyvfs {
namespace {

// The wrapper is SQLite's own default VFS with its files' write and sync
// replaced: a file opened through it is the real one, with methods of its own
// that call the real ones.
sqlite3_vfs* g_real = nullptr;
sqlite3_vfs g_vfs;
std::atomic<int> g_count{0};
std::atomic<int> g_failFrom{0};

// True when this write or sync is to fail.
bool failsNow() {
    const int n = ++g_count;
    const int from = g_failFrom.load();
    return from > 0 && n >= from;
}

// The real files' methods, and ours made from each: a VFS has a few kinds of
// file (the database, its log, its temporary files).
struct Methods {
    const sqlite3_io_methods* real = nullptr;
    sqlite3_io_methods faulty{};
};
std::array<Methods, 8> g_methods;

const sqlite3_io_methods* realOf(sqlite3_file* file) {
    for (const Methods& m : g_methods) {
        if (&m.faulty == file->pMethods)
            return m.real;
    }
    return nullptr;
}

int fileWrite(sqlite3_file* f, const void* in, int amount, sqlite3_int64 offset) {
    return failsNow() ? SQLITE_FULL : realOf(f)->xWrite(f, in, amount, offset);
}

int fileSync(sqlite3_file* f, int flags) {
    return failsNow() ? SQLITE_IOERR_FSYNC : realOf(f)->xSync(f, flags);
}

const sqlite3_io_methods* faultyFor(const sqlite3_io_methods* real) {
    for (Methods& m : g_methods) {
        if (m.real == real)
            return &m.faulty;
        if (!m.real) {
            m.real = real;
            m.faulty = *real;
            m.faulty.xWrite = fileWrite;
            m.faulty.xSync = fileSync;
            return &m.faulty;
        }
    }
    return real; // more kinds than foreseen: left unwrapped
}

int vfsOpen(sqlite3_vfs*, const char* name, sqlite3_file* file, int flags, int* outFlags) {
    const int rc = g_real->xOpen(g_real, name, file, flags, outFlags);
    if (file->pMethods)
        file->pMethods = faultyFor(file->pMethods);
    return rc;
}

} // namespace

void install() {
    if (g_real)
        return;
    sqlite3_initialize();
    g_real = sqlite3_vfs_find(nullptr);
    g_vfs = *g_real;
    g_vfs.pNext = nullptr;
    g_vfs.zName = "faulty";
    g_vfs.xOpen = vfsOpen;
    sqlite3_vfs_register(&g_vfs, 1);
}

void arm(int n) {
    g_count = 0;
    g_failFrom = n;
}

void lift() {
    arm(0);
}

int operations() {
    return g_count;
}

} // namespace tirages::test::faultyvfs
