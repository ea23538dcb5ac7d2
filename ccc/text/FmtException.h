#pragma once

#include "../base/Exception.h"

namespace CCC {

// A formatting failure. The code says what went wrong:
//   0 a directive or a '*' refers to an argument that does not exist
//   1 the argument's kind does not suit the conversion ('*' needs an int)
//   4 the conversion unit is unknown or above code 126
class FmtException : public Exception {
public:
    FmtException(const char* sourceFile, int line, int code)
        : sourceFile_(sourceFile), line_(line), code_(code) {}

    const char* getSourceFile() const { return sourceFile_; }
    int getLine() const { return line_; }
    int getCode() const { return code_; }

    static constexpr int kNoArgument = 0;
    static constexpr int kBadKind = 1;
    static constexpr int kBadConversion = 4;

private:
    const char* sourceFile_;
    int line_;
    int code_;
};

} // namespace CCC

// Throws a FmtException naming the throwing file (its kSourceName) and line.
#define CCC_THROW_FMT(code) throw ::CCC::FmtException(kSourceName, __LINE__, (code))
