// Arbitrary UTF-16 text through the span-aware syntaxes 2, 3 and 4 and
// the syntax with macros (1) into the XHTML writer, all in memory; every
// document must hold only characters XML allows. The first byte picks the
// span options and the writer's settings; the rest is read as UTF-16 code
// units (little endian), lone surrogates and control characters included.
// Each text is parsed twice by the same syntax object: a run must leave
// lexer and parser in their start state, so both runs must give the same
// body. A second lexer that had the other span options first must give
// that body too: its tables are rebuilt, not patched. Every diagnostic the
// parser makes must lie inside the text.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "FuzzSupport.h"
#include "core/generator/Generator1.h"
#include "core/model/Diagnostics.h"
#include "core/model/Log.h"
#include "core/model/SyntaxFactory.h"
#include "core/model/Template.h"
#include "core/syntax/Syntax.h"
#include "core/syntax/s2/S2Lexer.h"

namespace {

using Orvane::DString;

DString runOnce(Orvane::Syntax& syntax, Orvane::Generator1& writer, const Orvane::Template& skeleton,
                const std::vector<unsigned short>& text) {
    writer.beginSrcText(nullptr);
    Orvane::Diagnostics diagnostics;
    syntax.setDiagnostics(&diagnostics);
    syntax.parse(nullptr, text.data(), static_cast<std::uint32_t>(text.size()), &writer);
    syntax.setDiagnostics(nullptr);
    diagnostics.locate(text.data(), text.size());
    const auto lines = static_cast<int>(std::count(text.begin(), text.end(), u'\n')) + 1;
    for (const Orvane::Diagnostic& d : diagnostics.items())
        if (d.offset > text.size() || d.line < 1 || d.line > lines || d.column < 1 ||
            static_cast<std::size_t>(d.column) > text.size() + 1)
            fuzz::fail("a diagnostic outside the text");
    // Pour the body into the template as an output would be.
    const auto filled = skeleton.fill(Orvane::TemplateValues{writer.getEncodingValue(), writer.getTitleValue(),
                                                             writer.getBodyValue(), writer.getCssValue()});
    if (!filled) fuzz::fail("template fill");
    if (!fuzz::xmlCharsOnlyP(*filled)) fuzz::fail("a code point XML forbids in the document");
    return DString(writer.getBodyValue());
}

void configure(Orvane::Generator1& writer, unsigned options, Orvane::Log* log) {
    writer.setYokoP(options & 8);
    writer.setTateP(options & 16);
    writer.setXhtml(options & 64 ? Orvane::Generator1::kHtml5 : options & 32 ? 1 : 0);
    writer.setTateChuYokoP(options & 128);
    writer.setLog(log);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    fuzz::startLibrary();
    const unsigned options = data[0];
    std::vector<unsigned short> text((size - 1) / 2);
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<unsigned short>(data[1 + 2 * i] | (data[2 + 2 * i] << 8));

    DString logText;
    auto log = Orvane::Log::toString(&logText);
    Orvane::Template skeleton;
    {
        Orvane::Generator1 writer(nullptr);
        configure(writer, options, nullptr);
        if (!skeleton.setText(writer.getTemplate(), writer.getTemplateCeId())) fuzz::fail("template");
    }
    for (int number = 2; number <= 4; ++number) {
        std::unique_ptr<Orvane::Syntax> syntax(Orvane::createSyntax(number));
        if (!syntax) fuzz::fail("syntax missing");
        auto* lexer = static_cast<Orvane::S2Lexer*>(syntax->getLexer());
        lexer->setSpanOptions(options & 1, options & 2, options & 4);

        Orvane::Generator1 writer(nullptr);
        configure(writer, options, log.get());

        const DString first = runOnce(*syntax, writer, skeleton, text);
        if (lexer->getState() != 1) fuzz::fail("lexer not back at a line start");
        const DString second = runOnce(*syntax, writer, skeleton, text);
        if (first != second) fuzz::fail("a second run of the same text differs");

        std::unique_ptr<Orvane::Syntax> other(Orvane::createSyntax(number));
        auto* otherLexer = static_cast<Orvane::S2Lexer*>(other->getLexer());
        otherLexer->setSpanOptions(!(options & 1), !(options & 2), !(options & 4));
        otherLexer->setSpanOptions(options & 1, options & 2, options & 4);
        if (runOnce(*other, writer, skeleton, text) != first) fuzz::fail("span options switched back differ");
    }

    std::unique_ptr<Orvane::Syntax> macros(Orvane::createSyntax(1));
    Orvane::Generator1 writer(nullptr);
    configure(writer, options, log.get());
    const DString first = runOnce(*macros, writer, skeleton, text);
    if (runOnce(*macros, writer, skeleton, text) != first) fuzz::fail("a second run of the same text differs");
    return 0;
}
