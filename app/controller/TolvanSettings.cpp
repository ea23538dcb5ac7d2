#include "app/controller/CharsetIndex.h"
#include "app/controller/CoreSettings.h"
#include "app/controller/Tolvan.h"
#include "core/model/Model.h"

namespace tolvanw32 {

namespace {

const char* const kStyleFileName = "StyleFileName";
const char* const kStyleNum = "StyleNum";
const char* const kXhtmlVersion = "XhtmlVersion";
const char* const kSpanTenP = "SpanTenP";
const char* const kSpanPeriodP = "SpanPeriodP";
const char* const kSpanCommaP = "SpanCommaP";
const char* const kSyntax = "Syntax";
const char* const kEscapeByAppend = "EscapeByAppend";
const char* const kTextEditor = "TextEditor";
const char* const kInputCharset = "InputCharset";
const char* const kOutputCharset = "OutputCharset";

void readText(const SettingsStore& store, const char* name, Text& setting) {
    if (std::optional<std::string> v = store.getString(name)) setting = StringConv::fromUtf8(*v);
}
void readNumber(const SettingsStore& store, const char* name, int& setting) {
    if (std::optional<std::uint32_t> v = store.getDword(name)) setting = static_cast<int>(*v);
}
void readFlag(const SettingsStore& store, const char* name, bool& setting) {
    if (std::optional<std::uint32_t> v = store.getDword(name)) setting = *v != 0;
}

} // namespace

void Tolvan::readRegistory() {
    SettingsStore* store = services_.settings;
    if (!store || !store->load()) {
        // First start: sources and outputs in UTF-8, as Linux editors write.
        settings_.InputCharset = settings_.OutputCharset = kUtf8Charset;
        return;
    }
    readText(*store, kStyleFileName, settings_.StyleFileName);
    readNumber(*store, kStyleNum, settings_.StyleNum);
    readNumber(*store, kXhtmlVersion, settings_.XhtmlVersion);
    readFlag(*store, kSpanTenP, settings_.SpanTenP);
    readFlag(*store, kSpanPeriodP, settings_.SpanPeriodP);
    readFlag(*store, kSpanCommaP, settings_.SpanCommaP);
    int syntax = settings_.Syntax;
    readNumber(*store, kSyntax, syntax);
    if (syntax >= 2 && syntax <= 4) settings_.Syntax = syntax;
    readFlag(*store, kEscapeByAppend, settings_.EscapeByAppend);
    readText(*store, kTextEditor, settings_.TextEditor);
    readNumber(*store, kInputCharset, settings_.InputCharset);
    readNumber(*store, kOutputCharset, settings_.OutputCharset);
}

void Tolvan::writeRegistory() {
    SettingsStore* store = services_.settings;
    if (!store) return;
    // Values of the key that are not ours are kept.
    store->load();
    // A text that cannot be stored (an unpaired surrogate) is written empty.
    auto text = [](const Text& t) { return StringConv::toUtf8(t).value_or(std::string()); };
    auto number = [](int n) { return static_cast<std::uint32_t>(n); };
    store->setString(kStyleFileName, text(settings_.StyleFileName));
    store->setDword(kStyleNum, number(settings_.StyleNum));
    store->setDword(kXhtmlVersion, number(settings_.XhtmlVersion));
    store->setDword(kSpanTenP, settings_.SpanTenP ? 1 : 0);
    store->setDword(kSpanPeriodP, settings_.SpanPeriodP ? 1 : 0);
    store->setDword(kSpanCommaP, settings_.SpanCommaP ? 1 : 0);
    store->setDword(kSyntax, number(settings_.Syntax));
    store->setDword(kEscapeByAppend, settings_.EscapeByAppend ? 1 : 0);
    store->setString(kTextEditor, text(settings_.TextEditor));
    store->setDword(kInputCharset, number(settings_.InputCharset));
    store->setDword(kOutputCharset, number(settings_.OutputCharset));
    // A failed write is silent: the settings in memory stand all the same.
    (void)store->save();
}

void Tolvan::setSyntaxOptions() {
    int syntax = settings_.Syntax;
    if (syntax < 2 || syntax > 4) return;
    model_->setSyntax(syntax);
    applySpanOptions(model_->getSyntax(), settings_.SpanTenP, settings_.SpanPeriodP, settings_.SpanCommaP);
}

void Tolvan::setXhtmlVersion() { applyXhtmlVersion(model_->getGenerator(), settings_.XhtmlVersion == 1 ? 1 : 0); }

void Tolvan::cmdSetOption() {
    std::unique_ptr<PreferenceDialog> dialog = mainView_ ? mainView_->createPreference() : nullptr;
    if (!dialog) return;
    if (settings_.StyleNum == kStyleUserFile) dialog->setStyleSheetFileName(settings_.StyleFileName);
    dialog->setStyleSheet(settings_.StyleNum);
    dialog->setXhtmlVersion(settings_.XhtmlVersion);
    dialog->setSpanTenP(settings_.SpanTenP);
    dialog->setSpanPeriodP(settings_.SpanPeriodP);
    dialog->setSpanCommaP(settings_.SpanCommaP);
    dialog->setSyntax(settings_.Syntax);
    dialog->setEscapeByAppendP(settings_.EscapeByAppend);
    dialog->setTextEditor(settings_.TextEditor);
    dialog->setInputCharset(settings_.InputCharset);
    dialog->setOutputCharset(settings_.OutputCharset);
    if (!dialog->showModal()) return;

    // The old choice's copies go while StyleNum still names it.
    if (dialog->getStyleSheet() != settings_.StyleNum) removeCopiedCss();

    settings_.StyleNum = dialog->getStyleSheet();
    settings_.StyleFileName = dialog->getStyleSheetFileName();
    settings_.XhtmlVersion = dialog->getXhtmlVersion();
    settings_.SpanTenP = dialog->getSpanTenP();
    settings_.SpanPeriodP = dialog->getSpanPeriodP();
    settings_.SpanCommaP = dialog->getSpanCommaP();
    settings_.Syntax = dialog->getSyntax();
    settings_.EscapeByAppend = dialog->getEscapeByAppendP();
    settings_.TextEditor = dialog->getTextEditor();
    settings_.InputCharset = dialog->getInputCharset();
    settings_.OutputCharset = dialog->getOutputCharset();

    writeRegistory();

    setXhtmlVersion();
    setStyleSheet();
    setSyntaxOptions();
}

} // namespace tolvanw32
