#include "app/controller/Tolvan.h"
#include "core/model/Log.h"
#include "core/model/Model.h"

namespace tolvanw32 {

namespace {

std::string narrowOf(const CCC::TString<char>& s) { return std::string(s.data(), s.size()); }

// Each line and a line break, at the end of the log text.
void appendLines(CCC::TString<unsigned short>& log, const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        const Text text = StringConv::fromUtf8(line);
        log.append(text.begin(), text.end());
        log.push_back(u'\n');
    }
}

} // namespace

BookBuilder& Tolvan::books() {
    static EpubBookBuilder epub;
    return services_.books ? *services_.books : epub;
}

void Tolvan::cmdEpub() {
    const Text caption = u"エラー: EPUB作成";
    const auto& srcTexts = model_->getSrcTexts();
    if (srcTexts.empty()) {
        message(u"変換対象テキストファイルが設定されていません。", caption);
        return;
    }
    if (!services_.saveFileDialog) return;
    // Offered beside the first source under its outputs' name.
    const Text proposed = narrowToText(narrowOf(srcTexts.front()->getBaseName()) + ".epub");
    const std::optional<Text> chosen =
        services_.saveFileDialog->chooseSaveFile(u"EPUBファイル (*.epub)|*.epub", proposed);
    if (!chosen) return;
    auto refuse = [&](const Text& reason) { message(u"EPUBファイルを作成できませんでした。\n「" + reason + u"」", caption); };

    std::optional<std::string> path = conv_.narrowRoundTripP(*chosen) ? conv_.toNarrow(*chosen) : std::nullopt;
    if (!path) {
        refuse(*chosen + u": このファイル名は使えません");
        return;
    }
    // The save dialog's overwrite question is no guard for a manuscript
    // chosen by mistake: its text would be lost.
    for (const auto& src : srcTexts) {
        if (narrowOf(src->getFileName()) == *path) {
            refuse(*chosen + u": 変換対象テキストファイルには書き込めません");
            return;
        }
    }

    Publish::BookOptions options;
    options.writing = styleTateP(settings_.StyleNum) ? Publish::Writing::kTate : Publish::Writing::kYoko;
    logText_->clear();
    const Publish::BookResult result = books().build(*model_, options, *path, log_.get());
    appendDiagnostics();
    appendLines(*logText_, result.warnings);
    if (!result.written) {
        Text reasons;
        for (const std::string& failure : result.failures)
            reasons += (reasons.empty() ? u"" : u"\n") + StringConv::fromUtf8(failure);
        refuse(reasons.empty() ? *chosen : reasons);
    }
    if (!logText_->empty() && mainView_) mainView_->showLog(withCrLf(*logText_));
    updateView();
}

} // namespace tolvanw32
