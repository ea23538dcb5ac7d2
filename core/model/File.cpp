#include "File.h"

#include <cerrno>
#include <system_error>

namespace Orvane {

std::string File::reasonOf(int error) { return std::generic_category().message(error ? error : EIO); }

} // namespace Orvane
