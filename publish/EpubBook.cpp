#include "EpubBook.h"

namespace Publish {

BookResult buildEpub(Orvane::Model&, const BookOptions&, const std::string& bookPath, Orvane::Log*) {
    BookResult result;
    result.failures.push_back("cannot write " + bookPath + ": books are not supported by this build");
    return result;
}

} // namespace Publish
