#include "support/temp_dir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace r7t::fixtures {

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "r7t-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

namespace {

// The name of this test under R7T_KEEP_TEST_FILES: the test's gtest filter
// (ctest runs one test a process) or the program's name, then a count.
std::filesystem::path keptFolder()
{
    static int count = 0;
    std::ifstream in("/proc/self/cmdline", std::ios::binary);
    std::string name;
    for (std::string arg; std::getline(in, arg, '\0');) {
        if (name.empty())
            name = std::filesystem::path(arg).filename().string();
        if (arg.rfind("--gtest_filter=", 0) == 0)
            name = arg.substr(15);
    }
    return std::filesystem::path(std::getenv("R7T_KEEP_TEST_FILES")) / name / std::to_string(++count);
}

} // namespace

TempDir::~TempDir()
{
    std::error_code ec;
    // Kept to compare what two builds of the programs write.
    if (std::getenv("R7T_KEEP_TEST_FILES")) {
        const std::filesystem::path kept = keptFolder();
        std::filesystem::create_directories(kept, ec);
        std::filesystem::copy(path_, kept, std::filesystem::copy_options::recursive, ec);
    }
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream os;
    os << in.rdbuf();
    return os.str();
}

void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

} // namespace r7t::fixtures
