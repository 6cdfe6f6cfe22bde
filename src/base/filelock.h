#pragma once

#include <QString>

#include "base/ioerror.h"

namespace jw {

/// A live holder kept the lock past the wait.
class LockTimeout final : public IoError {
public:
    using IoError::IoError;
};

/// An exclusive lock between processes on the file `path` (created when
/// missing), held for the object's lifetime. The kernel drops it when the
/// holder dies, so a killed copy never blocks the next one. Waits up to
/// `timeoutMs` for a live holder, then throws jw::LockTimeout; other
/// failures throw jw::IoError.
class FileLock final {
public:
    explicit FileLock(const QString &path, int timeoutMs = 10000);
    ~FileLock();

    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

private:
    int m_fd = -1;
};

} // namespace jw
