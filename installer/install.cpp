#include "installer/install.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace r7t::installer {

namespace {

bool writeAll(int fd, const char* data, size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

// Writes through a temporary file in the destination's folder, then renames
// it over the destination: the destination is either the old file or the
// whole new one. fill writes the content into the open descriptor.
template <typename Fill>
bool replaceFile(const fs::path& destination, mode_t mode, Fill fill)
{
    std::string name = (destination.parent_path() / ("." + destination.filename().string() + "-XXXXXX")).string();
    const int fd = mkstemp(name.data());
    if (fd < 0)
        return false;
    bool ok = fill(fd) && fchmod(fd, mode) == 0 && fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok && ::rename(name.c_str(), destination.c_str()) == 0)
        return true;
    ::unlink(name.c_str());
    return false;
}

// A folder that exists, or is made, and that the installer can write in.
bool makeFolder(const fs::path& folder)
{
    std::error_code ec;
    if (!fs::is_directory(folder, ec))
        fs::create_directories(folder, ec);
    return fs::is_directory(folder, ec) && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

void writeShortcut(const fs::path& folder, const std::string& text, const InstallRequest& request)
{
    if (folder.empty() || !makeFolder(folder))
        return;
    const fs::path path = folder / kShortcutName;
    const bool written = replaceFile(path, 0644, [&](int fd) { return writeAll(fd, text.data(), text.size()); });
    if (written && request.markTrusted)
        request.markTrusted(path);
}

} // namespace

std::string withoutTrailingSeparator(const std::string& folder)
{
    std::string text = folder;
    while (!text.empty() && text.back() == '/')
        text.pop_back();
    return text;
}

fs::path programFolderIn(const std::string& chosen)
{
    return fs::path(withoutTrailingSeparator(chosen) + "/" + kProgramFolderName);
}

std::vector<std::string> filesToInstall(const fs::path& source)
{
    std::vector<std::string> files{kProgramName, kHelpContents};
    std::vector<std::string> pages;
    std::error_code ec;
    for (fs::directory_iterator it(source / kHelpFolderName, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string relative = std::string(kHelpFolderName) + "/" + it->path().filename().string();
        if (it->is_regular_file(ec) && relative != kHelpContents)
            pages.push_back(relative);
    }
    std::sort(pages.begin(), pages.end());
    files.insert(files.end(), pages.begin(), pages.end());
    files.push_back(kIconName);
    return files;
}

bool copyFileWhole(const fs::path& source, const fs::path& destination)
{
    const int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return false;
    struct stat status {};
    bool ok = fstat(in, &status) == 0 && S_ISREG(status.st_mode);
    ok = ok && replaceFile(destination, status.st_mode & 0777, [in](int out) {
        char buffer[65536];
        for (;;) {
            const ssize_t got = ::read(in, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                return false;
            if (got == 0)
                return true;
            if (!writeAll(out, buffer, static_cast<size_t>(got)))
                return false;
        }
    });
    ::close(in);
    return ok;
}

InstallOutcome install(const InstallRequest& request)
{
    InstallOutcome outcome;
    std::error_code ec;
    const fs::path folder = fs::absolute(programFolderIn(request.destination), ec);
    if (makeFolder(folder))
        outcome.programFolder = folder;
    else
        outcome.error = InstallError::Folder;

    for (const std::string& file : filesToInstall(request.source)) {
        if (outcome.error != InstallError::None)
            break;
        outcome.file = file;
        const fs::path destination = folder / file;
        if (!makeFolder(destination.parent_path()) || !copyFileWhole(request.source / file, destination))
            outcome.error = InstallError::Copy;
    }

    // The data folder is made even after an error.
    const fs::path data = request.places.documents / kDataFolderName;
    if (makeFolder(data))
        outcome.dataFolder = data;
    else
        outcome.error = InstallError::Folder;

    if (outcome.error == InstallError::None) {
        outcome.file = "    ";
        if (request.places.applicationsMenu.empty()) {
            outcome.error = InstallError::Shortcuts;
        } else {
            const std::string text = shortcutText(folder / kProgramName, folder / kIconName);
            writeShortcut(request.places.desktop, text, request);
            writeShortcut(request.places.applicationsMenu, text, request);
        }
    }
    return outcome;
}

} // namespace r7t::installer
