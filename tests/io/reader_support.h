#pragma once
// Helpers of the reader and data-set tests: captured message boxes, the shared test files and a
// scratch folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "foundation/platform.h"

namespace test {

// Records every message box instead of showing it, for the life of the object.
class CapturedBoxes {
public:
    CapturedBoxes() {
        Platform::SetMessageBoxHandler([this](const Platform::MessageBoxRequest& request) {
            boxes.push_back(request);
            return Platform::BoxAnswer::Ok;
        });
    }
    ~CapturedBoxes() { Platform::SetMessageBoxHandler(nullptr); }
    CapturedBoxes(const CapturedBoxes&) = delete;
    CapturedBoxes& operator=(const CapturedBoxes&) = delete;

    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const auto& box : boxes) texts.push_back(box.text);
        return texts;
    }

    std::vector<Platform::MessageBoxRequest> boxes;
};

// A file of the shared test data, e.g. TestData("jcamp/dupdec1.jdx").
inline std::string TestData(const std::string& name) {
    return std::string(SORIX_SOURCE_DIR) + "/../shared/testdata/" + name;
}

// An empty folder of its own for one test, removed with the object. Tests run in parallel
// processes: the name carries the test's name and a random number.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& name)
        : path_(std::filesystem::temp_directory_path() /
                ("sorix-" + name + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name() + "-" +
                 std::to_string(std::random_device()()))) {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    std::string Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(File(name), std::ios::binary) << bytes;
        return File(name);
    }
    std::string Path() const { return path_.string(); }

private:
    std::filesystem::path path_;
};

inline std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace test
