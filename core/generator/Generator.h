#pragma once

#include <string_view>

#include "TextRef.h"
#include "ccc/base/CacheLine.h"
#include "ccc/base/TString.h"
#include "ccc/base/Unit.h"
#include "ccc/encoding/EncodingIds.h"

namespace Orvane {

class GeneratorPipe;
class Model;
class SrcText;
class Log;

using CCC::CeId;
using DString = CCC::TString<unsigned short>;

// The sink of document events. A syntax calls one operation per structural
// element in document order; the generator keeps the little state the
// events need and produces the outputs. This base class is the trace
// generator: it prints a rough rendering of the events on standard output
// (texts in Shift_JIS unless setPrintCeId says otherwise) and writes no
// files.
//
// Text arguments (TextRef) are UTF-16, owned by the caller and never
// kept. Per source the model calls beginSrcText, the syntax the content
// events and then endSrcText once. Every block-level event first switches
// the block mode (setBlockMode), which closes an open list or table. A
// generator may write on a thread of its own beside the syntax: it has
// its cache lines to itself.
class alignas(CCC::kCacheLine) Generator {
public:
    // blockMode values: what the text written last was part of.
    static constexpr int kPlainBlock = 0;
    static constexpr int kListBlock = 1;
    static constexpr int kTableBlock = 2;

    explicit Generator(Model* model) : model_(model) {}
    virtual ~Generator() = default;
    Generator(const Generator&) = delete;
    Generator& operator=(const Generator&) = delete;

    // ---- the run and its documents ----

    // How many passes the model runs over every source (1 or 2).
    virtual int getPassCount();
    // Remembers the source, then reset(): a new document begins.
    virtual void beginSrcText(SrcText* srcText);
    // The default template's text and the encoding it is written in.
    virtual const char* getTemplate();
    virtual CeId getTemplateCeId();
    // The outputs' file-name extension, with its dot.
    virtual const char* getExtension();
    // After the source's last token: writeOutput().
    virtual void endSrcText();
    // The encoding the output being built will be written in.
    virtual void setEncoding(CeId ceId);
    // Clears the per-document state (block mode, list state, part, page).
    virtual void reset();
    // Switches what the next text is part of; leaving a list or a table
    // closes it. Called by the generator itself, never by a syntax.
    virtual void setBlockMode(int mode);
    // Finishes the current output (the trace writes nothing).
    virtual void writeOutput();
    // A document split: finishes the current output, starts part + 1.
    virtual void newOutput();

    // ---- blocks ----

    // Levels 1 to 6; other levels write no tag.
    virtual void beginHeading(int level);
    virtual void endHeading(int level);
    // The transition from the list state to target; setListState(target)
    // follows after the item's inline content.
    virtual void listItem(int target);
    virtual void setListState(int state);
    virtual void horizontalRule();
    virtual void beginParagraph();
    virtual void endParagraph();
    // An empty line.
    virtual void newLine();
    // The document's title (replaces an earlier one); title() follows.
    virtual void setTitle(TextRef text);
    // The title line's own heading in the body.
    virtual void title(TextRef text);
    // Bracket the inline content of a paragraph, heading or list item.
    virtual void beginInline();
    virtual void endInline();

    // ---- inline content ----

    // Running text, escaped for the output.
    virtual void text(TextRef text);
    virtual void lineBreak();
    // block: the image stands alone rather than inside a line.
    virtual void image(TextRef source, TextRef alternative, bool block);
    virtual void anchor(TextRef name, TextRef text);
    virtual void link(TextRef target, TextRef text);
    // Markup passed through unescaped.
    virtual void rawText(TextRef text);
    // A comment inside a line, and one on lines of its own.
    virtual void comment(TextRef text);
    virtual void blockComment(TextRef text);
    // A macro the syntax does not expand, kept as a comment.
    virtual void macro(TextRef text);
    // A base text with its reading.
    virtual void ruby(TextRef base, TextRef reading);

    // ---- tables ----

    // The first row of a table opens it; the next block-level event closes it.
    virtual void beginTableRow();
    virtual void endTableRow();
    virtual void beginHeaderCell();
    virtual void endHeaderCell();
    virtual void beginDataCell();
    virtual void endDataCell();

    // ---- sentence spans ----

    virtual void beginSpan();
    virtual void endSpan();

    // ---- pages ----

    // A page number; none: the number of the part being built.
    virtual void pageNumber(TextRef text);
    // A front-matter page marker, and a special page's.
    virtual void pageFront(TextRef text);
    virtual void pageSpecial(TextRef text);

    // This generator as the pipe it is, or null: a syntax that writes to a
    // pipe calls it as such, its recording inlined, not through the
    // virtual calls.
    virtual GeneratorPipe* pipe() { return nullptr; }

    void setPass(int pass) { pass_ = pass; }
    void setLog(Log* log) { log_ = log; }
    // The encoding the trace prints texts in.
    void setPrintCeId(CeId ceId) { printCeId_ = ceId; }

    Model* getModel() const { return model_; }
    int getPass() const { return pass_; }
    SrcText* getSrcText() const { return srcText_; }
    int getBlockMode() const { return blockMode_; }
    int getListState() const { return listState_; }
    int getPart() const { return part_; }
    int getPage() const { return page_; }
    Log* getLog() const { return log_; }

protected:
    // Where the rendering of the events goes: the trace prints it on
    // standard output, the XHTML writer appends it to its body. Tags are
    // ASCII, written as UTF-16 literals: the body takes them as they are.
    virtual void emit(std::u16string_view tag);

    Model* model_;
    int pass_ = 0;
    SrcText* srcText_ = nullptr;
    int blockMode_ = kPlainBlock;
    int listState_ = 0;
    int part_ = 0;
    int page_ = 0;
    Log* log_ = nullptr;

private:
    CeId printCeId_ = CCC::ceid::kShiftJis;

    // Trace output of text arguments, in the print encoding.
    void printText(TextRef text);
    void printWrapped(std::u16string_view before, TextRef text, std::u16string_view after);
};

} // namespace Orvane
