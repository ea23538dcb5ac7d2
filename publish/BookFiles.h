#pragma once

#include <ctime>
#include <string>

namespace Publish {

// The media type of an image a book can hold, from its name's extension
// (png, jpeg, gif, svg, webp; any case); empty for any other name.
std::string imageMediaType(const std::string& path);

// The whole file into bytes and its modification time; false with the
// reason (strerror) when it cannot be read.
bool readWholeFile(const std::string& path, std::string& bytes, std::time_t& modified, std::string& reason);

} // namespace Publish
