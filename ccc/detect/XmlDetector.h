#pragma once

#include <cstddef>

#include "../base/TString.h"
#include "ByteReader.h"
#include "Detector.h"

namespace CCC {

// Follows the signature rules for XML documents and reads the encoding name
// of the XML declaration.
class XmlDetector : public Detector {
public:
    XmlDetector();
    ~XmlDetector() override;

    CeId detect(IFlow& in) override;
    bool reset() override;

    // How a character of the declaration is read.
    enum Mode { kOneByte = 1, kUtf16Be = 2, kUtf16Le = 3 };

    Mode mode() const { return mode_; }
    // The encoding name the last detect() read ("" when none).
    const TString<char>& encodingName() const { return name_; }
    // Number and message of the parse error the last detect() met; 0 and
    // "" when there was none.
    int lastErrorNumber() const { return errorNumber_; }
    const std::string& lastErrorMessage() const { return errorMessage_; }

    // Names longer than this are in no table; reading stops there.
    static constexpr std::size_t kMaxName = 256;

private:
    // Parses the declaration and leaves the encoding name in name_; false
    // when the text does not start with "<?xml". Throws XmlParseError.
    bool parseDeclaration();

    // One character of the declaration in the current mode; false at the
    // end of data (or when the flow fails).
    bool getChar(unsigned char& c);
    unsigned char needChar();
    void ungetChar(unsigned char c);
    bool nextByte(unsigned char& b);

    static bool spaceP(unsigned char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
    // Skips whitespace; returns how many characters it skipped. The end
    // of data inside the declaration leaves it without a name.
    std::size_t skipSpace();
    // Reads the characters of word; false at the first that differs.
    bool matchWord(const char* word);
    void expectEquals();
    void appendName(unsigned char c);

    Mode mode_ = kOneByte;
    // Characters read ahead by the parser, last in first out.
    unsigned char pushback_[4];
    std::size_t pushbackCount_ = 0;
    // The first bytes of the flow, read for the signature and read again by
    // the parser.
    unsigned char head_[4];
    std::size_t headCount_ = 0;
    std::size_t headPos_ = 0;
    ByteReader* reader_ = nullptr;
    TString<char> name_;
    int errorNumber_ = 0;
    std::string errorMessage_;
};

} // namespace CCC
