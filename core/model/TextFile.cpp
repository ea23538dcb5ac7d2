#include "TextFile.h"

#include <cstring>
#include <filesystem>
#include <system_error>

#include "ReplacingFile.h"
#include "ccc/encoding/Iceman.h"
#include "ccc/flow/CompositIFilter.h"
#include "ccc/flow/Conveyer.h"
#include "ccc/flow/FileIFlow.h"
#include "ccc/flow/FileOFlow.h"
#include "ccc/flow/FixedMemIFlow.h"
#include "ccc/flow/StringFlow.h"

namespace Orvane {

namespace {

// Pumps src through the chain from `from` to UTF-16 into a new string.
std::unique_ptr<DString> decode(CCC::IFlow& src, CeId from, std::size_t expectedUnits) {
    std::unique_ptr<CCC::CompositIFilter> chain(CCC::Iceman::createCompositIFilter(from, TextFile::kTextCeId));
    if (!chain) return nullptr;
    auto text = std::make_unique<DString>();
    text->reserve(expectedUnits);
    CCC::StringOFlow<unsigned short> dest(text.get());
    chain->setSrc(&src);
    try {
        CCC::Conveyer(chain.get(), &dest).carryBlocks(CCC::kIO16);
    } catch (const CCC::Exception&) {
        return nullptr;
    }
    return text;
}

} // namespace

bool TextFile::read() {
    releaseContent();
    CCC::FileIFlow src(getFileName().c_str(), true);
    if (!src.openP()) return false;
    // No encoding yields more UTF-16 units than it has bytes.
    std::error_code ec;
    const auto size = std::filesystem::file_size(getFileName().c_str(), ec);
    content_ = decode(src, inCeId_, ec ? 0 : static_cast<std::size_t>(size));
    return content_ != nullptr;
}

bool TextFile::setText(const char* text, CeId ceId) {
    inCeId_ = ceId;
    const std::size_t length = text ? std::strlen(text) : 0;
    CCC::FixedMemIFlow src(text ? text : "", length);
    std::unique_ptr<DString> converted = decode(src, ceId, length);
    if (!converted) return false;
    content_ = std::move(converted);
    return true;
}

bool TextFile::write() {
    // The width the output encoding's data has at the end of the chain; a
    // byte-swapped form has none and cannot be written.
    const CCC::IOType width = CCC::Iceman::getIOType(outCeId_);
    if (width == 0) return false;
    std::unique_ptr<CCC::CompositIFilter> chain(
        CCC::Iceman::createCompositIFilter(kTextCeId, outCeId_, newLineMode_));
    if (!chain) return false;

    ReplacingFile file(getFileName().c_str());
    if (!file.openP()) return false;
    const DString empty;
    const DString& text = content_ ? *content_ : empty;
    CCC::TFixedMemIFlow<unsigned short> src(text.data(), text.size());
    CCC::FileOFlow dest(file.stream());
    chain->setSrc(&src);
    try {
        CCC::Conveyer(chain.get(), &dest).carryBlocks(width);
    } catch (const CCC::Exception&) {
        return false;
    }
    // Let go of the stream before the file is closed and moved.
    if (!dest.close()) return false;
    return file.commit();
}

} // namespace Orvane
