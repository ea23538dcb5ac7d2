#pragma once

#include <cstdint>
#include <string>
#include <unordered_set>

#include "Generator.h"
#include "core/model/EncodedSpool.h"
#include "core/model/TextSpool.h"
#include "core/model/UnitBuffer.h"

namespace Orvane {

// The XHTML writer: turns document events into an XHTML body for Japanese
// text in horizontal ("yoko") or vertical ("tate") writing, checks the
// order of page numbers and heading levels into the log, and at the end of
// each document pours encoding, title, style sheet and body into the
// source's template as a new Output of the model. The structural events
// whose markup the trace already renders (blocks, lists, tables, cells,
// spans) are inherited: they reach the body through emit().
class DocumentListener;

// With HTML5 (setXhtml(kHtml5)) the same events give HTML5 in its XML
// form: anchors carry an id instead of a name, page markers are page
// breaks with an id and a title, and every id is written once per
// document. A listener, when set, decides where images and links point
// and hears of every id (a book's contents and page list).
class Generator1 : public Generator {
public:
    explicit Generator1(Model* model);

    void setYokoP(bool on) { yokoP_ = on; }
    void setTateP(bool on) { tateP_ = on; }
    static constexpr int kHtml5 = 5;
    // 1 selects XHTML 1.1, kHtml5 HTML5, any other value XHTML 1.0 Transitional.
    void setXhtml(int version) { xhtml_ = version; }
    // HTML5 only: the documents' language and whether they carry the
    // viewport meta element (loose pages do; a book's reader lays out itself).
    void setLanguage(std::string language) { language_ = std::move(language); }
    void setViewportP(bool on) { viewportP_ = on; }
    // Declares utf-8 whatever the outputs' encoding (their text is taken
    // from memory and written as UTF-8 by the caller).
    void setUtf8OnlyP(bool on) { utf8OnlyP_ = on; }
    // Vertical writing: one or two half-width digits, and "!!", "!?",
    // "?!", "??", are set upright in one cell (<span class="tcy">).
    void setTateChuYokoP(bool on) { tateChuYokoP_ = on; }
    void setListener(DocumentListener* listener) { listener_ = listener; }
    // A null or empty name means no style sheet.
    void setStyleSheet(TextRef name);

    const char* getTemplate() override;
    CeId getTemplateCeId() override;
    const char* getExtension() override;
    void setEncoding(CeId ceId) override;
    void reset() override;
    void writeOutput() override;
    void newOutput() override;
    void pageNumber(TextRef text) override;
    void beginHeading(int level) override;
    void endHeading(int level) override;
    void horizontalRule() override;
    void setTitle(TextRef text) override;
    void text(TextRef text) override;
    void lineBreak() override;
    void image(TextRef source, TextRef alternative, bool block) override;
    void anchor(TextRef name, TextRef text) override;
    void link(TextRef target, TextRef text) override;
    void rawText(TextRef text) override;
    void comment(TextRef text) override;
    void blockComment(TextRef text) override;
    void macro(TextRef text) override;
    void ruby(TextRef base, TextRef reading) override;
    void title(TextRef text) override;
    void pageFront(TextRef text) override;
    void pageSpecial(TextRef text) override;

    TextView getEncodingValue() const { return encodingValue_.view(); }
    TextView getTitleValue() const { return titleValue_.view(); }
    // The body's text still in memory: all of it unless the run writes its
    // outputs to files, when a long body's start is parked in a spool.
    TextView getBodyValue() const { return bodyValue_.view(); }
    TextView getCssValue() const { return cssValue_.view(); }
    bool getYokoP() const { return yokoP_; }
    bool getTateP() const { return tateP_; }
    int getXhtml() const { return xhtml_; }
    int getHeadingLevel() const { return headingLevel_; }

private:
    void emit(std::u16string_view tag) override;
    // The body to append to, its start first moved to the spool when it
    // has filled its memory.
    UnitBuffer& body() {
        if (bodyValue_.size() >= spillAt_) spillBody();
        return bodyValue_;
    }
    void spillBody();
    // Starts bodyEncoded_ with the head as it stands; false when it cannot.
    bool startEncodedBody();
    // The name of the document being made (its part's, after the first).
    BString outputName();
    // Sets the head's values that are settled only when the document is
    // written; true when the title was made from the file name (the caller
    // clears it after use).
    bool completeHead();
    void openWrappers();
    void closeWrappers();
    // Prints a structure warning into the log and, unless !located, adds it
    // to the source's diagnostics at the syntax's cursor.
    void warn(int message, int first, int second, bool located = true);
    bool html5P() const { return xhtml_ == kHtml5; }
    // Per document: ids written so far, the id counter, the heading being written.
    void clearIds();
    // Takes id unless an earlier element of the document has it (or it is
    // empty or holds a blank); false then.
    bool claimId(TextView id);
    // A fresh id "qm-PREFIX" + counter, claimed.
    const DString& newId(const char* prefix);
    void openPageBreak(const DString& label, std::u16string_view className);
    // Between the rows of a table (after "</tr>\n") in HTML5 neither a block
    // nor a line break can stand: the table ends before it. Inside a cell
    // both may.
    void endTableBetweenRows();
    void appendTateChuYoko(TextView text);
    // Text escaped as element content between two tags.
    void element(std::u16string_view open, TextRef text, std::u16string_view close);

    DString encodingValue_;
    DString titleValue_;
    UnitBuffer bodyValue_;
    // 64 KB of body in memory. The body's last piece is encoded after the
    // parse ends, with nothing left to run beside it: small pieces keep that
    // wait short, and writes to the spool are still few and cheap.
    static constexpr std::size_t kBodySpillUnits = 32 * 1024;
    static constexpr std::size_t kBodyKeptUnits = 16;
    std::size_t spillAt_ = SIZE_MAX;
    // A spilled body is encoded on a second thread when the template lets
    // it (BODY after a line end), else parked as UTF-16.
    EncodedSpool bodyEncoded_;
    bool encodeAheadP_ = false;
    TextSpool bodySpool_;
    DString cssValue_;
    bool yokoP_ = false;
    bool tateP_ = false;
    int headingLevel_ = 0;
    int xhtml_ = 0;
    std::string language_ = "ja";
    std::string html5Template_;
    bool viewportP_ = true;
    bool utf8OnlyP_ = false;
    bool tateChuYokoP_ = false;
    DocumentListener* listener_ = nullptr;

    std::unordered_set<std::u16string> ids_;
    int idCounter_ = 0;
    DString id_;
    bool inHeadingP_ = false;
    DString headingText_;
};

} // namespace Orvane
