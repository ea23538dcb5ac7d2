#pragma once

#include "Object.h"

namespace CCC {

// Base of every exception the library throws (by value).
class Exception : public Object {
public:
    Exception() = default;
    ~Exception() override = default;
};

// An I/O failure of a flow or filter. The code says what happened:
//   1 end of data (the normal end of every pipeline)
//   2 the sink did not take the units
//   3 flow not open
//   5 unit width not supported by this flow
//   6 filter has no source
//   7 output filter has no destination
//   8 read error of the medium, or flush failed
//   9 source and destination share no unit width
class IOException : public Exception {
public:
    IOException(const char* sourceFile, int line, int code)
        : sourceFile_(sourceFile), line_(line), code_(code) {}

    const char* getSourceFile() const { return sourceFile_; }
    int getLine() const { return line_; }
    int getCode() const { return code_; }

    static constexpr int kEndOfData = 1;
    static constexpr int kSinkFull = 2;
    static constexpr int kNotOpen = 3;
    static constexpr int kBadWidth = 5;
    static constexpr int kNoSource = 6;
    static constexpr int kNoDestination = 7;
    static constexpr int kMediumError = 8;
    static constexpr int kNoCommonWidth = 9;

private:
    const char* sourceFile_;
    int line_;
    int code_;
};

} // namespace CCC

// Throws an IOException that names the throwing class's source file (each
// .cpp or header defines its own kSourceName) and the line of the throw.
#define CCC_THROW_IO(code) throw ::CCC::IOException(kSourceName, __LINE__, (code))
