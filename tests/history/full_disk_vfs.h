// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A disk that fills up on demand: SQLite's own file layer, with every write answered
// SQLITE_FULL while the disk is full, as a real full disk answers. Made SQLite's default
// while it lives, so that the history opens its files through it unchanged.

#include <sqlite3.h>

#include <atomic>

namespace zm::test {

class FullDiskVfs {
public:
    FullDiskVfs();
    ~FullDiskVfs();
    FullDiskVfs(const FullDiskVfs&) = delete;
    FullDiskVfs& operator=(const FullDiskVfs&) = delete;

    void setFull(bool full) { s_full = full; }

private:
    struct File {
        sqlite3_file base;
        sqlite3_file* real;
    };
    static sqlite3_file* real(sqlite3_file* file) { return reinterpret_cast<File*>(file)->real; }
    static int open(sqlite3_vfs* vfs, const char* name, sqlite3_file* file, int flags, int* out);

    static inline std::atomic<bool> s_full = false;
    static inline sqlite3_vfs* s_real = nullptr;
    static inline sqlite3_io_methods s_methods{};
    sqlite3_vfs m_vfs{};
};

inline FullDiskVfs::FullDiskVfs() {
    s_real = sqlite3_vfs_find(nullptr);
    m_vfs = *s_real;
    m_vfs.zName = "full-disk";
    m_vfs.szOsFile = static_cast<int>(sizeof(File)) + s_real->szOsFile;
    m_vfs.xOpen = open;
    sqlite3_vfs_register(&m_vfs, 1);
}

inline FullDiskVfs::~FullDiskVfs() {
    sqlite3_vfs_unregister(&m_vfs);
    sqlite3_vfs_register(s_real, 1);
    s_full = false;
}

inline int FullDiskVfs::open(sqlite3_vfs*, const char* name, sqlite3_file* file, int flags,
                             int* out) {
    File* shim = reinterpret_cast<File*>(file);
    shim->real = reinterpret_cast<sqlite3_file*>(shim + 1);
    const int code = s_real->xOpen(s_real, name, shim->real, flags, out);
    if (code != SQLITE_OK || !shim->real->pMethods) {
        file->pMethods = nullptr;
        return code;
    }
    const sqlite3_io_methods* methods = shim->real->pMethods;
    s_methods = *methods;
    s_methods.xClose = [](sqlite3_file* f) { return real(f)->pMethods->xClose(real(f)); };
    s_methods.xRead = [](sqlite3_file* f, void* data, int amount, sqlite3_int64 offset) {
        return real(f)->pMethods->xRead(real(f), data, amount, offset);
    };
    s_methods.xWrite = [](sqlite3_file* f, const void* data, int amount, sqlite3_int64 offset) {
        return s_full ? SQLITE_FULL : real(f)->pMethods->xWrite(real(f), data, amount, offset);
    };
    s_methods.xTruncate = [](sqlite3_file* f, sqlite3_int64 size) {
        return real(f)->pMethods->xTruncate(real(f), size);
    };
    s_methods.xSync = [](sqlite3_file* f, int flags) {
        return real(f)->pMethods->xSync(real(f), flags);
    };
    s_methods.xFileSize = [](sqlite3_file* f, sqlite3_int64* size) {
        return real(f)->pMethods->xFileSize(real(f), size);
    };
    s_methods.xLock = [](sqlite3_file* f, int lock) {
        return real(f)->pMethods->xLock(real(f), lock);
    };
    s_methods.xUnlock = [](sqlite3_file* f, int lock) {
        return real(f)->pMethods->xUnlock(real(f), lock);
    };
    s_methods.xCheckReservedLock = [](sqlite3_file* f, int* reserved) {
        return real(f)->pMethods->xCheckReservedLock(real(f), reserved);
    };
    s_methods.xFileControl = [](sqlite3_file* f, int op, void* arg) {
        return real(f)->pMethods->xFileControl(real(f), op, arg);
    };
    s_methods.xSectorSize = [](sqlite3_file* f) { return real(f)->pMethods->xSectorSize(real(f)); };
    s_methods.xDeviceCharacteristics = [](sqlite3_file* f) {
        return real(f)->pMethods->xDeviceCharacteristics(real(f));
    };
    s_methods.xShmMap = [](sqlite3_file* f, int page, int size, int extend, void volatile** p) {
        return real(f)->pMethods->xShmMap(real(f), page, size, extend, p);
    };
    s_methods.xShmLock = [](sqlite3_file* f, int offset, int n, int flags) {
        return real(f)->pMethods->xShmLock(real(f), offset, n, flags);
    };
    s_methods.xShmBarrier = [](sqlite3_file* f) { real(f)->pMethods->xShmBarrier(real(f)); };
    s_methods.xShmUnmap = [](sqlite3_file* f, int remove) {
        return real(f)->pMethods->xShmUnmap(real(f), remove);
    };
    // Memory-mapped reads would go round the shim: none.
    s_methods.iVersion = 2;
    file->pMethods = &s_methods;
    return SQLITE_OK;
}

}  // namespace zm::test
