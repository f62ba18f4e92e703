#include "foundation/sha256.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

// The usual 64-digit form of a digest, the words in the digest text's form (no leading zeros).
std::string Words(const std::string& hex) {
    std::string text;
    for (std::size_t i = 0; i < 64; i += 8) {
        std::string word = hex.substr(i, 8);
        for (char& c : word) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        const std::size_t first = word.find_first_not_of('0');
        if (!text.empty()) text += ' ';
        text += first == std::string::npos ? "0" : word.substr(first);
    }
    return text;
}

std::string Bytes(std::size_t n) {
    std::string bytes;
    for (std::size_t i = 0; i < n; ++i) bytes += static_cast<char>((i * 7 + 3) % 256);
    return bytes;
}

TEST(Sha256, NistExampleMessages) {
    EXPECT_EQ(Sha256::Hex(""),
              Words("e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"));
    EXPECT_EQ(Sha256::Hex("abc"),
              "BA7816BF 8F01CFEA 414140DE 5DAE2223 B00361A3 96177A9C B410FF61 F20015AD");
    EXPECT_EQ(Sha256::Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              Words("248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"));
    EXPECT_EQ(Sha256::Hex("abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmno"
                          "ijklmnopjklmnopqklmnopqrlmnopqrsmnopqrstnopqrstu"),
              Words("cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1"));
    EXPECT_EQ(Sha256::Hex(std::string(1000000, 'a')),
              Words("cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"));
}

TEST(Sha256, WordsLoseTheirLeadingZeros) {
    EXPECT_EQ(Sha256::Hex("x"),
              "2D711642 B726B044 1627CA9 FBAC32F5 C8530FB1 903CC4DB 2258717 921A4881");
}

// Around the padding boundary: 55 bytes fit one final block, 56 need a second; 64 fill a block.
TEST(Sha256, LengthsAroundTheBlockBoundary) {
    const std::vector<std::pair<std::size_t, const char*>> cases = {
        {55, "e7313d333c272e639f790978283f9eb392e843d0f29b7016828bb1daa4aac70b"},
        {56, "4324d65f3c103567f5589c710bc08f8523f929a9272e3af36fc968e52abc6c27"},
        {63, "81c80242132f230c3bd41b3e63bbcff16107339549214a99614ff26664625055"},
        {64, "39e3d7b6b5d075d37d053ad89b24b41bef4f3c29760c84447cab3f3be1882241"},
        {65, "aacca6ff74fdbb296d165a45cecfa04e5127bc008770fbbdd48006f2d2fae95e"},
    };
    for (const auto& [size, hex] : cases) EXPECT_EQ(Sha256::Hex(Bytes(size)), Words(hex)) << size;
}

TEST(Sha256, ThreadsHashAtOnce) {
    const std::string expected = Sha256::Hex(std::string(200000, 'q'));
    std::vector<std::string> results(4);
    std::vector<std::thread> threads;
    for (auto& result : results)
        threads.emplace_back([&result] {
            for (int i = 0; i < 5; ++i) result = Sha256::Hex(std::string(200000, 'q'));
        });
    for (auto& thread : threads) thread.join();
    for (const auto& result : results) EXPECT_EQ(result, expected);
}

}  // namespace
