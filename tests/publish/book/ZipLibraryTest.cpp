// The archive library is opened when the first book is written: the
// configured one loads whole; a missing library, or one without the
// functions, gives a reason naming the library and what went wrong.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "publish/ZipLibrary.h"

namespace {

using testing::HasSubstr;

TEST(ZipLibrary, LoadsOrNamesWhatIsMissing) {
    std::string reason = "not asked";
    const Publish::ZipLibrary* configured = Publish::zipLibrary(reason);
    ASSERT_NE(configured, nullptr) << reason;
    EXPECT_EQ(reason, "");
    EXPECT_NE(configured->zip_error_to_data, nullptr);

    Publish::ZipLibrary library;
    reason = Publish::loadZipLibrary("libquillmark-absent.so.0", library);
    EXPECT_THAT(reason, HasSubstr("cannot load the archive library libquillmark-absent.so.0 ("));
    EXPECT_THAT(reason, HasSubstr("No such file"));

    reason = Publish::loadZipLibrary("libm.so.6", library);
    EXPECT_THAT(reason, HasSubstr("cannot load the archive library libm.so.6 ("));
    EXPECT_THAT(reason, HasSubstr("undefined symbol: zip_open"));
    EXPECT_EQ(library.zip_open, nullptr);
}

} // namespace
