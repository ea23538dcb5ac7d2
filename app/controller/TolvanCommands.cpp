#include <cstdio>

#include "app/controller/CharsetIndex.h"
#include "app/controller/Tolvan.h"
#include "ccc/base/Exception.h"
#include "ccc/detect/Utf8Check.h"
#include "ccc/encoding/EncodingIds.h"
#include "ccc/encoding/Iceman.h"
#include "core/model/FileName.h"
#include "core/model/Log.h"
#include "core/model/Model.h"

namespace tolvanw32 {

namespace {

namespace ceid = CCC::ceid;

std::string narrowOf(const CCC::TString<char>& s) { return std::string(s.data(), s.size()); }

} // namespace

void Tolvan::appendDiagnostics() {
    for (const auto& src : model_->getSrcTexts()) {
        const auto& path = src->getFileName();
        const std::string name(path.data(), path.size());
        CCC::TString<unsigned short> shown;
        if (!Orvane::FileName::toText(CCC::TString<char>(name.substr(name.find_last_of("/\\") + 1).c_str()), shown))
            continue;
        for (const Orvane::Diagnostic& d : src->getDiagnostics().items())
            *logText_ += Orvane::Diagnostics::line(shown, d, Orvane::Diagnostics::kJapanese);
    }
}

Text Tolvan::encodingMismatchMessage(CCC::CeId detected) {
    // Encoding names are ASCII.
    const char* name = CCC::Iceman::ceIdToString(detected);
    Text shown = name ? Text(name, name + std::char_traits<char>::length(name)) : Text(u"不明");
    return shown + u"の文字コードのファイルが指定されました。\nShift_JISの文字コードが入力文字コードに指定されています。";
}

void Tolvan::cmdAppend() {
    std::optional<Text> path =
        services_.openFileDialog.chooseFile(u"テキストファイル (*.txt)|*.txt|全ファイル (*.*)|*.*");
    if (path) cmdAppend(*path);
}

void Tolvan::cmdAppend(const Text& path) {
    const Text caption = u"エラー: 登録";
    std::unique_ptr<CCC::TString<char>> name = conv_.createBString(path);
    if (!name || !conv_.narrowRoundTripP(path)) {
        message(u"ファイル名やフォルダ名にShift JIS以外の文字が使われているため、このファイルは登録できません。", caption);
        return;
    }
    for (const auto& src : model_->getSrcTexts()) {
        if (src->getFileName() == *name) {
            message(u"ファイル(" + path + u")は既に変換対象テキストファイルとして登録済みです。", caption);
            return;
        }
    }

    std::FILE* fp = services_.files.openForReading(narrowOf(*name));
    if (!fp) {
        message(u"このファイルは開けません。", caption);
        return;
    }
    CCC::CeId detected = ceid::kNone;
    bool readable = true;
    try {
        detected = CCC::Iceman::detect(ceid::kJaDetector, fp);
    } catch (const CCC::IOException&) {
        readable = false;
    }
    // The Japanese detector knows UTF-8 only by its mark; a mark-less UTF-8
    // file (what Linux editors write) would be read as Shift_JIS.
    if (readable && settings_.InputCharset == kShiftJisCharset && detected != ceid::kUtf8) {
        std::rewind(fp);
        CCC::Utf8Check check;
        check.feed(fp);
        if (check.utf8P()) detected = ceid::kUtf8N;
    }
    std::fclose(fp);
    if (!readable) {
        message(u"このファイルは開けません。", caption);
        return;
    }
    if (detected == ceid::kNone) detected = ceid::kUsAscii;

    if (settings_.InputCharset == kShiftJisCharset && detected != ceid::kShiftJis && detected != ceid::kCp932 && detected != ceid::kUsAscii) {
        message(encodingMismatchMessage(detected), caption);
        return;
    }

    if (settings_.EscapeByAppend && !convertEscape(path)) return;

    model_->addSrcText(name->c_str(), charsetCeId(settings_.InputCharset), nullptr,
                       charsetCeId(settings_.OutputCharset), CCC::nlconv::kLf2CrLf);
    updateView();
}

void Tolvan::cmdRelease() {
    int position = selectedSrcText();
    if (position == -1) {
        message(u"解除する変換対象テキストファイルが選択されていません。", u"エラー: 解除");
        return;
    }
    model_->removeFromSrcTexts(position);
    updateView();
}

void Tolvan::cmdRename() {
    const Text caption = u"エラー: リネーム";
    int position = selectedSrcText();
    const auto& srcTexts = model_->getSrcTexts();
    if (position < 0 || static_cast<std::size_t>(position) >= srcTexts.size()) {
        message(u"リネームする変換対象テキストファイルが選択されていません。", caption);
        return;
    }
    Orvane::SrcText* src = srcTexts[static_cast<std::size_t>(position)].get();
    Text current = conv_.createDnString(src->getFileName());
    std::optional<Text> renamed = mainView_ ? mainView_->showRename(current) : std::nullopt;
    if (!renamed) return;
    if (*renamed == current) {
        message(u"変更前と同じファイル名が指定されました。", caption);
        return;
    }
    // A name the narrow encoding cannot hold cannot be given to a file here;
    // it fails like any other move.
    std::unique_ptr<CCC::TString<char>> newName = conv_.createBString(*renamed);
    bool representable = newName && conv_.narrowRoundTripP(*renamed);
    if (representable && services_.files.exists(narrowOf(*newName))) {
        message(u"既に同名のファイルが存在するためファイル名を変更できませんでした。", caption);
        return;
    }
    std::string error;
    if (!representable || !services_.files.move(narrowOf(src->getFileName()), narrowOf(*newName), error)) {
        message(u"ファイル名\n" + *renamed + u"\nへのリネームが失敗しました。", caption);
        return;
    }
    // Only the file name changes: outputs keep the base name fixed when the
    // text was added.
    src->setFileName(newName->c_str());
    updateView();
}

void Tolvan::cmdConvert() {
    if (model_->getSrcTexts().empty()) {
        message(u"変換対象テキストファイルが設定されていません。", u"エラー: 変換");
        return;
    }
    logText_->clear();
    if (!model_->run(log_.get())) message(u"変換の処理中にエラーが発生しました。", u"エラー: 変換");
    appendDiagnostics();
    if (!logText_->empty() && mainView_)
        mainView_->showLog(withCrLf(*logText_));
    copyCss();
    updateView();
}

void Tolvan::cmdRemove() {
    if (model_->getOutputs().empty()) {
        message(u"削除するファイルがありません。", u"エラー: 削除");
        return;
    }
    // An output that cannot be deleted stays; the list is cleared all the same.
    for (const auto& output : model_->getOutputs()) {
        std::string ignored;
        (void)services_.files.remove(narrowOf(output->getFileName()), ignored);
    }
    removeCopiedCss();
    model_->clearOutputs();
    updateView();
}

bool Tolvan::startEditor(const std::string& path) {
    std::optional<std::string> editor = conv_.toNarrow(settings_.TextEditor);
    return editor && services_.programs.start(*editor, path);
}

void Tolvan::cmdEdit() {
    const Text caption = u"エラー: 編集";
    int position = selectedSrcText();
    const auto& srcTexts = model_->getSrcTexts();
    if (position < 0 || static_cast<std::size_t>(position) >= srcTexts.size()) {
        message(u"選択されている変換対象テキストファイルがありません。", caption);
        return;
    }
    std::string path = narrowOf(srcTexts[static_cast<std::size_t>(position)]->getFileName());
    if (settings_.TextEditor.empty()) {
        if (!services_.documents.open(path)) message(u"編集対象のファイルが開けません。", caption);
    } else if (!startEditor(path)) {
        message(u"テキストエディタの起動に失敗しました。", caption);
    }
}

const Orvane::Output* Tolvan::selectedOutputOrSay(const Text& caption) {
    const int position = selectedOutput();
    const auto& outputs = model_->getOutputs();
    if (position >= 0 && static_cast<std::size_t>(position) < outputs.size())
        return outputs[static_cast<std::size_t>(position)].get();
    message(u"選択されている生成ファイルがありません。", caption);
    return nullptr;
}

void Tolvan::cmdReview() {
    const Text caption = u"エラー: レビュー";
    const Orvane::Output* output = selectedOutputOrSay(caption);
    if (output && !services_.documents.open(narrowOf(output->getFileName())))
        message(u"レビュー対象の生成ファイルが開けません。", caption);
}

void Tolvan::cmdViewOutput() {
    const Text caption = u"エラー: レビュー";
    const Orvane::Output* output = selectedOutputOrSay(caption);
    if (!output) return;
    if (settings_.TextEditor.empty()) {
        message(u"テキストエディタが未設定なため、生成ファイルが開けません。\n"
                u"この機能を使うにはオプション設定ダイアログでテキストエディタを指定してください。",
                caption);
        return;
    }
    if (!startEditor(narrowOf(output->getFileName())))
        message(u"テキストエディタの起動エラー。", caption);
}

void Tolvan::cmdHelp() {
    if (!services_.documents.open(FileOperations::join(startDirectory_, "help.html")))
        message(u"ヘルプファイル(help.html)が開けません。", u"エラー: ヘルプ");
}

void Tolvan::cmdHelpIndex() {
    if (!services_.documents.open(FileOperations::join(startDirectory_, "index.html")))
        message(u"ヘルプ目次ファイル(index.html)が開けません。", u"エラー: ヘルプ目次ファイル");
}

void Tolvan::cmdAbout() {
    message(u"Quillmark\n日本語の原稿テキストを XHTML に変換します。\nCopyright (C) Merrowin", u"バージョン情報");
}

bool Tolvan::cmdExit() {
    return message(u"終了しますか？", u"終了", MessageDialog::Buttons::OkCancel) == MessageDialog::Answer::Ok;
}

} // namespace tolvanw32
