#include "kit/output_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

namespace vibsim::kit {

namespace {

bool fail(std::string& reason, int error)
{
    reason = std::strerror(error);
    return false;
}

// The output's own descriptor, moved above the three standard ones: when
// the program was started with one of them closed, a new descriptor would
// take its number, and the console's text would be written into the file.
int above_standard(int fd)
{
    if (fd < 0 || fd > STDERR_FILENO) return fd;
    const int moved = fcntl(fd, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
    const int error = errno;
    close(fd);
    errno = error;
    return moved;
}

// The descriptor that a name for one of the program's own descriptors
// stands for: "-" and /dev/stdout for standard output, /dev/stderr, and
// /dev/fd/N or /proc/self/fd/N (the shell's >(command) gives such a name).
// Their links lead to a pipe or to whatever the shell opened; writing the
// descriptor itself writes there, where the shell meant.
std::optional<int> descriptor_named(std::string_view path)
{
    if (path == "-" || path == "/dev/stdout") return STDOUT_FILENO;
    if (path == "/dev/stderr") return STDERR_FILENO;
    for (const std::string_view folder : {"/dev/fd/", "/proc/self/fd/"}) {
        if (!path.starts_with(folder)) continue;
        const std::string_view digits = path.substr(folder.size());
        if (digits.empty() || digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string_view::npos) {
            return std::nullopt;
        }
        return std::atoi(std::string(digits).c_str());
    }
    return std::nullopt;
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

// Opens a new file of our own in the folder of `path`, named after it:
// .NAME.XXXXXX, with NAME shortened where the whole would pass the longest
// name the folder takes.
bool make_temporary(const std::string& path, std::string& temporary, int& fd, std::string& reason)
{
    const std::size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const long longest = pathconf(folder.c_str(), _PC_NAME_MAX);
    constexpr std::size_t added = 8;  // the leading dot and .XXXXXX
    const std::size_t fits =
        (longest > static_cast<long>(added) ? static_cast<std::size_t>(longest) : std::size_t{NAME_MAX}) - added;
    if (name.size() > fits) name.resize(fits);
    temporary = (slash == std::string::npos ? "" : folder) + "." + name + ".XXXXXX";
    std::vector<char> buffer(temporary.begin(), temporary.end());
    buffer.push_back('\0');
    fd = mkostemp(buffer.data(), O_CLOEXEC);
    if (fd < 0) return fail(reason, errno);
    temporary = buffer.data();
    fd = above_standard(fd);
    if (fd >= 0) return true;
    const int error = errno;
    unlink(temporary.c_str());
    return fail(reason, error);
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

mode_t new_file_mode()
{
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

}  // namespace

OutputFile::~OutputFile()
{
    if (fd >= 0) close(fd);
}

bool open_output(const std::string& path, OutputFile& output, std::string& reason)
{
    if (const std::optional<int> descriptor = descriptor_named(path)) {
        output.target = path;
        output.standard_output = *descriptor == STDOUT_FILENO;
        output.fd = fcntl(*descriptor, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
        if (output.fd >= 0) return true;
        if (errno != EBADF) return fail(reason, errno);
        reason = "it names descriptor " + std::to_string(*descriptor) + ", which is not open";
        return false;
    }
    if (!followed(path, output.target, reason)) return false;
    const std::string& target = output.target;
    struct stat status {};
    if (stat(target.c_str(), &status) == 0) {
        if (S_ISDIR(status.st_mode)) {
            reason = "it is a folder";
            return false;
        }
        if (!S_ISREG(status.st_mode)) {
            // A FIFO waits here for its reader, before any work is done.
            output.fd = above_standard(open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
            return output.fd >= 0 || fail(reason, errno);
        }
        if (access(target.c_str(), W_OK) != 0) return fail(reason, errno);
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

bool write_output(OutputFile& output, std::string_view bytes, std::string& reason)
{
    if (output.fd >= 0) {
        const int fd = output.fd;
        output.fd = -1;
        const bool ok = write_all(fd, bytes, reason);
        return close_checked(fd, ok, reason);
    }
    const std::string& target = output.target;
    struct stat status {};
    const bool exists = stat(target.c_str(), &status) == 0;
    if (exists && S_ISDIR(status.st_mode)) {
        reason = "it is a folder";
        return false;
    }
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

bool write_file(const std::string& path, std::string_view bytes, std::string& reason)
{
    OutputFile output;
    return open_output(path, output, reason) && write_output(output, bytes, reason);
}

bool same_output(const std::string& a, const std::string& b)
{
    // An existing file by its device and inode; a new one by its folder's
    // resolved path and its name.
    const auto identity = [](const std::string& path) -> std::string {
        struct stat status {};
        const std::optional<int> descriptor = descriptor_named(path);
        if (descriptor ? fstat(*descriptor, &status) == 0 : stat(path.c_str(), &status) == 0) {
            return "file " + std::to_string(status.st_dev) + ":" + std::to_string(status.st_ino);
        }
        const std::size_t slash = path.find_last_of('/');
        const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
        const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
        char resolved[PATH_MAX];
        if (realpath(folder.c_str(), resolved) == nullptr) return "name " + path;
        return "name " + std::string(resolved) + "/" + name;
    };
    return identity(a) == identity(b);
}

}  // namespace vibsim::kit
