#pragma once

#include "ccc/base/TString.h"

namespace Orvane {

// What a program that gathers the writer's documents into a whole (a book)
// needs to hear while they are written: where the images and links point,
// and which headings, anchors and page markers got which id. Set on the
// XHTML writer; it asks the listener about every image and link and tells
// it about every id it writes.
class DocumentListener {
public:
    using DString = CCC::TString<unsigned short>;

    virtual ~DocumentListener() = default;

    // The image's address in the whole, into resolved; false: it cannot be
    // included, and its alternative text is written instead.
    virtual bool resolveImage(const DString& source, DString& resolved) = 0;
    // The link's address in the whole, into resolved; false: the target
    // cannot be reached, and only the link's text is written.
    virtual bool resolveLink(const DString& target, DString& resolved) = 0;
    // A heading (level 1..6; 0 for the document's title line) and its plain text.
    virtual void heading(int level, const DString& id, const DString& text) = 0;
    virtual void anchor(const DString& id) = 0;
    // A page marker and the page's label as printed.
    virtual void pageBreak(const DString& id, const DString& label) = 0;
};

} // namespace Orvane
