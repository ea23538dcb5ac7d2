#include <gtest/gtest.h>

#include "support/Files.h"
#include "support/Utf.h"

#include <memory>
#include <string>

#include "ccc/flow/CompositIFilter.h"
#include "ccc/flow/FixedMemIFlow.h"
#include "ccc/flow/MemOFlow.h"
#include "core/model/EncodedSpool.h"
#include "core/model/ReplacingFile.h"
#include "core/model/UnitBuffer.h"

namespace Orvane {
namespace {

using namespace qmtest;

std::string encode(const DString& text, CeId to, CCC::NLConv nl) {
    CCC::TFixedMemIFlow<unsigned short> src(text.data(), text.size());
    std::string bytes;
    EXPECT_TRUE(EncodedSpool::encode(src, to, nl, bytes));
    return bytes;
}

// The body taken in blocks that cut pairs and CR LF, then finished.
void feed(EncodedSpool& spool, const DString& body) {
    UnitBuffer rest;
    rest.append(body.data(), body.size());
    std::size_t taken = 0;
    for (const std::size_t cut : {1, 7, 1000, 1001, 2500}) {
        if (cut > body.size()) break;
        spool.take(rest, cut - taken);
        taken = cut;
    }
    ASSERT_EQ(spool.finish({TextPiece{rest.data(), rest.size()}}), "");
}

// A head through a chain of its own, then the body encoded apart, come to
// the bytes of one chain over both: for every output encoding and newline
// conversion, heads ending in a line end after ASCII or kanji, bodies with
// marks, shifts, pairs, line ends of every kind and characters the
// encoding lacks.
TEST(EncodedSpool, HeadAndBodyApartAreTheWholeDocument) {
    DString body;
    for (int i = 0; i < 400; ++i) body += u16("本\U00020BB7<é>€ｱ\r\nx\r\n\n\u3000+-~\\¥");
    int checked = 0;
    for (CeId to = 1; to <= CCC::ceid::kLastEncoding; ++to) {
        for (CCC::NLConv nl = CCC::nlconv::kNone; nl <= CCC::nlconv::kAny2Lf; ++nl) {
            if (!TextFile::outputChain(to, nl)) continue;
            for (const char* head : {"<title>題</title>\n<body>\n", "<body>題\n"}) {
                const DString headText = u16(head);
                EncodedSpool spool;
                ASSERT_TRUE(spool.start(to, nl, headText, nullptr)) << to;
                feed(spool, body);
                CCC::MemOFlow out;
                ASSERT_TRUE(spool.copyTo(out));
                const std::string apart = encode(headText, to, nl) + std::string(out.bytes().data(), out.bytes().size());
                EXPECT_EQ(apart, encode(headText + body, to, nl)) << "encoding " << to << ", newlines " << nl << ", head " << head;
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 400);
    EXPECT_FALSE(EncodedSpool::usableAfter('>')) << "UTF-7 may be in base64 after it";
}

// With a target, the head and body go into the target's temporary file,
// which is the document when the head is the same at the end; when it is
// not, the body's bytes are still there to be copied after the new head.
TEST(EncodedSpool, TargetFileIsTheDocumentWhenTheHeadStayed) {
    Scratch dir;
    const std::string target = dir.file("doc.html");
    const DString head = u16("<title>題</title>\n"), body = u16("本文\n\U00020BB7\n");
    const CeId to = CCC::ceid::kUtf8;
    const CCC::NLConv nl = CCC::nlconv::kLf2CrLf;
    for (const bool same : {true, false}) {
        EncodedSpool spool;
        ASSERT_TRUE(spool.start(to, nl, head, target.c_str()));
        feed(spool, body);
        const DString finalHead = same ? head : u16("<title>別</title>\n");
        std::unique_ptr<ReplacingFile> file = spool.takeFile(encode(finalHead, to, nl));
        EXPECT_EQ(file != nullptr, same);
        CCC::MemOFlow out;
        ASSERT_TRUE(spool.copyTo(out));
        EXPECT_EQ(encode(finalHead, to, nl) + std::string(out.bytes().data(), out.bytes().size()),
                  encode(finalHead + body, to, nl));
        if (file) {
            ASSERT_TRUE(file->commit());
            EXPECT_EQ(readBytes(target), encode(head + body, to, nl));
        }
        spool.clear();
        EXPECT_EQ(dir.entries(), 1) << "the document, and no temporary file left";
    }
}

} // namespace
} // namespace Orvane
