#include "File.h"

#include <cerrno>
#include <system_error>

#include "ccc/flow/Conveyer.h"
#include "ccc/flow/FileIFlow.h"
#include "ccc/flow/StringFlow.h"

namespace Orvane {

std::string File::reasonOf(int error) { return std::generic_category().message(error ? error : EIO); }

bool File::read() {
    bytes_.reset();
    failure_.clear();
    errno = 0;
    CCC::FileIFlow src(fileName_.c_str(), true);
    if (!src.openP()) {
        failure_ = reasonOf(errno);
        return false;
    }
    auto bytes = std::make_unique<BString>();
    CCC::StringOFlow<char> dest(bytes.get());
    try {
        CCC::Conveyer(&src, &dest).carryBlocks(CCC::kIO8);
    } catch (const CCC::Exception&) {
        failure_ = reasonOf(errno);
        return false;
    }
    bytes_ = std::move(bytes);
    return true;
}

} // namespace Orvane
