#include "export/write_whole_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

namespace tessvane::exporter {
namespace {

void reportFailure(const std::string& name, const char* what, int error) {
    std::fprintf(stderr, "tessvane: %s \"%s\": %s\n", what, name.c_str(), std::strerror(error));
}

// Writes all of bytes, going on after a write that took only part of them; 0 or an error.
int writeAll(int fd, ByteSpan bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        if (written == 0) {
            return EIO;  // no progress: the device takes nothing more
        }
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return 0;
}

// Removes the file a failed write left, as long as the name still names the file that was
// created (its device and inode as fstat gave them after creating it).
void removePartialFile(const std::string& name, const struct stat& created) {
    struct stat named {};
    if (::lstat(name.c_str(), &named) == 0 && created.st_dev == named.st_dev && created.st_ino == named.st_ino) {
        ::unlink(name.c_str());
    }
}

}  // namespace

WriteOutcome writeNewFile(std::string_view name, std::initializer_list<ByteSpan> buffers) {
    // A name with a zero byte in it would silently name another file.
    if (name.empty() || name.find('\0') != std::string_view::npos) {
        std::fprintf(stderr, "tessvane: cannot write a file without a proper name\n");
        return WriteOutcome::failed;
    }
    const std::string path(name);
    // O_EXCL creates the file or fails: an existing file is never emptied, and a symbolic
    // link planted under the name is refused rather than followed.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd < 0) {
        const int error = errno;
        if (error == EEXIST) {
            return WriteOutcome::nameTaken;
        }
        reportFailure(path, "cannot create", error);
        return WriteOutcome::failed;
    }
    struct stat created {};
    if (::fstat(fd, &created) != 0) {
        const int error = errno;
        reportFailure(path, "cannot examine", error);
        ::close(fd);
        ::unlink(path.c_str());
        return WriteOutcome::failed;
    }
    // No other process that asks for the lock gets at the file while it is written.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        reportFailure(path, "cannot lock", error);
        removePartialFile(path, created);
        ::close(fd);
        return WriteOutcome::failed;
    }
    for (const ByteSpan buffer : buffers) {
        if (const int error = writeAll(fd, buffer); error != 0) {
            reportFailure(path, "cannot write", error);
            removePartialFile(path, created);
            ::close(fd);
            return WriteOutcome::failed;
        }
    }
    // A close that fails may have lost written data (on a network file system, say). The lock
    // goes with the close.
    if (::close(fd) != 0) {
        const int error = errno;
        reportFailure(path, "cannot finish writing", error);
        removePartialFile(path, created);
        return WriteOutcome::failed;
    }
    return WriteOutcome::written;
}

bool writeWholeFile(std::string_view name, std::initializer_list<ByteSpan> buffers) {
    const WriteOutcome outcome = writeNewFile(name, buffers);
    if (outcome == WriteOutcome::nameTaken) {
        reportFailure(std::string(name), "cannot create", EEXIST);
    }
    return outcome == WriteOutcome::written;
}

}  // namespace tessvane::exporter
