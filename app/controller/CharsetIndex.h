#pragma once

namespace tolvanw32 {

// Values of the InputCharset and OutputCharset settings.
inline constexpr int kShiftJisCharset = 0;
inline constexpr int kUtf8Charset = 1;

} // namespace tolvanw32
