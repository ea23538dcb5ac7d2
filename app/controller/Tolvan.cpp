#include "app/controller/Tolvan.h"
#include "app/controller/CharsetIndex.h"
#include "app/services/StartDirectory.h"
#include "ccc/encoding/EncodingIds.h"
#include "core/model/Log.h"
#include "core/model/Model.h"

namespace tolvanw32 {

Tolvan::Tolvan(const TolvanServices& services)
    : services_(services), conv_(services.narrowCeId), logText_(std::make_unique<CCC::TString<unsigned short>>()) {
    model_ = std::make_unique<Orvane::Model>();
    model_->setGenerator(1);
    startDirectory_ = services_.startDirectory.empty() ? StartDirectory::locate() : services_.startDirectory;
    readRegistory();
    setXhtmlVersion();
    setStyleSheet();
    setSyntaxOptions();
    createLog();
}

Tolvan::~Tolvan() = default;

void Tolvan::createLog() {
    // Everything the log prints ends up, as UTF-16 with LF line ends, at the
    // end of logText_.
    log_ = Orvane::Log::toString(logText_.get());
}

CCC::CeId Tolvan::charsetCeId(int charset) { return charset == kUtf8Charset ? CCC::ceid::kUtf8 : CCC::ceid::kCp932; }

MessageDialog::Answer Tolvan::message(const Text& text, const Text& caption, MessageDialog::Buttons buttons) {
    return services_.messages.show(text, caption, buttons, MessageDialog::Icon::Information,
                                   MessageDialog::DefaultButton::First);
}

int Tolvan::selectedSrcText() { return mainView_ ? mainView_->getSelectedSrcTextIndex() : -1; }

int Tolvan::selectedOutput() { return mainView_ ? mainView_->getSelectedOutputIndex() : -1; }

void Tolvan::updateView() {
    if (mainView_) mainView_->update();
}

Text Tolvan::narrowToText(const std::string& narrow) const { return conv_.fromNarrow(narrow); }

} // namespace tolvanw32
