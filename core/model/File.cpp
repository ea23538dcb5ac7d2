#include "File.h"

#include "ccc/flow/Conveyer.h"
#include "ccc/flow/FileIFlow.h"
#include "ccc/flow/StringFlow.h"

namespace Orvane {

bool File::read() {
    bytes_.reset();
    CCC::FileIFlow src(fileName_.c_str(), true);
    if (!src.openP()) return false;
    auto bytes = std::make_unique<BString>();
    CCC::StringOFlow<char> dest(bytes.get());
    try {
        CCC::Conveyer(&src, &dest).carryBlocks(CCC::kIO8);
    } catch (const CCC::Exception&) {
        return false;
    }
    bytes_ = std::move(bytes);
    return true;
}

} // namespace Orvane
