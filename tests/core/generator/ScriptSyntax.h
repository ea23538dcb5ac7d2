#pragma once

// A test syntax whose "manuscript" is a script of generator events, one per
// line, "name arg|arg|...", so that the writer and the model can be driven
// by exact event sequences kept in files beside their expected XHTML.
// "pageNumber" alone passes a null text; "image src|alt|1" a block image;
// shorthands: "p text" a paragraph, "h 2 text" a heading, "li 3 text" a
// list item with its setListState. Lines starting with # are comments.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/generator/Generator.h"
#include "core/syntax/Lexer.h"
#include "core/syntax/Parser.h"
#include "core/syntax/Syntax.h"
#include "core/syntax/Token.h"

namespace Orvane::testing {

class ScriptParser : public Parser {
public:
    static constexpr int kLine = 1;

    void feed(Token* token, Generator* generator) override {
        if (token->code == kLine && token->value) line(*token->value, *generator);
    }

private:
    static void line(const DString& text, Generator& g) {
        if (text.empty() || text[0] == '#') return;
        std::string name;
        std::size_t i = 0;
        for (; i < text.size() && text[i] != ' '; ++i) name.push_back(static_cast<char>(text[i]));
        const bool hasArg = i < text.size();
        std::vector<DString> a(1);
        for (++i; i < text.size(); ++i) {
            if (text[i] == '|') a.emplace_back();
            else a.back().push_back(text[i]);
        }
        auto at = [&](std::size_t k) { return k < a.size() ? &a[k] : nullptr; };
        // "h" and "li": a number, a blank, the text
        const std::size_t blank = std::min(a[0].find(' '), a[0].size());
        const DString rest = blank < a[0].size() ? a[0].substr(blank + 1) : DString();
        auto level = [&] {
            int n = 0;
            for (std::size_t k = 0; k < blank; ++k) n = n * 10 + (a[0][k] - '0');
            return n;
        };

        if (name == "p") g.beginParagraph(), g.beginInline(), g.text(&a[0]), g.endInline(), g.endParagraph();
        else if (name == "h") g.beginHeading(level()), g.beginInline(), g.text(&rest), g.endInline(), g.endHeading(level());
        else if (name == "li") g.listItem(level()), g.beginInline(), g.text(&rest), g.endInline(), g.setListState(level());
        else if (name == "pageNumber") g.pageNumber(hasArg ? &a[0] : nullptr);
        else if (name == "newLine") g.newLine();
        else if (name == "horizontalRule") g.horizontalRule();
        else if (name == "beginParagraph") g.beginParagraph();
        else if (name == "endParagraph") g.endParagraph();
        else if (name == "setTitle") g.setTitle(&a[0]);
        else if (name == "title") g.title(&a[0]);
        else if (name == "text") g.text(&a[0]);
        else if (name == "rawText") g.rawText(&a[0]);
        else if (name == "lineBreak") g.lineBreak();
        else if (name == "image") g.image(&a[0], at(1), at(2) && (*at(2))[0] == '1');
        else if (name == "anchor") g.anchor(&a[0], at(1));
        else if (name == "link") g.link(&a[0], at(1));
        else if (name == "comment") g.comment(&a[0]);
        else if (name == "blockComment") g.blockComment(&a[0]);
        else if (name == "macro") g.macro(&a[0]);
        else if (name == "ruby") g.ruby(&a[0], at(1));
        else if (name == "beginSpan") g.beginSpan();
        else if (name == "endSpan") g.endSpan();
        else if (name == "beginTableRow") g.beginTableRow();
        else if (name == "endTableRow") g.endTableRow();
        else if (name == "beginHeaderCell") g.beginHeaderCell();
        else if (name == "endHeaderCell") g.endHeaderCell();
        else if (name == "beginDataCell") g.beginDataCell();
        else if (name == "endDataCell") g.endDataCell();
        else if (name == "pageFront") g.pageFront(&a[0]);
        else if (name == "pageSpecial") g.pageSpecial(&a[0]);
        else if (name == "newOutput") g.newOutput();
        else ADD_FAILURE() << "unknown event in script: " << name;
    }
};

// One token per line (code 1, the line without its end), then code 0.
class ScriptLexer : public Lexer {
public:
    Token* nextToken() override {
        if (position >= length) return new Token(0);
        std::uint32_t end = position;
        while (end < length && source[end] != '\n') ++end;
        auto* token = new Token(ScriptParser::kLine, new DString(source + position, end - position));
        position = end < length ? end + 1 : end;
        return token;
    }
};

class ScriptSyntax : public Syntax {
public:
    ScriptSyntax() : Syntax(new ScriptLexer, new ScriptParser) {}
};

} // namespace Orvane::testing
