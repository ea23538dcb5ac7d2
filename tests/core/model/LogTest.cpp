#include <gtest/gtest.h>

#include "core/generator/TestFiles.h"
#include "core/model/Log.h"

namespace Orvane::testing {
namespace {

TEST(Log, PrintsIntoItsStringInBothLanguages) {
    DString text = u16("before:");
    {
        std::unique_ptr<Log> log = Log::toString(&text);
        ASSERT_TRUE(log);
        log->getWriter()->print(&Log::message(Log::kHeadingJump, Log::kEnglish), 1, 3);
        log->getWriter()->print(&Log::message(Log::kPageBackwards, Log::kJapanese), 5, 3);
        log->getWriter()->print(&Log::message(Log::kMessages, Log::kJapanese));
    }
    EXPECT_EQ(utf8(text),
              "before:WARNING: The section number is jumped from H1 to H3.\n"
              "警告: ページ番号が5から3に逆順に変更されました。\n");
}

} // namespace
} // namespace Orvane::testing
