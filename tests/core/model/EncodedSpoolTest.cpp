#include <gtest/gtest.h>

#include "support/Utf.h"

#include <memory>
#include <string>

#include "ccc/encoding/Iceman.h"
#include "ccc/flow/CompositIFilter.h"
#include "ccc/flow/Conveyer.h"
#include "ccc/flow/FixedMemIFlow.h"
#include "ccc/flow/MemOFlow.h"
#include "core/model/EncodedSpool.h"

namespace Orvane {
namespace {

using namespace qmtest;

// The bytes of text through one chain to `to` with `nl`; false when there
// is none.
bool encode(const DString& text, CeId to, CCC::NLConv nl, std::string& bytes) {
    std::unique_ptr<CCC::CompositIFilter> chain(CCC::Iceman::createCompositIFilter(CCC::ceid::kUtf16N, to, nl));
    if (!chain) return false;
    CCC::TFixedMemIFlow<unsigned short> src(text.data(), text.size());
    CCC::MemOFlow out;
    chain->setSrc(&src);
    CCC::Conveyer(chain.get(), &out).carryBlocks(CCC::Iceman::getIOType(to));
    bytes.assign(out.bytes().data(), out.bytes().size());
    return true;
}

// A head through a chain of its own, then the body encoded apart, come to
// the bytes of one chain over both: for every output encoding and newline
// conversion, heads ending in a line end after ASCII or kanji, bodies with
// marks, shifts, pairs, line ends of every kind and characters the
// encoding lacks, taken in blocks that cut pairs and CR LF.
TEST(EncodedSpool, HeadAndBodyApartAreTheWholeDocument) {
    DString body;
    for (int i = 0; i < 400; ++i) body += u16("本\U00020BB7<é>€ｱ\r\nx\r\n\n\u3000+-~\\¥");
    const std::size_t cuts[] = {1, 7, 1000, 1001, 2500};
    int checked = 0;
    for (CeId to = 1; to <= CCC::ceid::kLastEncoding; ++to) {
        if (CCC::Iceman::getIOType(to) == 0) continue;
        for (CCC::NLConv nl = CCC::nlconv::kNone; nl <= CCC::nlconv::kAny2Lf; ++nl) {
            for (const char* head : {"<title>題</title>\n<body>\n", "<body>題\n"}) {
                const DString headText = u16(head);
                std::string whole, apart;
                if (!encode(headText + body, to, nl, whole)) continue;
                ASSERT_TRUE(encode(headText, to, nl, apart));
                EncodedSpool spool;
                ASSERT_TRUE(EncodedSpool::usableAfter(headText.back()));
                ASSERT_TRUE(spool.start(to, nl, headText.back())) << to;
                DString rest = body;
                std::size_t taken = 0;
                for (const std::size_t cut : cuts) {
                    spool.take(rest, cut - taken);
                    taken = cut;
                }
                ASSERT_EQ(spool.finish({TextPiece{rest.data(), rest.size()}}), "");
                CCC::MemOFlow out;
                ASSERT_TRUE(spool.copyTo(out));
                apart.append(out.bytes().data(), out.bytes().size());
                EXPECT_EQ(apart, whole) << "encoding " << to << ", newlines " << nl << ", head " << head;
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 400);
    EXPECT_FALSE(EncodedSpool::usableAfter('>')) << "UTF-7 may be in base64 after it";
}

} // namespace
} // namespace Orvane
