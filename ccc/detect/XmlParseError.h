#pragma once

#include <string>

#include "../base/Exception.h"

namespace CCC {

// A syntax error in an XML declaration. Thrown and caught inside
// XmlDetector only; its message is never shown.
class XmlParseError : public Exception {
public:
    XmlParseError(int number, const char* message) : number_(number), message_(message) {}

    int getNumber() const { return number_; }
    const std::string& getMessage() const { return message_; }

private:
    int number_;
    std::string message_;
};

} // namespace CCC
