// The corpus tests/data/ccc/filter-cases.tsv (one case a line: a route of
// unit filter numbers joined by '+', perhaps ending in "+nlN", the newline
// stage of mode N after them; "nlN" alone for that stage or "bom" for
// the mark stage; input and expected units in hex) and the agreement of
// every stage's block path with its unit path.
#include <sstream>

#include "PumpKit.h"
#include "support/Corpus.h"
#include "ccc/encoding/UnitFilterFactories.h"
#include "ccc/newline/NewlineStages.h"

using namespace qmtest;

namespace {

// The blockings of the source: one unit a block (every unit boundary a
// block boundary), random short blocks ending like a file, one block.
const struct {
    unsigned seed;
    std::size_t maxBlock;
} kBlockings[] = {{2, 1}, {1, 0}, {3, 0}};

Values hexUnits(const std::string& field) {
    Values v;
    std::istringstream in(field);
    for (std::string t; in >> t;)
        if (t != "-") v.push_back(static_cast<unsigned int>(std::stoul(t, nullptr, 16)));
    return v;
}

// A newline or mark stage of the route in unit width w; nullptr for a chain
// of unit filters.
std::unique_ptr<CCC::IFilter> groupStage(const std::string& route, unsigned w) {
    if (route == "bom") return w == 2 ? std::unique_ptr<CCC::IFilter>(new CCC::U16Bom) : std::make_unique<CCC::U32Bom>();
    return std::unique_ptr<CCC::IFilter>(CCC::createNewlineStage(std::stoi(route.substr(2)), w));
}

TEST(FilterCases, Corpus) {
    const auto cases = readCorpus("ccc/filter-cases.tsv");
    EXPECT_GT(cases.size(), 150u);
    for (const CorpusLine& line : cases) {
        ASSERT_GE(line.fields.size(), 3u) << line.where;
        const std::string& route = line.fields[0];
        const Values in = hexUnits(line.fields[1]), out = hexUnits(line.fields[2]);
        for (ReadMode mode : kModes) {
            for (const auto& b : kBlockings) {
                const std::string where = line.where + " (mode " + std::to_string(static_cast<int>(mode)) +
                                          ", seed " + std::to_string(b.seed) + ")";
                if (std::isdigit(static_cast<unsigned char>(route[0]))) {
                    std::vector<int> numbers;
                    int nlConv = 0;
                    std::istringstream r(route);
                    for (std::string n; std::getline(r, n, '+');) {
                        if (n.starts_with("nl")) nlConv = std::stoi(n.substr(2));
                        else numbers.push_back(std::stoi(n));
                    }
                    EXPECT_EQ(pump(numbers, in, mode, b.seed, b.maxBlock, nlConv), out) << where;
                    continue;
                }
                for (unsigned w : route == "bom" ? std::vector<unsigned>{2, 4} : std::vector<unsigned>{1, 2, 4}) {
                    if (route == "bom" && w == 2 && line.fields[1].find("1F600") != std::string::npos) continue;
                    auto stage = groupStage(route, w);
                    EXPECT_EQ(runValues(*stage, w, in, w, mode, b.seed, b.maxBlock), out) << where << " width " << w;
                }
            }
        }
    }
}

// Random units of a width, rich in the values the stages treat specially.
Values randomUnits(std::mt19937& rng, unsigned width, std::size_t n) {
    static const unsigned int special[] = {
        0x0A, 0x0D, '+', '-', 'A', ' ', 0x1B, 0x24, 0x28, 0x42, 0x4A, 0x40, 0x7F, 0x80, 0x81, 0x82, 0x8E, 0x8F,
        0x9F, 0xA0, 0xA1, 0xA4, 0xB1, 0xBB, 0xBF, 0xC3, 0xDF, 0xE0, 0xE3, 0xEA, 0xEF, 0xF0, 0xF4, 0xFA, 0xFC,
        0xFD, 0xFF, 0xA5, 0x203E, 0xFF5E, 0xFF61, 0xFEFF, 0xFFFE, 0xD83D, 0xDE00, 0xDBFF, 0xDC00, 0x3042,
        0xFFFE0000, 0x1F600, 0x110000};
    Values v;
    while (v.size() < n) {
        unsigned int u = rng() % 2 ? special[rng() % std::size(special)] : static_cast<unsigned int>(rng());
        if (width == 1) u &= 0xFF;
        if (width == 2) u &= 0xFFFF;
        if (width == 4 && rng() % 4) u &= 0x1FFFFF;
        if (rng() % 8 == 0) v.insert(v.end(), {0x1B, 0x24, 0x42});  // a designation, then JIS bytes
        v.push_back(u);
    }
    return v;
}

// Bytes for the UTF-8 decoders: mostly runs of three-byte sequences (leads
// E0-EF, and A0-AF, which the decoders take for leads too), short ones or,
// with longRuns, mostly longer than the decoders' blocks of eight; among
// them ASCII, two- and four-byte sequences, stray continuation bytes,
// sequences cut short and continuation bytes that are none.
Values threeByteRuns(std::mt19937& rng, std::size_t n, bool longRuns) {
    auto pick = [&](unsigned int from, unsigned int count) { return from + static_cast<unsigned int>(rng() % count); };
    auto continuation = [&] { return rng() % 32 ? pick(0x80, 0x40) : pick(0, 0x100); };
    Values v;
    if (rng() % 4 == 0) v.insert(v.end(), {0xEF, 0xBB, 0xBF});
    while (v.size() < n) {
        const unsigned int kind = pick(0, longRuns ? 192 : 24);
        if (kind < 16 || kind >= 24) {
            v.insert(v.end(), {rng() % 8 ? pick(0xE0, 16) : pick(0xA0, 16), continuation(), continuation()});
        } else if (kind < 18) {
            v.insert(v.end(), pick(1, 20), pick(0x20, 0x60));
        } else if (kind == 18) {
            v.insert(v.end(), {pick(0x80, 0x60), continuation()});
        } else if (kind == 19) {
            v.insert(v.end(), {pick(0xF0, 16), continuation(), continuation(), continuation()});
        } else if (kind == 20) {
            v.push_back(pick(0x80, 0x40));
        } else {
            v.push_back(pick(0xE0, 16));
            if (kind == 21) v.push_back(continuation());
        }
    }
    return v;
}

// Units for the UTF-8 encoders: stretches of one-, two- and three-byte
// characters mixed every few units or in long runs, their width classes'
// edge values among them, with LFs, paired and lone surrogates between.
Values mixedWidths(std::mt19937& rng, std::size_t n) {
    static const unsigned int edges[] = {0x00, 0x7F, 0x80, 0x7FF, 0x800, 0xD7FF, 0xE000, 0xFFFF, 0x3042, 0x4E00};
    auto pick = [&](unsigned int from, unsigned int count) { return from + static_cast<unsigned int>(rng() % count); };
    Values v;
    while (v.size() < n) {
        const std::size_t stretch = rng() % 4 ? 1 + rng() % 12 : 8 + rng() % 64;
        const unsigned int widths = 1 + rng() % 7;  // which of the three classes the stretch draws from
        for (std::size_t i = 0; i < stretch; ++i) {
            unsigned int u;
            switch (rng() % 3) {
            case 0: u = widths & 1 ? pick(0x20, 0x5F) : 0x3044; break;
            case 1: u = widths & 2 ? pick(0x80, 0x780) : 'a'; break;
            default: u = widths & 4 ? (rng() % 2 ? pick(0x3040, 0x60) : pick(0x4E00, 0x5200)) : 0x7E1; break;
            }
            if (rng() % 16 == 0) u = edges[rng() % std::size(edges)];
            v.push_back(u);
        }
        switch (rng() % 12) {
        case 0: v.push_back(0x0A); break;
        case 1: v.insert(v.end(), {0xD83D, 0xDE00}); break;
        case 2: v.push_back(rng() % 2 ? 0xDBFF : 0xDC00); break;
        default: break;
        }
    }
    return v;
}

// The input cut into random source blocks and read back in random mixes of
// unit and block reads gives exactly the units of the unit path.
void expectBlockPathEqualsUnitPath(std::mt19937& rng, CCC::IFilter& f, unsigned inWidth, unsigned outWidth,
                                   const Values& in, const std::string& name) {
    Values byUnits = runValues(f, inWidth, in, outWidth, ReadMode::Units, 1, 1 << 20);
    unsigned seed = static_cast<unsigned>(rng());
    EXPECT_EQ(runValues(f, inWidth, in, outWidth, ReadMode::Blocks, seed), byUnits) << name;
    EXPECT_EQ(runValues(f, inWidth, in, outWidth, ReadMode::Mixed, seed + 1), byUnits) << name;
    EXPECT_EQ(runValues(f, inWidth, in, outWidth, ReadMode::Mixed, seed + 2, 1), byUnits) << name;
}

TEST(FilterCases, BlockPathEqualsUnitPath) {
    std::mt19937 rng(42);
    auto check = [&](CCC::IFilter& f, unsigned inWidth, unsigned outWidth, const std::string& name) {
        for (int round = 0; round < 8; ++round)
            expectBlockPathEqualsUnitPath(rng, f, inWidth, outWidth,
                                          randomUnits(rng, inWidth, rng() % 2 ? rng() % 300 : 3000), name);
    };
    for (int n = 0; n < CCC::UnitFilterTable::kCount; ++n) {
        std::unique_ptr<CCC::IFilter> f(CCC::UnitFilterTable::create(n));
        check(*f, f->getSrcIOTypeMask(), f->getIOType(), "filter " + std::to_string(n));
    }
    for (unsigned w : {1u, 2u, 4u}) {
        for (CCC::NLConv mode = CCC::nlconv::kLf2Cr; mode <= CCC::nlconv::kAny2CrLf; ++mode) {
            std::unique_ptr<CCC::IFilter> s(CCC::createNewlineStage(mode, w));
            check(*s, w, w, "newline mode " + std::to_string(mode));
        }
        if (w > 1) check(*groupStage("bom", w), w, w, "mark stage");
    }
    // Encoders that take over the LF -> CR LF stage after them.
    for (int n : {12, 21, 22, 51, 56}) check(*chainOf({n}, CCC::nlconv::kLf2CrLf), 2, 1, "CR LF after " + std::to_string(n));
    EXPECT_EQ(CCC::createNewlineStage(CCC::nlconv::kNone, CCC::kIO8), nullptr);
    EXPECT_EQ(CCC::createNewlineStage(CCC::nlconv::kLf2CrLf, 3), nullptr);
}

// The UTF-8 decoders' block path takes runs of three-byte sequences in a
// loop of its own, eight at a time where it can: every place a run may
// start, end or be broken, and every end of a source or output block.
TEST(FilterCases, Utf8DecodersTakeThreeByteRunsAsTheUnitPath) {
    std::mt19937 rng(11);
    for (int n : {11, 23}) {
        std::unique_ptr<CCC::IFilter> f(CCC::UnitFilterTable::create(n));
        for (int round = 0; round < 300; ++round)
            expectBlockPathEqualsUnitPath(rng, *f, 1, 2,
                                          threeByteRuns(rng, rng() % 2 ? rng() % 64 : 3000, round % 3 == 0),
                                          "UTF-8 decoder " + std::to_string(n));
    }
}

// The UTF-8 encoders' block path takes mixed text eight units at a time
// where it can: every mix of widths, every place a surrogate or (with the
// CR LF expansion) an LF breaks it, every end of a source or output block.
TEST(FilterCases, Utf8EncodersTakeMixedTextAsTheUnitPath) {
    std::mt19937 rng(13);
    for (int n : {12, 21, 22}) {
        std::unique_ptr<CCC::IFilter> f(CCC::UnitFilterTable::create(n));
        for (int round = 0; round < 200; ++round) {
            const Values in = mixedWidths(rng, rng() % 2 ? rng() % 64 : 3000);
            expectBlockPathEqualsUnitPath(rng, *f, 2, 1, in, "UTF-8 encoder " + std::to_string(n));
            if (round % 4 == 0)
                expectBlockPathEqualsUnitPath(rng, *chainOf({n}, CCC::nlconv::kLf2CrLf), 2, 1, in,
                                              "UTF-8 encoder " + std::to_string(n) + " with CR LF");
        }
    }
}

// An encoder that takes over the LF -> CR LF stage writes what the stage
// would have made of its output: byte 10 comes from an LF and nothing else.
TEST(FilterCases, EncodersExpandLineFeedsAsTheStage) {
    std::mt19937 rng(7);
    for (int n : {12, 21, 22, 51, 56}) {
        for (int round = 0; round < 8; ++round) {
            const Values in = randomUnits(rng, 2, 3000);
            Values expected;
            for (unsigned int b : pump({n}, in, ReadMode::Blocks, 1, 1 << 20)) {
                if (b == 0x0A) expected.push_back(0x0D);
                expected.push_back(b);
            }
            const unsigned seed = static_cast<unsigned>(rng());
            EXPECT_EQ(pump({n}, in, ReadMode::Mixed, seed, 0, CCC::nlconv::kLf2CrLf), expected) << n;
        }
    }
}

} // namespace
