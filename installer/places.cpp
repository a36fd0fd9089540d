#include "installer/places.h"

#include <cstdlib>
#include <fstream>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace r7t::installer {

namespace {

std::string variable(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

// A value of the desktop entry format: backslash, line breaks and tabs escaped.
std::string entryValue(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        default: out += c;
        }
    }
    return out;
}

// One argument of an Exec line, always quoted so that spaces and the
// launcher's reserved characters stay part of the path; '%' is the field
// code marker and is doubled.
std::string execArgument(const std::string& path)
{
    std::string out = "\"";
    for (char c : path) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            out += '\\';
        if (c == '%')
            out += '%';
        out += c;
    }
    return out + "\"";
}

} // namespace

Environment currentEnvironment()
{
    Environment environment;
    environment.home = variable("HOME");
    environment.configHome = variable("XDG_CONFIG_HOME");
    environment.administrator = geteuid() == 0;
    return environment;
}

fs::path userDirectory(const fs::path& userDirsFile, const std::string& key, const fs::path& home)
{
    std::ifstream in(userDirsFile);
    std::string line;
    const std::string prefix = key + "=\"";
    while (std::getline(in, line)) {
        if (line.rfind(prefix, 0) != 0 || line.size() < prefix.size() + 1 || line.back() != '"')
            continue;
        std::string value = line.substr(prefix.size(), line.size() - prefix.size() - 1);
        std::string unescaped;
        for (size_t i = 0; i < value.size(); ++i) {
            if (value[i] == '\\' && i + 1 < value.size())
                ++i;
            unescaped += value[i];
        }
        if (unescaped.rfind("$HOME", 0) == 0 && (unescaped.size() == 5 || unescaped[5] == '/'))
            return home / fs::path(unescaped.substr(std::min<size_t>(6, unescaped.size())));
        if (!unescaped.empty() && unescaped.front() == '/')
            return fs::path(unescaped);
        return {};
    }
    return {};
}

Places platformPlaces(const Environment& environment)
{
    const fs::path home = environment.home.empty() ? fs::path("/") : fs::path(environment.home);
    const fs::path config = environment.configHome.empty() ? home / ".config" : fs::path(environment.configHome);
    const fs::path userDirs = config / "user-dirs.dirs";

    Places places;
    places.documents = userDirectory(userDirs, "XDG_DOCUMENTS_DIR", home);
    if (places.documents.empty())
        places.documents = home / "Documents";
    places.desktop = userDirectory(userDirs, "XDG_DESKTOP_DIR", home);
    if (places.desktop.empty())
        places.desktop = home / "Desktop";
    // A desktop set to the home folder means the user has none.
    if (places.desktop.lexically_normal() == home.lexically_normal() ||
        places.desktop.lexically_normal() == (home / "").lexically_normal())
        places.desktop.clear();
    if (environment.administrator) {
        places.applicationsMenu = "/usr/local/share/applications";
        places.defaultDestination = "/opt";
    } else {
        places.applicationsMenu = home / ".local/share/applications";
        places.defaultDestination = (home / ".local/opt").string();
    }
    return places;
}

std::string shortcutText(const fs::path& program, const fs::path& icon)
{
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Version=1.0\n"
           "Name=Orvel_R7T\n"
           "Comment=Vol à voile R7T\n"
           "Exec=" + entryValue(execArgument(program.string())) + "\n"
           "Icon=" + entryValue(icon.string()) + "\n"
           "Terminal=false\n"
           "Categories=Office;\n";
}

void markShortcutTrusted(const fs::path& shortcut)
{
    std::error_code ignored;
    fs::permissions(shortcut,
                    fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec,
                    fs::perm_options::add, ignored);
    // GNOME's desktop icons start a launcher only once it is marked trusted;
    // without gio or a session the mark is skipped, as any shortcut failure.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const std::string path = shortcut.string();
    const char* argv[] = {"gio", "set", "-t", "string", path.c_str(), "metadata::trusted", "true", nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, "gio", &actions, nullptr, const_cast<char**>(argv), environ) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
    }
    posix_spawn_file_actions_destroy(&actions);
}

} // namespace r7t::installer
