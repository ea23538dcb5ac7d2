#include "Log.h"

#include <array>

#include "BorrowedIFilter.h"
#include "ccc/encoding/EncodingIds.h"
#include "ccc/encoding/Iceman.h"
#include "ccc/flow/StringFlow.h"

namespace Orvane {

namespace {

const char16_t* const kMessageTexts[Log::kMessages][2] = {
    {u"", u""},
    {u"WARNING: The section number is started from H%d.\n", u"警告: 見出しレベルの指定がH%dから始まっています。\n"},
    {u"WARNING: The section number is jumped from H%d to H%d.\n",
     u"警告: 見出しレベルの指定がH%dからH%dにジャンプしました。\n"},
    {u"WARNING: The page number is changed inversely from %d to %d.\n",
     u"警告: ページ番号が%dから%dに逆順に変更されました。\n"},
};

DString toDString(const char16_t* s) {
    DString out;
    for (; *s; ++s) out.push_back(static_cast<unsigned short>(*s));
    return out;
}

using MessageTable = std::array<std::array<DString, 2>, Log::kMessages>;

MessageTable makeMessageTable() {
    MessageTable table;
    for (int n = 0; n < Log::kMessages; ++n)
        for (int language = 0; language < 2; ++language) table[n][language] = toDString(kMessageTexts[n][language]);
    return table;
}

} // namespace

Log::Log(int reserved, CCC::OFlow* flow, CeId ceId, CCC::Spooler* spooler, CCC::CompositIFilter* filter,
         LogWriter* writer)
    : reserved_(reserved), flow_(flow), ceId_(ceId), spooler_(spooler), filter_(filter), writer_(writer) {}

Log::~Log() {
    delete writer_;
    delete filter_;
    delete spooler_;
    delete flow_;
}

std::unique_ptr<Log> Log::toString(DString* sink) {
    // The log's text is the core's own: the chain passes it through.
    using CCC::ceid::kUtf16N;
    std::unique_ptr<CCC::CompositIFilter> filter(CCC::Iceman::createCompositIFilter(kUtf16N, kUtf16N));
    if (!filter) return nullptr;
    auto flow = std::make_unique<CCC::StringOFlow<unsigned short>>(sink);
    auto spooler = std::make_unique<CCC::Spooler>(CCC::kIO16, CCC::Iceman::getIOType(kUtf16N), flow.get());
    // The log keeps the filter; the spooler's chain only borrows it.
    spooler->add(new BorrowedIFilter(filter.get()));
    auto writer = std::make_unique<LogWriter>(spooler.get());
    return std::make_unique<Log>(0, flow.release(), kUtf16N, spooler.release(), filter.release(), writer.release());
}

const DString& Log::message(int number, int language) {
    static const MessageTable table = makeMessageTable();
    if (number < 0 || number >= kMessages || language < 0 || language > 1) return table[0][0];
    return table[number][language];
}

} // namespace Orvane
