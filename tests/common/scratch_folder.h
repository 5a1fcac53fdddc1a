// Gives each test an empty working folder of its own, removed afterwards.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

class ScratchFolder {
public:
    ScratchFolder()
    {
        std::random_device random;
        path_ /= "quillory-test-" + std::to_string(random()) + std::to_string(random());
        std::filesystem::create_directories(path_);
        std::filesystem::current_path(path_);
    }
    ~ScratchFolder()
    {
        std::filesystem::current_path(previous_);
        std::error_code ignored;  // a test may have taken its permissions away
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path previous_ = std::filesystem::current_path();
    std::filesystem::path path_ = std::filesystem::temp_directory_path();
};

inline std::string readBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void writeBytes(const std::filesystem::path& file, const std::string& bytes)
{
    if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

// Whether the file holds the text; when not, the failure shows what it holds.
inline ::testing::AssertionResult fileHolds(const std::filesystem::path& file, const std::string& text)
{
    std::string bytes = readBytes(file);
    if (bytes.find(text) != std::string::npos) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << file.string() << " holds:\n" << bytes;
}
