#pragma once
// Helpers of the reader and data-set tests: captured message boxes, the shared test files and a
// scratch folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <ios>
#include <random>
#include <streambuf>
#include <string>
#include <vector>

#include "foundation/platform.h"

namespace test {

// The example function library that the build makes; empty for tests built without it.
#ifdef SORIX_EXAMPLE_DLL
inline const std::string kExampleDll = SORIX_EXAMPLE_DLL;
#else
inline const std::string kExampleDll;
#endif

// Records every message box instead of showing it, for the life of the object. Each box gets
// the next of the answers, Ok when none is left.
class CapturedBoxes {
public:
    CapturedBoxes() {
        Platform::SetMessageBoxHandler([this](const Platform::MessageBoxRequest& request) {
            boxes.push_back(request);
            return next < answers.size() ? answers[next++] : Platform::BoxAnswer::Ok;
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
    std::vector<Platform::BoxAnswer> answers;
    std::size_t next = 0;
};

// Hands out its text, then fails as a device does: the next read throws, as a file buffer's
// does when the system refuses the read. It cannot seek.
class FailingBuffer : public std::streambuf {
public:
    explicit FailingBuffer(std::string text) : text_(std::move(text)) {}

private:
    int_type underflow() override {
        if (handed_ || text_.empty()) throw std::ios_base::failure("read error");
        handed_ = true;
        setg(text_.data(), text_.data(), text_.data() + text_.size());
        return traits_type::to_int_type(text_[0]);
    }
    std::string text_;
    bool handed_ = false;
};

// A file of the shared test data (the folder set up at configure time), e.g.
// TestData("jcamp/dupdec1.jdx"). A missing file fails the test with its path; the test goes on
// with a path that opens nothing.
inline std::string TestData(const std::string& name) {
    const std::string path = std::string(SORIX_TESTDATA) + "/" + name;
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        ADD_FAILURE() << "Shared test data file missing: " << path;
    return path;
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
