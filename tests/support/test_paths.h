#pragma once
// Paths of the source tree and of scratch files, valid natively and under Wine.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace testing_support {

// A file of the source tree; under Wine the Linux root is drive Z.
inline std::filesystem::path SourcePath(const std::string& relative)
{
#ifdef _WIN32
    return std::filesystem::path("Z:" TIDEWELL_SOURCE_DIR) / relative;
#else
    return std::filesystem::path(TIDEWELL_SOURCE_DIR) / relative;
#endif
}

// A fresh, empty scratch folder for one test, removed when it goes; its path does not name the
// program, so that what runs from it is no copy of the program.
class ScratchDir {
public:
    explicit ScratchDir(const std::string& name) : path_(std::filesystem::temp_directory_path() / ("tw-test-" + name))
    {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

inline std::string ReadWholeFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

inline void WriteWholeFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

} // namespace testing_support
