#include "picture/read_whole_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>
#include <string>

// Reading shuts out writers while the file is open: the file gets a shared lock of both kinds
// Linux knows (an open-file-description lock through fcntl, and flock), because a writer may
// hold either and the two do not see each other. A lock that conflicts means the file is in
// use for writing and cannot be opened; a file system that offers no locks at all is read
// without one.

namespace tessvane::picture {
namespace {

// Closes the descriptor, and with it releases both locks, whichever way reading ends.
class FileDescriptor {
public:
    explicit FileDescriptor(int descriptor) noexcept : m_descriptor(descriptor) {}
    ~FileDescriptor() {
        if (m_descriptor >= 0) {
            ::close(m_descriptor);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    [[nodiscard]] int get() const noexcept { return m_descriptor; }
    [[nodiscard]] bool valid() const noexcept { return m_descriptor >= 0; }

private:
    int m_descriptor;
};

// Whether a lock request failed because someone else holds a conflicting lock, rather than
// because the file system keeps no locks.
[[nodiscard]] bool lockedByOthers(int error) noexcept {
    return error == EAGAIN || error == EWOULDBLOCK || error == EACCES;
}

// A shared lock on the whole file that keeps writers out; false when a writer holds one.
[[nodiscard]] bool shutOutWriters(int descriptor) noexcept {
    struct flock range {};
    range.l_type = F_RDLCK;
    range.l_whence = SEEK_SET;
    range.l_start = 0;
    range.l_len = 0;  // to the end of the file, however long it grows
    range.l_pid = 0;  // required for open-file-description locks
    if (::fcntl(descriptor, F_OFD_SETLK, &range) != 0 && lockedByOthers(errno)) {
        return false;
    }
    if (::flock(descriptor, LOCK_SH | LOCK_NB) != 0 && lockedByOthers(errno)) {
        return false;
    }
    return true;
}

}  // namespace

ByteBuffer readWholeFile(std::string_view name) {
    // A name with a zero byte in it names no file: the system would read only its first part.
    if (name.empty() || name.find('\0') != std::string_view::npos) {
        return {};
    }
    const std::string path(name);

    // Non-blocking, so that opening a FIFO with no writer or a device returns at once; a
    // regular file reads the same either way.
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!file.valid()) {
        return {};
    }
    struct stat status {};
    if (::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return {};
    }
    if (!shutOutWriters(file.get())) {
        return {};
    }

    // The size as it is now that writers are shut out; off_t is 64 bits.
    if (::fstat(file.get(), &status) != 0 || status.st_size <= 0) {
        return {};
    }
    const auto size = static_cast<std::uint64_t>(status.st_size);
    if (size > kMaxFileBytes) {
        return {};
    }

    ByteBuffer bytes;
    try {
        bytes.resize(static_cast<std::size_t>(size));
    } catch (const std::bad_alloc&) {
        return {};
    }

    std::size_t arrived = 0;
    while (arrived < bytes.size()) {
        const ssize_t count = ::read(file.get(), bytes.data() + arrived, bytes.size() - arrived);
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            return {};
        }
        if (count == 0) {
            break;  // the file became shorter since its size was taken
        }
        arrived += static_cast<std::size_t>(count);
    }
    bytes.resize(arrived);
    return bytes;
}

}  // namespace tessvane::picture
