#pragma once

#include <string_view>

#include "ccc/base/TString.h"
#include "ccc/base/Unit.h"

namespace Orvane {

class Model;
class SrcText;
class Log;

using CCC::CeId;
using DString = CCC::TString<unsigned short>;

// The sink of document events. A syntax calls one operation per structural
// element in document order; the generator keeps the little state the
// events need and produces the outputs. This base class is the trace
// generator: it prints a rough rendering of the events on standard output
// (in Shift_JIS) and writes no files.
class Generator {
public:
    // blockMode values: what the text written last was part of.
    static constexpr int kPlainBlock = 0;
    static constexpr int kListBlock = 1;
    static constexpr int kTableBlock = 2;

    explicit Generator(Model* model) : model_(model) {}
    virtual ~Generator() = default;
    Generator(const Generator&) = delete;
    Generator& operator=(const Generator&) = delete;

    virtual int getPassCount();
    virtual void beginSrcText(SrcText* srcText);
    virtual const char* getTemplate();
    virtual CeId getTemplateCeId();
    virtual const char* getExtension();
    virtual void endSrcText();
    virtual void setEncoding(CeId ceId);
    virtual void reset();
    virtual void setBlockMode(int mode);
    virtual void writeOutput();
    virtual void newOutput();
    virtual void pageNumber(const DString* text);
    virtual void beginHeading(int level);
    virtual void endHeading(int level);
    virtual void listItem(int target);
    virtual void setListState(int state);
    virtual void horizontalRule();
    virtual void beginParagraph();
    virtual void endParagraph();
    virtual void newLine();
    virtual void setTitle(const DString* text);
    virtual void beginInline();
    virtual void endInline();
    virtual void text(const DString* text);
    virtual void lineBreak();
    virtual void image(const DString* source, const DString* alternative, bool block);
    virtual void anchor(const DString* name, const DString* text);
    virtual void link(const DString* target, const DString* text);
    virtual void rawText(const DString* text);
    virtual void comment(const DString* text);
    virtual void blockComment(const DString* text);
    virtual void macro(const DString* text);
    virtual void beginHeaderCell();
    virtual void endHeaderCell();
    virtual void beginDataCell();
    virtual void endDataCell();
    virtual void beginTableRow();
    virtual void endTableRow();
    virtual void ruby(const DString* base, const DString* reading);
    virtual void beginSpan();
    virtual void endSpan();
    virtual void title(const DString* text);
    virtual void pageFront(const DString* text);
    virtual void pageSpecial(const DString* text);

    void setPass(int pass) { pass_ = pass; }
    void setLog(Log* log) { log_ = log; }

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
    // standard output, the XHTML writer appends it to its body.
    virtual void emit(std::string_view ascii);

    Model* model_;
    int pass_ = 0;
    SrcText* srcText_ = nullptr;
    int blockMode_ = kPlainBlock;
    int listState_ = 0;
    int part_ = 0;
    int page_ = 0;
    Log* log_ = nullptr;

private:
    // Trace output of text arguments, in Shift_JIS.
    static void printText(const DString* text);
    void printWrapped(const char* before, const DString* text, const char* after);
};

} // namespace Orvane
