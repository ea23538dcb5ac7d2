#include "TemplateLexer.h"

namespace Orvane {

namespace {
constexpr unsigned short kAt = '@';
}

TemplateLexer::Token TemplateLexer::make(Kind kind, std::size_t start, std::size_t length) {
    position_ = start + length;
    beforeLast_ = last_;
    last_ = kind;
    return Token{kind, text_ + start, length};
}

TemplateLexer::Token TemplateLexer::next() {
    const std::size_t start = position_;
    if (start >= length_) return Token{Kind::End, text_ + length_, 0};
    if (length_ - start == 1) return make(Kind::Text, start, 1);
    if (text_[start] == kAt && text_[start + 1] == kAt) return make(Kind::Delimiter, start, 2);

    std::size_t end = start + 1;
    while (end < length_ && !(text_[end] == kAt && end + 1 < length_ && text_[end + 1] == kAt)) ++end;

    // A delimiter at the very start of the template opens a placeholder,
    // as one after text does.
    Kind kind = Kind::Text;
    if (last_ == Kind::Delimiter && (beforeLast_ == Kind::Text || beforeLast_ == Kind::None)) kind = Kind::Name;
    return make(kind, start, end - start);
}

} // namespace Orvane
