#pragma once

#include <string>

#include "SyntaxTestUtil.h"
#include "core/generator/Generator.h"

namespace syntax_test {

// Writes every event as "name" or "name(args)", separated by spaces.
class RecordingGenerator : public Orvane::Generator {
public:
    RecordingGenerator() : Generator(nullptr) {}

    std::string events;

    void endSrcText() override { add("end"); }
    void newOutput() override { add("newOutput"); }
    void pageNumber(const DString* t) override { add("pageNumber", t); }
    void beginHeading(int n) override { add("beginHeading(" + std::to_string(n) + ")"); }
    void endHeading(int n) override { add("endHeading(" + std::to_string(n) + ")"); }
    void listItem(int s) override { add("listItem(" + std::to_string(s) + ")"); }
    void setListState(int s) override { add("setListState(" + std::to_string(s) + ")"); }
    void horizontalRule() override { add("horizontalRule"); }
    void beginParagraph() override { add("beginParagraph"); }
    void endParagraph() override { add("endParagraph"); }
    void newLine() override { add("newLine"); }
    void setTitle(const DString* t) override { add("setTitle", t); }
    void beginInline() override { add("beginInline"); }
    void endInline() override { add("endInline"); }
    void text(const DString* t) override { add("text", t); }
    void lineBreak() override { add("lineBreak"); }
    void image(const DString* s, const DString* a, bool block) override {
        add("image(" + utf8(s) + "," + utf8(a) + (block ? ",block)" : ",inline)"));
    }
    void anchor(const DString* n, const DString* t) override { add("anchor(" + utf8(n) + "," + utf8(t) + ")"); }
    void link(const DString* h, const DString* t) override { add("link(" + utf8(h) + "," + utf8(t) + ")"); }
    void rawText(const DString* t) override { add("rawText", t); }
    void comment(const DString* t) override { add("comment", t); }
    void blockComment(const DString* t) override { add("blockComment", t); }
    void macro(const DString* t) override { add("macro", t); }
    void beginHeaderCell() override { add("beginHeaderCell"); }
    void endHeaderCell() override { add("endHeaderCell"); }
    void beginDataCell() override { add("beginDataCell"); }
    void endDataCell() override { add("endDataCell"); }
    void beginTableRow() override { add("beginTableRow"); }
    void endTableRow() override { add("endTableRow"); }
    void ruby(const DString* b, const DString* r) override { add("ruby(" + utf8(b) + "," + utf8(r) + ")"); }
    void beginSpan() override { add("beginSpan"); }
    void endSpan() override { add("endSpan"); }
    void title(const DString* t) override { add("title", t); }
    void pageFront(const DString* t) override { add("pageFront", t); }
    void pageSpecial(const DString* t) override { add("pageSpecial", t); }

private:
    void add(const std::string& e) {
        if (!events.empty()) events += ' ';
        events += e;
    }
    void add(const char* name, const DString* t) { add(std::string(name) + "(" + utf8(t) + ")"); }
};

} // namespace syntax_test
