#include "TextFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <thread>
#include <vector>

#include "ArrivingText.h"
#include "EncodedSpool.h"
#include "ReplacingFile.h"
#include "TextSpool.h"
#include "ccc/encoding/EncodingIds.h"
#include "ccc/encoding/Iceman.h"
#include "ccc/flow/CompositIFilter.h"
#include "ccc/flow/Conveyer.h"
#include "ccc/flow/FileIFlow.h"
#include "ccc/flow/FileOFlow.h"
#include "ccc/flow/FixedMemIFlow.h"
#include "ccc/flow/StringFlow.h"

namespace Orvane {

namespace {

std::string encodingName(CeId ceId) {
    const char* name = CCC::Iceman::ceIdToString(ceId);
    return name ? name : std::to_string(ceId);
}

// Pumps src through the chain from `from` to UTF-16 into `text`; the reason
// when it fails.
std::string decode(CCC::IFlow& src, CeId from, std::size_t expectedUnits, std::unique_ptr<DString>& text) {
    std::unique_ptr<CCC::CompositIFilter> chain(CCC::Iceman::createCompositIFilter(from, CCC::ceid::kUtf16N));
    if (!chain) return "no conversion from " + encodingName(from);
    auto converted = std::make_unique<DString>();
    converted->reserve(expectedUnits);
    CCC::StringOFlow<unsigned short> dest(converted.get());
    chain->setSrc(&src);
    errno = 0;
    try {
        CCC::Conveyer(chain.get(), &dest).carryBlocks(CCC::kIO16);
    } catch (const CCC::Exception&) {
        return File::reasonOf(errno);
    }
    text = std::move(converted);
    return {};
}

constexpr const char* kSourceName = "TextFile.cpp";

// A regular file at least this long is parsed as it is decoded.
constexpr std::size_t kArrivingBytes = 64 * 1024;
// Its reads: the parser waits for the first one, and a small read is in
// sooner (a quarter megabyte costs the reading thread its buffer's page
// faults and a longer copy before the first lines arrive).
constexpr std::size_t kArrivingReadBytes = 32 * 1024;

// The first `limit` bytes of a flow.
class PrefixIFlow : public CCC::IFlow {
public:
    PrefixIFlow(CCC::IFlow& src, std::size_t limit) : IFlow(CCC::kIO8, true), src_(src), left_(limit) {}

    char get8() override { return getByBlock<char>(); }

