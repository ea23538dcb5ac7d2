#pragma once

#include "StepCodecIFilter.h"

namespace CCC {

// A stage that can write each LF (10) it delivers as CR LF itself. An
// LF -> CR LF stage reading from such a source hands it the expansion and
// passes its blocks through, so the data is converted and its line ends
// widened in one pass, straight into the reader's buffer.
class CrLfSource {
public:
    // Expands from now on, for the rest of the stage's life: whoever takes
    // it over stays its reader, through rewinds and new sources. False when
    // units have already left it without the expansion.
    virtual bool expandLfToCrLf() = 0;

protected:
    ~CrLfSource() = default;
};

// An ASCII unit u as its bytes at out, an LF as CR LF when crLf: how many.
inline int putAsciiUnit(unsigned u, bool crLf, char* out) {
    if (u == 10 && crLf) {
        out[0] = '\r';
        out[1] = '\n';
        return 2;
    }
    out[0] = static_cast<char>(u);
    return 1;
}

// A codec stage that is a CrLfSource: the Codec also provides
//   bool crLfP() const;  void setCrLf();   (reset() keeps it)
// and writes an LF as CR LF while it is set.
template <class Codec>
class CrLfStepCodecIFilter : public StepCodecIFilter<Codec>, public CrLfSource {
public:
    using StepCodecIFilter<Codec>::StepCodecIFilter;

    bool expandLfToCrLf() override {
        if (this->codec().crLfP()) return true;
        if (!this->headP() || this->pushbackCount()) return false;
        this->codec().setCrLf();
        return true;
    }
};

} // namespace CCC
