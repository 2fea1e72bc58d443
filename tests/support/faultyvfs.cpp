#include "support/faultyvfs.h"

#include <sqlite3.h>

#include <atomic>
#include <cstring>

namespace tirages::test::faultyvfs {
namespace {

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

struct File {
    sqlite3_file base;
    sqlite3_file* real; // follows this struct in the same allocation
};

sqlite3_file* real(sqlite3_file* file) {
    return reinterpret_cast<File*>(file)->real;
}

int fileClose(sqlite3_file* f) {
    return real(f)->pMethods->xClose(real(f));
}
int fileRead(sqlite3_file* f, void* out, int amount, sqlite3_int64 offset) {
    return real(f)->pMethods->xRead(real(f), out, amount, offset);
}
int fileWrite(sqlite3_file* f, const void* in, int amount, sqlite3_int64 offset) {
    if (failsNow())
        return SQLITE_FULL;
    return real(f)->pMethods->xWrite(real(f), in, amount, offset);
}
int fileTruncate(sqlite3_file* f, sqlite3_int64 size) {
    return real(f)->pMethods->xTruncate(real(f), size);
}
int fileSync(sqlite3_file* f, int flags) {
    if (failsNow())
        return SQLITE_IOERR_FSYNC;
    return real(f)->pMethods->xSync(real(f), flags);
}
int fileSize(sqlite3_file* f, sqlite3_int64* size) {
    return real(f)->pMethods->xFileSize(real(f), size);
}
int fileLock(sqlite3_file* f, int level) {
    return real(f)->pMethods->xLock(real(f), level);
}
int fileUnlock(sqlite3_file* f, int level) {
    return real(f)->pMethods->xUnlock(real(f), level);
}
int fileCheckReservedLock(sqlite3_file* f, int* out) {
    return real(f)->pMethods->xCheckReservedLock(real(f), out);
}
int fileControl(sqlite3_file* f, int op, void* arg) {
    return real(f)->pMethods->xFileControl(real(f), op, arg);
}
int fileSectorSize(sqlite3_file* f) {
    return real(f)->pMethods->xSectorSize(real(f));
}
int fileDeviceCharacteristics(sqlite3_file* f) {
    return real(f)->pMethods->xDeviceCharacteristics(real(f));
}
int fileShmMap(sqlite3_file* f, int page, int size, int extend, void volatile** out) {
    return real(f)->pMethods->xShmMap(real(f), page, size, extend, out);
}
int fileShmLock(sqlite3_file* f, int offset, int n, int flags) {
    return real(f)->pMethods->xShmLock(real(f), offset, n, flags);
}
void fileShmBarrier(sqlite3_file* f) {
    real(f)->pMethods->xShmBarrier(real(f));
}
int fileShmUnmap(sqlite3_file* f, int deleteFlag) {
    return real(f)->pMethods->xShmUnmap(real(f), deleteFlag);
}
int fileFetch(sqlite3_file* f, sqlite3_int64 offset, int amount, void** out) {
    return real(f)->pMethods->xFetch(real(f), offset, amount, out);
}
int fileUnfetch(sqlite3_file* f, sqlite3_int64 offset, void* page) {
    return real(f)->pMethods->xUnfetch(real(f), offset, page);
}

const sqlite3_io_methods kMethods = {
    3,           fileClose,       fileRead,         fileWrite,    fileTruncate,
    fileSync,    fileSize,        fileLock,         fileUnlock,   fileCheckReservedLock,
    fileControl, fileSectorSize,  fileDeviceCharacteristics,     fileShmMap,
    fileShmLock, fileShmBarrier,  fileShmUnmap,     fileFetch,    fileUnfetch,
};

int vfsOpen(sqlite3_vfs*, const char* name, sqlite3_file* file, int flags, int* outFlags) {
    auto* wrapped = reinterpret_cast<File*>(file);
    wrapped->real = reinterpret_cast<sqlite3_file*>(wrapped + 1);
    const int rc = g_real->xOpen(g_real, name, wrapped->real, flags, outFlags);
    // SQLite calls xClose only on a file whose methods are set.
    file->pMethods = rc == SQLITE_OK && wrapped->real->pMethods ? &kMethods : nullptr;
    return rc;
}
int vfsDelete(sqlite3_vfs*, const char* name, int syncDir) {
    return g_real->xDelete(g_real, name, syncDir);
}
int vfsAccess(sqlite3_vfs*, const char* name, int flags, int* out) {
    return g_real->xAccess(g_real, name, flags, out);
}
int vfsFullPathname(sqlite3_vfs*, const char* name, int size, char* out) {
    return g_real->xFullPathname(g_real, name, size, out);
}
void* vfsDlOpen(sqlite3_vfs*, const char* name) {
    return g_real->xDlOpen(g_real, name);
}
void vfsDlError(sqlite3_vfs*, int size, char* out) {
    g_real->xDlError(g_real, size, out);
}
void (*vfsDlSym(sqlite3_vfs*, void* handle, const char* symbol))(void) {
    return g_real->xDlSym(g_real, handle, symbol);
}
void vfsDlClose(sqlite3_vfs*, void* handle) {
    g_real->xDlClose(g_real, handle);
}
int vfsRandomness(sqlite3_vfs*, int size, char* out) {
    return g_real->xRandomness(g_real, size, out);
}
int vfsSleep(sqlite3_vfs*, int microseconds) {
    return g_real->xSleep(g_real, microseconds);
}
int vfsCurrentTime(sqlite3_vfs*, double* out) {
    return g_real->xCurrentTime(g_real, out);
}
int vfsGetLastError(sqlite3_vfs*, int size, char* out) {
    return g_real->xGetLastError(g_real, size, out);
}
int vfsCurrentTimeInt64(sqlite3_vfs*, sqlite3_int64* out) {
    return g_real->xCurrentTimeInt64(g_real, out);
}

} // namespace

void install() {
    if (g_real)
        return;
    sqlite3_initialize();
    g_real = sqlite3_vfs_find(nullptr);
    std::memset(&g_vfs, 0, sizeof g_vfs);
    g_vfs.iVersion = 2;
    g_vfs.szOsFile = static_cast<int>(sizeof(File)) + g_real->szOsFile;
    g_vfs.mxPathname = g_real->mxPathname;
    g_vfs.zName = "faulty";
    g_vfs.xOpen = vfsOpen;
    g_vfs.xDelete = vfsDelete;
    g_vfs.xAccess = vfsAccess;
    g_vfs.xFullPathname = vfsFullPathname;
    g_vfs.xDlOpen = vfsDlOpen;
    g_vfs.xDlError = vfsDlError;
    g_vfs.xDlSym = vfsDlSym;
    g_vfs.xDlClose = vfsDlClose;
    g_vfs.xRandomness = vfsRandomness;
    g_vfs.xSleep = vfsSleep;
    g_vfs.xCurrentTime = vfsCurrentTime;
    g_vfs.xGetLastError = vfsGetLastError;
    g_vfs.xCurrentTimeInt64 = vfsCurrentTimeInt64;
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
