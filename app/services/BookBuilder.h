#pragma once

#include <string>

#include "publish/EpubBook.h"

namespace tolvanw32 {

// Makes a book of the model's sources; the controller's tests put a fake in
// its place.
class BookBuilder {
public:
    virtual ~BookBuilder() = default;
    [[nodiscard]] virtual Publish::BookResult build(Orvane::Model& model, const Publish::BookOptions& options,
                                                    const std::string& bookPath, Orvane::Log* log) = 0;
};

// The EPUB 3 books of the publish layer.
class EpubBookBuilder final : public BookBuilder {
public:
    [[nodiscard]] Publish::BookResult build(Orvane::Model& model, const Publish::BookOptions& options,
                                            const std::string& bookPath, Orvane::Log* log) override {
        return Publish::buildEpub(model, options, bookPath, log);
    }
};

} // namespace tolvanw32
