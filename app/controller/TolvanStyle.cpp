#include "app/controller/CoreSettings.h"
#include "app/controller/Tolvan.h"
#include "app/services/StyleSheetCopy.h"
#include "core/model/Model.h"

namespace tolvanw32 {

std::unique_ptr<CCC::TString<unsigned short>> Tolvan::getCssName() const {
    std::u16string_view builtIn = builtInStyleName(settings_.StyleNum);
    if (!builtIn.empty()) return StringConv::createDString(Text(builtIn));
    if (settings_.StyleNum == kStyleUserFile) return StringConv::createDString(settings_.StyleFileName);
    return nullptr;
}

void Tolvan::setStyleSheet() {
    std::unique_ptr<CCC::TString<unsigned short>> name = getCssName();
    applyStyleSheet(model_->getGenerator(), name.get(), styleYokoP(settings_.StyleNum),
                    styleTateP(settings_.StyleNum));
}

void Tolvan::copyCss() {
    // Only the bundled style sheets travel; a user-named one is referred to as is.
    if (!styleCopiedP(settings_.StyleNum)) return;
    std::optional<std::string> name = conv_.toNarrow(Text(builtInStyleName(settings_.StyleNum)));
    if (!name) return;
    std::string destination;
    std::string error;
    if (!copyStyleSheet(services_.files, FileOperations::join(startDirectory_, *name), *name, model_->getOutputs(),
                        destination, error))
        message(u"CSSファイルのコピー中にエラーが発生しました。\n「" + StringConv::fromUtf8(error) + u"」",
                u"エラー: CSSファイルコピー");
}

void Tolvan::removeCopiedCss() {
    if (!styleCopiedP(settings_.StyleNum)) return;
    std::optional<std::string> name = conv_.toNarrow(Text(builtInStyleName(settings_.StyleNum)));
    if (!name) return;
    for (const auto& output : model_->getOutputs()) {
        const auto& file = output->getFileName();
        std::string folder = FileOperations::directoryName(std::string(file.data(), file.size()));
        std::string error;
        if (!services_.files.remove(FileOperations::join(folder, *name), error)) {
            message(u"CSSファイルの削除中にエラーが発生しました。\n「" + StringConv::fromUtf8(error) + u"」",
                    u"エラー: CSSファイル削除");
            return;
        }
    }
}

} // namespace tolvanw32
