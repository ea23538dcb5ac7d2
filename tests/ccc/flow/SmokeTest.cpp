#include <gtest/gtest.h>
#include "ccc/flow/Conveyer.h"
#include "ccc/flow/StringFlow.h"
TEST(Smoke, Carry) {
    CCC::TString<unsigned short> in = CCC::TString<unsigned short>::fromAscii("abc"), out;
    CCC::StringIFlow<unsigned short> src(&in);
    CCC::StringOFlow<unsigned short> dst(&out);
    CCC::Conveyer(&src, &dst).carry();
    EXPECT_EQ(in, out);
}
