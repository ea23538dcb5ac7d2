#include <gtest/gtest.h>

#include "../unicode/PumpKit.h"
#include "ccc/encoding/UnitFilterFactories.h"
#include "ccc/newline/NewlineStages.h"

using namespace qmtest;

namespace {

template <class T>
std::vector<T> unitsFrom(const std::string& s) {
    return narrowTo<T>(valuesOf(s));
}

struct Case {
    int nlConv;
    const char* in;
    const char* out;
};

// Line ends written as \r and \n.
const Case kCases[] = {
    {1, "a\nb\r\n", "a\rb\r\r"},
    {2, "a\rb\r\n\n", "a\nb\n\n\n"},
    {3, "\r\r\n", "\r\n"},
    {3, "\rA", "\rA"},
    {3, "a\r\nb\r\n\r", "a\nb\n\r"},
    {3, "\r\r\r\n\n", "\r\r\n\n"},
    {4, "\r\r\n", "\r\r"},
    {4, "a\r\nb\n\r", "a\rb\n\r"},
    {5, "a\nb\r\n", "a\r\nb\r\r\n"},
    {5, "\n\n", "\r\n\r\n"},
    {6, "a\rb\r\n", "a\r\nb\r\n\n"},
    {7, "a\rb\nc\r\n\r", "a\rb\rc\r\r"},
    {8, "a\rb\nc\r\n", "a\nb\nc\n"},
    {8, "\r\r\n\n\r", "\n\n\n\n"},
    {9, "a\rb\nc\r\n", "a\r\nb\r\nc\r\n"},
    {9, "x\r", "x\r\n"},
    {9, "", ""},
};

template <class T>
void checkTable(CCC::IOType width) {
    for (const Case& c : kCases) {
        for (ReadMode mode : kModes) {
            for (unsigned seed : {1u, 2u}) {
                std::unique_ptr<CCC::GroupUtility> stage(CCC::createNewlineStage(c.nlConv, width));
                ASSERT_NE(stage, nullptr);
                EXPECT_EQ(run<T>(*stage, unitsFrom<T>(c.in), mode, seed), unitsFrom<T>(c.out))
                    << "nlConv " << c.nlConv << " width " << width << " in " << testing::PrintToString(c.in);
            }
        }
    }
}

TEST(NewlineStages, TableInEveryWidth) {
    checkTable<char>(CCC::kIO8);
    checkTable<unsigned short>(CCC::kIO16);
    checkTable<unsigned int>(CCC::kIO32);
}

TEST(NewlineStages, FactoryAndBlockPathEqualsUnitPath) {
    std::mt19937 rng(5);
    const char alphabet[] = {'\r', '\n', '\r', 'a', '\n', 'b'};
    for (int nl = 1; nl <= 9; ++nl) {
        for (CCC::IOType w : {CCC::kIO8, CCC::kIO16, CCC::kIO32}) {
            std::unique_ptr<CCC::GroupUtility> s(CCC::createNewlineStage(nl, w));
            ASSERT_NE(s, nullptr);
            EXPECT_EQ(s->getUnitIOType(), w);
            EXPECT_EQ(s->getIOType(), w);
            EXPECT_EQ(s->getSrcIOTypeMask(), CCC::kIOAll);
            EXPECT_FALSE(s->openP());
        }
        std::unique_ptr<CCC::GroupUtility> stage(CCC::createNewlineStage(nl, CCC::kIO16));
        for (int round = 0; round < 30; ++round) {
            std::vector<unsigned short> in;
            for (std::size_t i = rng() % 200; i > 0; --i) in.push_back(static_cast<unsigned short>(alphabet[rng() % 6]));
            auto byUnits = run<unsigned short>(*stage, in, ReadMode::Units, 1);
            unsigned seed = static_cast<unsigned>(rng());
            EXPECT_EQ(run<unsigned short>(*stage, in, ReadMode::Blocks, seed), byUnits) << nl;
            EXPECT_EQ(run<unsigned short>(*stage, in, ReadMode::Mixed, seed), byUnits) << nl;
        }
    }
    for (int nl : {0, 10, -1}) EXPECT_EQ(CCC::createNewlineStage(nl, CCC::kIO8), nullptr);
    EXPECT_EQ(CCC::createNewlineStage(5, 3), nullptr);
    std::unique_ptr<CCC::GroupUtility> s(CCC::createNewlineStage(5, CCC::kIO8));
    EXPECT_NE(dynamic_cast<CCC::Lf2CrLf8*>(s.get()), nullptr);
    std::unique_ptr<CCC::GroupUtility> a(CCC::createNewlineStage(8, CCC::kIO32));
    auto* auto32 = dynamic_cast<CCC::Auto2NewLine32*>(a.get());
    ASSERT_NE(auto32, nullptr);
    EXPECT_EQ(auto32->getTarget(), 8);
}

template <class Stage, class T>
void checkBom(const std::vector<T>& in, const std::vector<T>& out) {
    for (ReadMode mode : kModes) {
        Stage s;
        EXPECT_EQ(s.getUnitIOType(), CCC::ioTypeOf<T>);
        EXPECT_EQ(run<T>(s, in, mode, 3), out);
    }
}

TEST(BomStages, ExactlyOneMark) {
    using V16 = std::vector<unsigned short>;
    using V32 = std::vector<unsigned int>;
    checkBom<CCC::U16Bom>(V16{0xFEFF, 'a', 0xFEFF, 'b'}, V16{0xFEFF, 'a', 'b'});
    checkBom<CCC::U16Bom>(V16{'a'}, V16{0xFEFF, 'a'});
    checkBom<CCC::U16Bom>(V16{}, V16{0xFEFF});
    checkBom<CCC::U32Bom>(V32{0xFEFF, 0x1F600}, V32{0xFEFF, 0x1F600});

    // rewind owes the mark again.
    V16 text{0xFEFF, 'x'};
    ChoppyIFlow<unsigned short> src(text, 1);
    CCC::U16Bom s;
    s.setSrc(&src);
    EXPECT_EQ(drain<unsigned short>(s, ReadMode::Blocks), (V16{0xFEFF, 'x'}));
    EXPECT_TRUE(s.rewind());
    EXPECT_EQ(drain<unsigned short>(s, ReadMode::Units), (V16{0xFEFF, 'x'}));
}

} // namespace
