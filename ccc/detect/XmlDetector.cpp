#include "XmlDetector.h"

#include "../encoding/EncodingIds.h"
#include "XmlParseError.h"

namespace CCC {

namespace {

// The end of data inside the declaration: no name, like any parse error.
struct EndOfDeclaration {};

[[noreturn]] void fail(int number, const char* message) { throw XmlParseError(number, message); }

bool letterP(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool digitP(unsigned char c) { return c >= '0' && c <= '9'; }
bool versionCharP(unsigned char c) { return digitP(c) || c == '.'; }
bool nameCharP(unsigned char c) { return letterP(c) || digitP(c) || c == '.' || c == '_' || c == '-'; }

} // namespace

XmlDetector::XmlDetector() { reset(); }

XmlDetector::~XmlDetector() = default;

bool XmlDetector::reset() {
    mode_ = kOneByte;
    pushbackCount_ = 0;
    headCount_ = headPos_ = 0;
    reader_ = nullptr;
    TString<char>().swap(name_);
    errorNumber_ = 0;
    errorMessage_.clear();
    return true;
}

CeId XmlDetector::detect(IFlow& in) {
    // Each run starts from the initial state, whatever an earlier run left.
    reset();
    ByteReader reader(in);
    reader_ = &reader;
    struct Detach {
        XmlDetector* d;
        ~Detach() { d->reader_ = nullptr; }
    } detach{this};

    while (headCount_ < 4 && reader.next(head_[headCount_])) ++headCount_;
    if (headCount_ < 4) return ceid::kNone;

    auto sig = [this](unsigned a, unsigned b, unsigned c, unsigned d) {
        return head_[0] == a && head_[1] == b && head_[2] == c && head_[3] == d;
    };
    if (sig(0x00, 0x00, 0xFE, 0xFF) || sig(0x00, 0x00, 0x00, 0x3C)) return ceid::kUcs4Be;
    if (sig(0xFF, 0xFE, 0x00, 0x00) || sig(0x3C, 0x00, 0x00, 0x00)) return ceid::kUcs4Le;
    if (sig(0xFF, 0xFE, 0x3C, 0x00)) return ceid::kUtf16Le;
    if (sig(0xFE, 0xFF, 0x00, 0x3C)) return ceid::kUtf16Be;
    if (head_[0] == 0xEF && head_[1] == 0xBB && head_[2] == 0xBF) return ceid::kUtf8;
    if (sig(0x00, 0x3C, 0x00, 0x3F)) mode_ = kUtf16Be;
    else if (sig(0x3C, 0x00, 0x3F, 0x00)) mode_ = kUtf16Le;
    else if (sig(0x3C, 0x3F, 0x78, 0x6D)) mode_ = kOneByte;

    // The parser reads the signature bytes again: they are replayed from
    // head_ rather than by rewinding, so that a stream that cannot seek, or
    // one read from the middle, is parsed from where detection began.
    bool declared = false;
    try {
        declared = parseDeclaration();
    } catch (const XmlParseError& e) {
        declared = true;
        errorNumber_ = e.getNumber();
        errorMessage_ = e.getMessage();
        name_.clear();
    } catch (const EndOfDeclaration&) {
        declared = true;
        name_.clear();
    }
    // Without a declaration the input is not taken for XML at all.
    if (!declared) return ceid::kNone;

    if (!name_.empty()) {
        CeId id = encodingNamed(std::string_view(name_.data(), name_.size()));
        if (id != ceid::kNone) return id;
    }
    switch (mode_) {
    case kUtf16Be: return ceid::kUtf16Be;
    case kUtf16Le: return ceid::kUtf16Le;
    default: return ceid::kUtf8;
    }
}

bool XmlDetector::nextByte(unsigned char& b) {
    if (headPos_ < headCount_) {
        b = head_[headPos_++];
        return true;
    }
    return reader_->next(b);
}

bool XmlDetector::getChar(unsigned char& c) {
    if (pushbackCount_) {
        c = pushback_[--pushbackCount_];
        return true;
    }
    unsigned char skipped;
    switch (mode_) {
    case kUtf16Be: return nextByte(skipped) && nextByte(c);
    case kUtf16Le: return nextByte(c) && nextByte(skipped);
    default: return nextByte(c);
    }
}

unsigned char XmlDetector::needChar() {
    unsigned char c;
    if (!getChar(c)) throw EndOfDeclaration{};
    return c;
}

void XmlDetector::ungetChar(unsigned char c) {
    if (pushbackCount_ < sizeof pushback_) pushback_[pushbackCount_++] = c;
}

std::size_t XmlDetector::skipSpace() {
    std::size_t n = 0;
    unsigned char c;
    while (spaceP(c = needChar())) ++n;
    ungetChar(c);
    return n;
}

bool XmlDetector::matchWord(const char* word) {
    for (; *word; ++word)
        if (needChar() != static_cast<unsigned char>(*word)) return false;
    return true;
}

void XmlDetector::expectEquals() {
    skipSpace();
    if (needChar() != '=') fail(130, "can't find '='.");
    skipSpace();
}

void XmlDetector::appendName(unsigned char c) {
    if (name_.size() == name_.capacity()) name_.reserve(name_.capacity() < 10 ? 10 : name_.capacity() * 2);
    name_.push_back(static_cast<char>(c));
}

bool XmlDetector::parseDeclaration() {
    unsigned char c;
    for (const char* w = "<?xml"; *w; ++w)
        if (!getChar(c) || c != static_cast<unsigned char>(*w)) return false;

    if (skipSpace() == 0) fail(70, "can't find space.");
    if (!matchWord("version")) fail(10, "can't find 'version' between '<?xml' and '?>'.");
    expectEquals();

    c = needChar();
    if (c == '\'' || c == '"') {
        const bool apos = c == '\'';
        std::size_t digits = 0;
        while (versionCharP(c = needChar())) ++digits;
        if (digits == 0) fail(apos ? 20 : 40, "version number pase error");
        if (c != (apos ? '\'' : '"')) {
            if (apos) fail(30, "can't find \"'\".");
            fail(50, "can't find '\"'.");
        }
    } else {
        fail(60, "version number specification syntax error.");
    }

    // The encoding declaration is optional: without it there is no name.
    if (skipSpace() == 0) return true;
    if (!matchWord("encoding")) return true;
    expectEquals();

    c = needChar();
    if (c == '\'' || c == '"') {
        const bool apos = c == '\'';
        c = needChar();
        if (!letterP(c)) fail(apos ? 80 : 100, "encoding name parse error");
        do {
            if (name_.size() == kMaxName) {
                // No encoding has a name this long: keep none, read no more.
                name_.clear();
                return true;
            }
            appendName(c);
        } while (nameCharP(c = needChar()));
        if (c != (apos ? '\'' : '"')) {
            if (apos) fail(90, "can't find \"'\".");
            fail(110, "can't find '\"'.");
        }
    } else {
        fail(120, "encoding specification syntax error.");
    }
    return true;
}

} // namespace CCC