    void read8(std::size_t n, char* buffer, std::size_t& count) override {
        count = 0;
        if (left_) src_.read8(std::min(n, left_), buffer, count);
        left_ -= count;
        if (count) passed();
    }

private:
    CCC::IFlow& src_;
    std::size_t left_;
};

// A file at least this long in an encoding in which a line feed after a
// byte below 0x80 always stands alone, with nothing pending in the decoder
// (ASCII, UTF-8, Shift_JIS, cp932, EUC-JP, ISO 8859, Windows-1252), is
// decoded as two halves at once, cut at such a line feed.
constexpr std::size_t kHalvesBytes = 4 * 1024 * 1024;

bool decodedInHalvesP(std::size_t size, CeId id) {
    namespace ceid = CCC::ceid;
    if (size < kHalvesBytes) return false;
    return id == ceid::kUsAscii || id == ceid::kUtf8 || id == ceid::kUtf8N || id == ceid::kShiftJis ||
           id == ceid::kCp932 || id == ceid::kEucJp || id == ceid::kEucJpMs || id == ceid::kWindows1252 ||
           (id >= ceid::kIso8859_1 && id <= ceid::kIso8859_15);
}

// Where the second half of a file of `size` bytes starts: at the first line
// feed after a byte below 0x80 past the middle, or 0 when none is near.
std::size_t middleLineFeed(std::FILE* file, std::size_t size) {
    char window[64 * 1024];
    const std::size_t start = size / 2;
    if (std::fseek(file, static_cast<long>(start), SEEK_SET) != 0) return 0;
    const std::size_t n = std::fread(window, 1, sizeof window, file);
    for (std::size_t i = 1; i < n; ++i)
        if (window[i] == '\n' && static_cast<unsigned char>(window[i - 1]) < 0x80) return start + i;
    return 0;
}

// Decodes file (open at path, `size` bytes) from `from`: the part from
// `cut` on on a second thread, if one can be had. The line feed at `cut`
// ends the first part and also begins the second, whose chain takes it
// first (where every chain has just begun a line) and drops it.
std::string decodeInHalves(CCC::FileIFlow& file, const char* path, CeId from, std::size_t size, std::size_t cut,
                           std::unique_ptr<DString>& text) {
    if (std::fseek(file.stream(), 0, SEEK_SET) != 0) return File::reasonOf(errno);
    std::unique_ptr<DString> second;
    std::string secondReason;
    std::thread other;
    try {
        other = std::thread([&] {
            errno = 0;
            CCC::FileIFlow src(path, true);
            if (!src.openP() || std::fseek(src.stream(), static_cast<long>(cut), SEEK_SET) != 0) {
                secondReason = File::reasonOf(errno);
                return;
            }
            secondReason = decode(src, from, size - cut, second);
        });
    } catch (const std::system_error&) {
        return decode(file, from, size, text);
    }
    std::unique_ptr<DString> first;
    PrefixIFlow src(file, cut + 1);
    std::string reason = decode(src, from, size, first);
    other.join();
    if (reason.empty()) reason = secondReason;
    if (!reason.empty()) return reason;
    if (second->empty() || (*second)[0] != '\n') return File::kChangedWhileRead;
    first->append(second->data() + 1, second->size() - 1);
    text = std::move(first);
    return {};
}

// The pieces one after another as one flow of UTF-16 units.
class PiecesIFlow : public CCC::IFlow {
public:
    explicit PiecesIFlow(const TextPieces& pieces) : IFlow(CCC::kIO16, true), pieces_(pieces) {}

    bool rewind() override {
        if (!IFlow::rewind()) return false;
        piece_ = 0;
        offset_ = 0;
        return true;
    }

    unsigned short get16() override { return getByBlock<unsigned short>(); }

    void read16(std::size_t n, unsigned short* buffer, std::size_t& count) override {
        count = 0;
        while (count < n && piece_ < pieces_.size()) {
            const TextPiece& piece = pieces_[piece_];
            const unsigned short* units = piece.units + offset_;
            std::size_t take = std::min(n - count, piece.length - offset_);
            if (piece.spool) {
                units = spooled(piece, offset_);
                take = std::min(take, spooledEnd_ - offset_);
            }
            if (take) std::memcpy(buffer + count, units, take * sizeof(unsigned short));
            count += take;
            offset_ += take;
            if (offset_ == piece.length) {
                ++piece_;
                offset_ = 0;
            }
        }
        if (count) passed();
    }

private:
    // A spool is read a window at a time: the chain asks for a few
    // thousand units a call, the file gives a quarter megabyte as cheaply.
    static constexpr std::size_t kWindowUnits = 128 * 1024;

    // The units of piece's spool from offset on, read into the window if
    // they are not there yet; spooledEnd_ ends them.
    const unsigned short* spooled(const TextPiece& piece, std::size_t offset) {
        if (piece.spool != windowSpool_ || offset < windowStart_ || offset >= spooledEnd_) {
            const std::size_t length = std::min(kWindowUnits, piece.length - offset);
            window_.resize(kWindowUnits);
            windowSpool_ = nullptr;
            if (!piece.spool->read(offset, window_.data(), length)) CCC_THROW_IO(CCC::IOException::kMediumError);
            windowSpool_ = piece.spool;
            windowStart_ = offset;
            spooledEnd_ = offset + length;
        }
        return window_.data() + (offset - windowStart_);
    }

