#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "ccc/base/TString.h"
#include "ccc/encoding/Ccc.h"
#include "core/model/Model.h"
#include "core/syntax/Syntax.h"

namespace syntax_test {

namespace fs = std::filesystem;
using DString = CCC::TString<unsigned short>;

// Sources are read as UTF-8 without a byte-order mark.
constexpr CCC::CeId kUtf8WithoutMark = 8;

// The token dump, the model and the trace generator convert texts through
// the encoding library, which needs starting once per program.
class LibraryEnvironment : public testing::Environment {
public:
    void SetUp() override { ASSERT_TRUE(CCC::Ccc::initialize()); }
    void TearDown() override { CCC::Ccc::unInitialize(); }
};
inline const testing::Environment* const kEnvironment = testing::AddGlobalTestEnvironment(new LibraryEnvironment);

// UTF-8 for readable expectations; the texts here are all in the BMP.
inline std::string utf8(const DString& s) {
    std::string out;
    for (unsigned c : s) {
        if (c >= 0x800) out += {char(0xE0 | c >> 12), char(0x80 | (c >> 6 & 0x3F))};
        else if (c >= 0x80) out += char(0xC0 | c >> 6);
        out += char(c < 0x80 ? c : 0x80 | (c & 0x3F));
    }
    return out;
}

inline std::string utf8(const DString* s) { return s ? utf8(*s) : std::string("null"); }
inline std::string utf8(const std::u16string& s) { return utf8(DString(s.begin(), s.end())); }

inline DString utf16(const std::u16string& s) { return DString(s.begin(), s.end()); }

inline std::string readBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

template <class F>
std::string capturedStdout(F run) {
    std::fflush(stdout);
    testing::internal::CaptureStdout();
    run();
    std::fflush(stdout);
    return testing::internal::GetCapturedStdout();
}

inline std::string dumpTokens(Orvane::Syntax& syntax, const std::u16string& text) {
    const DString s = utf16(text);
    return capturedStdout(
        [&] { EXPECT_TRUE(syntax.dumpTokens(nullptr, s.data(), static_cast<std::uint32_t>(s.size()))); });
}

// Seeded texts of fewer than maxLength characters drawn from the alphabet.
class RandomText {
public:
    RandomText(std::uint32_t seed, std::uint32_t mask) : seed_(seed), mask_(mask) {}
    std::uint32_t next() {
        seed_ = seed_ * 1103515245u + 12345u;
        return (seed_ >> 16) & mask_;
    }
    std::u16string operator()(const std::u16string& alphabet, int maxLength) {
        std::u16string text(next() % maxLength, u' ');
        for (char16_t& c : text) c = alphabet[next() % alphabet.size()];
        return text;
    }

private:
    std::uint32_t seed_, mask_;
};

// Converts the sources registered with the model, with its syntax and
// generator already set.
inline bool generate(Orvane::Model& model, Orvane::Log* log) {
    model.resetTemplate();
    model.setDefaultTemplate();
    model.clearOutputs();
    return model.generate(log);
}

} // namespace syntax_test
