#pragma once

#include <memory>

#include "ccc/base/TString.h"
#include "ccc/base/Unit.h"
#include "ccc/flow/CompositIFilter.h"
#include "ccc/flow/Flow.h"
#include "ccc/flow/Spooler.h"
#include "ccc/text/ExclusiveTextWriter.h"

namespace Orvane {

using CCC::CeId;
using DString = CCC::TString<unsigned short>;
using LogWriter = CCC::ExclusiveTextWriter<unsigned short>;

// The conversion log: the output chain that structure warnings are printed
// into (writer -> spooler -> flow), and the table of those warnings.
class Log {
public:
    enum Message { kNone = 0, kHeadingStart = 1, kHeadingJump = 2, kPageBackwards = 3 };
    enum Language { kEnglish = 0, kJapanese = 1 };
    static constexpr int kMessages = 4;

    // Takes over flow, spooler, filter and writer.
    Log(int reserved, CCC::OFlow* flow, CeId ceId, CCC::Spooler* spooler, CCC::CompositIFilter* filter,
        LogWriter* writer);
    ~Log();
    Log(const Log&) = delete;
    Log& operator=(const Log&) = delete;

    // The log the application uses: UTF-16 text appended to *sink (not
    // owned), through a spooler whose chain runs from utf-16n to utf-16n.
    // Null when that chain cannot be built.
    static std::unique_ptr<Log> toString(DString* sink);

    // The text of a warning (empty for 0 and for unknown numbers).
    static const DString& message(int number, int language);

    // Whether each warning starts with the name of its source ("book.txt: "),
    // as a program converting several files for a terminal wants; the
    // desktop's log keeps the bare text.
    void setSourceNamesP(bool on) { sourceNamesP_ = on; }
    bool sourceNamesP() const { return sourceNamesP_; }

    int getReserved() const { return reserved_; }
    CCC::OFlow* getFlow() const { return flow_; }
    CeId getCeId() const { return ceId_; }
    CCC::Spooler* getSpooler() const { return spooler_; }
    CCC::CompositIFilter* getFilter() const { return filter_; }
    LogWriter* getWriter() const { return writer_; }

private:
    int reserved_;
    CCC::OFlow* flow_;
    CeId ceId_;
    CCC::Spooler* spooler_;
    CCC::CompositIFilter* filter_;
    LogWriter* writer_;
    bool sourceNamesP_ = false;
};

} // namespace Orvane
