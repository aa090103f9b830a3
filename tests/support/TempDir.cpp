#include "tests/support/TempDir.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {
char Sep()
{
#ifdef _WIN32
    return '\\';
#else
    return '/';
#endif
}
} // namespace

TempDir::TempDir()
{
    static std::atomic<unsigned> counter{0};
    std::random_device rd;
    fs::path base = fs::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path p = base / ("ak-test-" + std::to_string(rd()) + "-" + std::to_string(counter++));
        if (fs::create_directory(p)) {
            m_path = p.u8string();
            return;
        }
    }
    throw std::runtime_error("cannot make a temporary folder");
}

TempDir::~TempDir()
{
    std::error_code ec;
    fs::remove_all(fs::u8path(m_path), ec);
}

std::string TempDir::File(const std::string& name) const
{
    std::string p = m_path + Sep() + name;
    for (char& c : p)
        if (c == '/' || c == '\\')
            c = Sep();
    return p;
}

std::string TempDir::Write(const std::string& name, const std::string& bytes) const
{
    std::string p = File(name);
    // Names are UTF-8, as everywhere in the programs.
    const fs::path path = fs::u8path(p);
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + p);
    return p;
}
