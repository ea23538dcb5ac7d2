#pragma once

#include <memory>
#include <optional>
#include <string>

#include "app/controller/Commands.h"
#include "app/controller/StringConv.h"
#include "app/services/BookBuilder.h"
#include "app/services/EscapeTables.h"
#include "app/services/FileOperations.h"
#include "app/services/Launcher.h"
#include "app/services/MainView.h"
#include "app/services/MessageDialog.h"
#include "app/services/OpenFileDialog.h"
#include "app/services/SaveFileDialog.h"
#include "app/services/SettingsStore.h"
#include "app/services/StyleSheet.h"
#include "app/services/Text.h"
#include "ccc/base/TString.h"
#include "ccc/base/Unit.h"

namespace Orvane {
class Log;
class Model;
class Output;
} // namespace Orvane

namespace tolvanw32 {

// What the controller reaches the platform through. Nothing here is owned.
struct TolvanServices {
    MessageDialog& messages;
    OpenFileDialog& openFileDialog;
    DocumentOpener& documents;
    ProgramStarter& programs;
    FileOperations& files;
    // The settings key; null keeps every setting at its initial value and
    // stores nothing.
    SettingsStore* settings = nullptr;
    // The folder of the bundled files, narrow; empty: StartDirectory::locate().
    std::string startDirectory;
    // The platform's narrow file-name encoding.
    CCC::CeId narrowCeId = StringConv::kPlatformNarrow;
    // Where a book is saved; null: the book command does nothing.
    SaveFileDialog* saveFileDialog = nullptr;
    // What makes the book; null: the EPUB books of the publish layer.
    BookBuilder* books = nullptr;
};

// The eleven user settings, with their initial values.
struct TolvanSettings {
    int StyleNum = 0;
    Text StyleFileName;
    int XhtmlVersion = 0;
    bool SpanTenP = false;
    bool SpanPeriodP = false;
    bool SpanCommaP = false;
    int Syntax = 2;
    bool EscapeByAppend = false;
    Text TextEditor;
    int InputCharset = 0;
    int OutputCharset = 0;
};

// The desktop program's controller: owns the conversion model and its log,
// holds the settings, and carries out every command of the main window.
class Tolvan final : public Commands {
public:
    explicit Tolvan(const TolvanServices& services);
    ~Tolvan() override;
    Tolvan(const Tolvan&) = delete;
    Tolvan& operator=(const Tolvan&) = delete;

    void setMainView(MainView* view) { mainView_ = view; }
    Orvane::Model* getModel() const { return model_.get(); }

    // ---- commands ----
    void cmdAppend() override;
    void cmdAppend(const Text& path) override;
    void cmdRelease() override;
    void cmdRename() override;
    void cmdConvert() override;
    void cmdRemove() override;
    void cmdEpub() override;
    void cmdEdit() override;
    void cmdReview() override;
    void cmdViewOutput() override;
    void cmdSetOption() override;
    void cmdHelp() override;
    void cmdHelpIndex() override;
    void cmdAbout() override;
    bool cmdExit() override;

    // ---- settings ----
    void readRegistory();
    void writeRegistory();
    void setSyntaxOptions();
    void setXhtmlVersion();
    TolvanSettings& settings() { return settings_; }
    const TolvanSettings& settings() const { return settings_; }

    // ---- style sheets ----
    // The name given to the XHTML writer, or null.
    std::unique_ptr<CCC::TString<unsigned short>> getCssName() const;
    void setStyleSheet();
    void copyCss();
    void removeCopiedCss();

    // ---- control-character escaping ----
    [[nodiscard]] bool convertEscape(const Text& fileName);
    [[nodiscard]] bool convertEscapeBackupDeleteCheck(const Text& fileName);
    // Escape the whole content `text` into `out`; false when the content
    // cannot be converted.
    [[nodiscard]] bool convertEscapeShiftJIS(const std::string& text, std::string& out) const;
    [[nodiscard]] bool convertEscapeUTF8(const std::string& text, std::string& out) const;
    // The marks of the current syntax, or null.
    const EscapeTable* getSpecials() const;

    // ---- the rest ----
    void createLog();
    // The located diagnostics of the last run, after the log's own lines:
    // the file name without its folder, line, column and message.
    void appendDiagnostics();
    const CCC::TString<unsigned short>& getLogText() const { return *logText_; }
    const StringConv& getStringConv() const { return conv_; }
    const std::string& getStartDirectory() const { return startDirectory_; }

    // The text of the message for a file of an unexpected encoding.
    static Text encodingMismatchMessage(CCC::CeId detected);
    // The encoding of a charset setting: 0 cp932, 1 utf-8, any other cp932.
    static CCC::CeId charsetCeId(int charset);

private:
    MessageDialog::Answer message(const Text& text, const Text& caption,
                                  MessageDialog::Buttons buttons = MessageDialog::Buttons::Ok);
    int selectedSrcText();
    int selectedOutput();
    // The output selected in the view; null, after saying so under caption,
    // when there is none.
    const Orvane::Output* selectedOutputOrSay(const Text& caption);
    void updateView();
    Text narrowToText(const std::string& narrow) const;
    [[nodiscard]] bool startEditor(const std::string& path);
    BookBuilder& books();

    MainView* mainView_ = nullptr;
    TolvanServices services_;
    StringConv conv_;
    std::unique_ptr<Orvane::Model> model_;
    std::unique_ptr<CCC::TString<unsigned short>> logText_;
    std::unique_ptr<Orvane::Log> log_;
    std::string startDirectory_;
    TolvanSettings settings_;
};

} // namespace tolvanw32