    const TextPieces& pieces_;
    std::size_t piece_ = 0;
    std::size_t offset_ = 0;
    std::vector<unsigned short> window_;
    const TextSpool* windowSpool_ = nullptr;
    std::size_t windowStart_ = 0;
    std::size_t spooledEnd_ = 0;
};

} // namespace

TextFile::TextFile(const char* fileName, CeId inCeId, CeId outCeId, CCC::NLConv newLineMode)
    : File(fileName), inCeId_(inCeId), outCeId_(outCeId), newLineMode_(newLineMode) {}

TextFile::~TextFile() = default;

bool TextFile::read() {
    releaseContent();
    std::string reason;
    if (preloaded_) {
        CCC::FixedMemIFlow src(preloaded_->data(), preloaded_->size());
        reason = decode(src, inCeId_, preloaded_->size(), content_);
    } else {
        errno = 0;
        CCC::FileIFlow src(getFileName().c_str(), true);
        if (!src.openP()) {
            setFailure(reasonOf(errno));
            return false;
        }
        // No encoding yields more UTF-16 units than it has bytes.
        std::error_code ec;
        const auto size = static_cast<std::size_t>(std::filesystem::file_size(getFileName().c_str(), ec));
        // Only a long regular file is looked into (and so must be rewound):
        // a pipe can be read only once.
        const bool halvesP = !ec && decodedInHalvesP(size, inCeId_);
        const std::size_t cut = halvesP ? middleLineFeed(src.stream(), size) : 0;
        if (cut) reason = decodeInHalves(src, getFileName().c_str(), inCeId_, size, cut, content_);
        else if (halvesP && std::fseek(src.stream(), 0, SEEK_SET) != 0) reason = reasonOf(errno);
        else reason = decode(src, inCeId_, ec ? 0 : size, content_);
    }
    setFailure(reason);
    return reason.empty();
}

bool TextFile::startRead() {
    arriving_.reset();
    std::error_code ec;
    const auto size = preloaded_ ? 0 : static_cast<std::size_t>(std::filesystem::file_size(getFileName().c_str(), ec));
    // A file long enough to be decoded in halves is decoded so, at once:
    // while it is parsed the other processors are busy writing. The parser
    // counts in 32 bits: read() refuses what is longer.
    if (ec || size < kArrivingBytes || decodedInHalvesP(size, inCeId_) || size > UINT32_MAX) return read();
    std::unique_ptr<CCC::CompositIFilter> chain(CCC::Iceman::createCompositIFilter(inCeId_, CCC::ceid::kUtf16N));
    errno = 0;
    auto file = std::make_unique<CCC::FileIFlow>(getFileName().c_str(), true, kArrivingReadBytes);
    if (!chain || !file->openP()) return read();
    content_.reset();
    auto arriving = std::make_unique<ArrivingText>();
    if (!arriving->start(std::move(file), std::move(chain), size)) return read();
    arriving_ = std::move(arriving);
    setFailure({});
    return true;
}

bool TextFile::finishRead() {
    if (!arriving_) return getFailure().empty();
    const std::string reason = arriving_->finish(content_);
    arriving_.reset();
    setFailure(reason);
    return reason.empty();
}

TextArrival* TextFile::arrival() const { return arriving_.get(); }

void TextFile::releaseContent() {
    arriving_.reset();
    content_.reset();
}

const unsigned short* TextFile::getText() const {
    if (arriving_) return arriving_->units();
    return content_ ? content_->data() : nullptr;
}

std::size_t TextFile::expectedTextLength() const { return arriving_ ? arriving_->bound() : getTextLength(); }

bool TextFile::setText(const char* text, CeId ceId) {
    inCeId_ = ceId;
    const std::size_t length = text ? std::strlen(text) : 0;
    CCC::FixedMemIFlow src(text ? text : "", length);
    const std::string reason = decode(src, ceId, length, content_);
    setFailure(reason);
    return reason.empty();
}

std::unique_ptr<CCC::CompositIFilter> TextFile::outputChain(CeId to, CCC::NLConv newLineMode) {
    if (CCC::Iceman::getIOType(to) == 0) return nullptr;
    return std::unique_ptr<CCC::CompositIFilter>(
        CCC::Iceman::createCompositIFilter(CCC::ceid::kUtf16N, to, newLineMode));
}

std::string TextFile::encodeInto(CCC::IFlow& src, std::FILE* stream, ReplacingFile* staging,
                                 const EncodedSpool* tail) const {
    const std::unique_ptr<CCC::CompositIFilter> chain = outputChain(outCeId_, newLineMode_);
    if (!chain) return "no conversion to " + encodingName(outCeId_);
    const CCC::IOType width = CCC::Iceman::getIOType(outCeId_);
    CCC::FileOFlow dest(stream);
    if (staging) dest.setProgressHook(ReplacingFile::kWritebackBytes, [staging] { staging->startWriteback(); });
    chain->setSrc(&src);
    errno = 0;
    try {
        CCC::Conveyer(chain.get(), &dest).carryBlocks(width);
        if (tail && !tail->copyTo(dest)) return reasonOf(errno);
        // Flushed here: the stream's owner may close it next.
        if (dest.close()) return {};
    } catch (const CCC::Exception&) {
    }
    return reasonOf(errno);
}

bool TextFile::writeFrom(CCC::IFlow& src, std::FILE* stream, ReplacingFile* staging, const EncodedSpool* tail) {
    const std::string reason = encodeInto(src, stream, staging, tail);
    setFailure(reason);
    return reason.empty();
}

bool TextFile::writeTo(std::FILE* stream) {
    const DString empty;
    const DString& text = content_ ? *content_ : empty;
    CCC::TFixedMemIFlow<unsigned short> src(text.data(), text.size());
    return writeFrom(src, stream);
}

bool TextFile::stage() {
    const DString empty;
    const DString& text = content_ ? *content_ : empty;
    CCC::TFixedMemIFlow<unsigned short> src(text.data(), text.size());
    return stageFrom(src);
}

bool TextFile::stage(const TextPieces& pieces) {
    const auto encoded = std::find_if(pieces.begin(), pieces.end(), [](const TextPiece& p) { return p.encoded; });
    if (encoded == pieces.end()) {
        PiecesIFlow src(pieces);
        return stageFrom(src);
    }
    EncodedSpool& body = *encoded->encoded;
    const std::string reason = body.finish(TextPieces(encoded + 1, pieces.end()));
    if (!reason.empty()) {
        setFailure(reason);
        return false;
    }
    const TextPieces head(pieces.begin(), encoded);
    PiecesIFlow headText(head);
    std::string headBytes;
    if (EncodedSpool::encode(headText, outCeId_, newLineMode_, headBytes)) {
        if (std::unique_ptr<ReplacingFile> file = body.takeFile(headBytes)) {
            discardStaged();
            const bool finished = file->finish();
            setFailure(finished ? std::string() : file->failure());
            if (finished) staged_ = std::move(file);
            return finished;
        }
    }
    PiecesIFlow src(head);
    return stageFrom(src, &body);
}

bool TextFile::stageFrom(CCC::IFlow& src, const EncodedSpool* tail) {
    discardStaged();
    auto file = std::make_unique<ReplacingFile>(getFileName().c_str());
    if (!file->openP()) {
        setFailure(file->failure());
        return false;
    }
    // A failure removes the temporary file with the ReplacingFile.
    if (!writeFrom(src, file->stream(), file.get(), tail)) return false;
    if (!file->finish()) {
        setFailure(file->failure());
        return false;
    }
    setFailure({});
    staged_ = std::move(file);
    return true;
}

bool TextFile::commitStaged() {
    if (!staged_) return false;
    const bool committed = staged_->commit();
    setFailure(committed ? std::string() : staged_->failure());
    staged_.reset();
    return committed;
}

void TextFile::discardStaged() { staged_.reset(); }

bool TextFile::write() { return stage() && commitStaged(); }

} // namespace Orvane
