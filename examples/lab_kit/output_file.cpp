#include "output_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace vibsim::lab {

namespace {

bool fail(std::string& reason, int error)
{
    reason = std::strerror(error);
    return false;
}

// The file a link names, or the path itself when it is not a link.
bool followed(const std::string& path, std::string& target, std::string& reason)
{
    struct stat link {};
    if (lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) {
        target = path;
        return true;
    }
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved) == nullptr) {
        reason = "it is a link to nothing that can be written";
        return false;
    }
    target = resolved;
    return true;
}

// Opens a new file of our own, named after `path`, in its folder.
bool make_temporary(const std::string& path, std::string& temporary, int& fd, std::string& reason)
{
    const std::size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    temporary = (slash == std::string::npos ? "" : folder) + "." + name + ".XXXXXX";
    std::vector<char> buffer(temporary.begin(), temporary.end());
    buffer.push_back('\0');
    fd = mkostemp(buffer.data(), O_CLOEXEC);
    if (fd < 0) return fail(reason, errno);
    temporary = buffer.data();
    return true;
}

bool write_all(int fd, std::string_view bytes, std::string& reason)
{
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return fail(reason, errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

bool close_checked(int fd, bool ok, std::string& reason)
{
    if (close(fd) != 0 && ok) return fail(reason, errno);
    return ok;
}

// A device or a pipe: written as it is; it cannot be replaced.
bool write_in_place(const std::string& path, std::string_view bytes, std::string& reason)
{
    const int fd = open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0) return fail(reason, errno);
    const bool ok = write_all(fd, bytes, reason);
    return close_checked(fd, ok, reason);
}

mode_t new_file_mode()
{
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

}  // namespace

bool can_write(const std::string& path, std::string& reason)
{
    std::string target;
    if (!followed(path, target, reason)) return false;
    struct stat status {};
    if (stat(target.c_str(), &status) == 0) {
        if (S_ISDIR(status.st_mode)) {
            reason = "it is a folder";
            return false;
        }
        if (access(target.c_str(), W_OK) != 0) return fail(reason, errno);
        if (!S_ISREG(status.st_mode)) return true;
    } else if (errno != ENOENT) {
        return fail(reason, errno);
    }
    // The folder takes a file of our own.
    std::string temporary;
    int fd = -1;
    if (!make_temporary(target, temporary, fd, reason)) return false;
    close(fd);
    unlink(temporary.c_str());
    return true;
}

bool write_file(const std::string& path, std::string_view bytes, std::string& reason)
{
    std::string target;
    if (!followed(path, target, reason)) return false;
    struct stat status {};
    const bool exists = stat(target.c_str(), &status) == 0;
    if (exists && S_ISDIR(status.st_mode)) {
        reason = "it is a folder";
        return false;
    }
    if (exists && !S_ISREG(status.st_mode)) return write_in_place(target, bytes, reason);
    if (exists && access(target.c_str(), W_OK) != 0) return fail(reason, errno);

    // The new file keeps the old one's permissions.
    const mode_t mode = exists ? status.st_mode & 07777 : new_file_mode();
    std::string temporary;
    int fd = -1;
    if (!make_temporary(target, temporary, fd, reason)) return false;
    bool ok = write_all(fd, bytes, reason);
    if (ok && fchmod(fd, mode) != 0) ok = fail(reason, errno);
    if (ok && fsync(fd) != 0) ok = fail(reason, errno);
    ok = close_checked(fd, ok, reason);
    if (ok && rename(temporary.c_str(), target.c_str()) != 0) ok = fail(reason, errno);
    if (!ok) unlink(temporary.c_str());
    return ok;
}

}  // namespace vibsim::lab
