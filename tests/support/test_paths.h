#pragma once
// Paths of the source tree and of scratch files, valid natively and under Wine.
#include <filesystem>
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

// A fresh, empty scratch folder for one test; removed by the ScratchDir destructor.
class ScratchDir {
public:
    explicit ScratchDir(const std::string& name);
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

std::string ReadWholeFile(const std::filesystem::path& path);
void WriteWholeFile(const std::filesystem::path& path, const std::string& bytes);

} // namespace testing_support
