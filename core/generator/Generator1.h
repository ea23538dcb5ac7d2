#pragma once

#include "Generator.h"
#include "ccc/text/Formatter.h"

namespace Orvane {

// The XHTML writer: turns document events into an XHTML body for Japanese
// text in horizontal ("yoko") or vertical ("tate") writing, checks the
// order of page numbers and heading levels into the log, and at the end of
// each document pours encoding, title, style sheet and body into the
// source's template as a new Output of the model. The structural events
// whose markup the trace already renders (blocks, lists, tables, cells,
// spans) are inherited: they reach the body through emit().
class Generator1 : public Generator {
public:
    explicit Generator1(Model* model);

    void setYokoP(bool on) { yokoP_ = on; }
    void setTateP(bool on) { tateP_ = on; }
    // 1 selects XHTML 1.1, any other value XHTML 1.0 Transitional.
    void setXhtml(int version) { xhtml_ = version; }
    // A null or empty name means no style sheet.
    void setStyleSheet(const DString* name);

    const char* getTemplate() override;
    CeId getTemplateCeId() override;
    const char* getExtension() override;
    void setEncoding(CeId ceId) override;
    void reset() override;
    void writeOutput() override;
    void newOutput() override;
    void pageNumber(const DString* text) override;
    void beginHeading(int level) override;
    void horizontalRule() override;
    void setTitle(const DString* text) override;
    void text(const DString* text) override;
    void lineBreak() override;
    void image(const DString* source, const DString* alternative, bool block) override;
    void anchor(const DString* name, const DString* text) override;
    void link(const DString* target, const DString* text) override;
    void rawText(const DString* text) override;
    void comment(const DString* text) override;
    void blockComment(const DString* text) override;
    void macro(const DString* text) override;
    void ruby(const DString* base, const DString* reading) override;
    void title(const DString* text) override;
    void pageFront(const DString* text) override;
    void pageSpecial(const DString* text) override;

    const DString& getEncodingValue() const { return encodingValue_; }
    const DString& getTitleValue() const { return titleValue_; }
    const DString& getBodyValue() const { return bodyValue_; }
    const DString& getCssValue() const { return cssValue_; }
    bool getYokoP() const { return yokoP_; }
    bool getTateP() const { return tateP_; }
    int getXhtml() const { return xhtml_; }
    int getHeadingLevel() const { return headingLevel_; }

private:
    using Fmt = CCC::Formatter<unsigned short>;

    void emit(std::string_view ascii) override;
    void openWrappers();
    void closeWrappers();
    // Prints a structure warning into the log and, unless !located, adds it
    // to the source's diagnostics at the syntax's cursor.
    void warn(int message, int first, int second, bool located = true);
    // Escapes text for an attribute or for element content into a scratch
    // string that a formatter argument can borrow.
    const DString& attribute(DString& scratch, const DString* text);
    const DString& element(DString& scratch, const DString* text);
    void appendEscapedIn(Fmt& format, const DString* text);

    DString encodingValue_;
    DString titleValue_;
    DString bodyValue_;
    DString cssValue_;
    bool yokoP_ = false;
    bool tateP_ = false;
    int headingLevel_ = 0;
    int xhtml_ = 0;

    // One formatter per tag format, reused; scratch strings for escaped
    // arguments keep their storage between events.
    Fmt pageFormat_;
    Fmt imageFormat_;
    Fmt imageBlockFormat_;
    Fmt anchorFormat_;
    Fmt linkFormat_;
    Fmt rubyFormat_;
    Fmt titleFormat_;
    Fmt pageFrontFormat_;
    Fmt pageSpecialFormat_;
    DString scratch1_;
    DString scratch2_;
};

} // namespace Orvane
