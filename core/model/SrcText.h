#pragma once

#include "Diagnostics.h"
#include "TextFile.h"

namespace Orvane {

class Template;

// A registered source manuscript. Output names are made from baseName:
// the output name when one was given, else the file name, without its
// extension.
class SrcText : public TextFile {
public:
    SrcText(const char* fileName, CeId inCeId, const char* outputName, CeId outCeId, CCC::NLConv newLineMode);

    // Cuts baseName before the last "." that follows the last "/".
    void stripExtension();

    Template* getTemplate() const { return template_; }
    void setTemplate(Template* t) { template_ = t; }
    const BString& getBaseName() const { return baseName_; }
    // What the last run found wrong in the text, with its places.
    Diagnostics& getDiagnostics() { return diagnostics_; }
    const Diagnostics& getDiagnostics() const { return diagnostics_; }

private:
    Template* template_ = nullptr;  // owned by the model's template list
    BString baseName_;
    Diagnostics diagnostics_;
};

} // namespace Orvane
