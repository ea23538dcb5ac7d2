#include <unistd.h>

#include <vector>

#include "app/controller/CharsetIndex.h"
#include "app/controller/Tolvan.h"
#include "app/services/ControlEscaper.h"
#include "ccc/encoding/EncodingIds.h"
#include "ccc/encoding/Iceman.h"

namespace tolvanw32 {

namespace {

namespace ceid = CCC::ceid;

template <class T>
std::vector<UnitRun<T>> runsOf(const EscapeTable& table) {
    std::vector<UnitRun<T>> runs;
    runs.reserve(table.marks.size());
    for (const EscapeMark& m : table.marks) {
        if constexpr (sizeof(T) == 1)
            runs.push_back({m.sjis.data(), m.sjis.size()});
        else
            runs.push_back({m.utf16.data(), m.utf16.size()});
    }
    return runs;
}

template <class T>
UnitRun<T> escapeOf(const EscapeTable& table) {
    if constexpr (sizeof(T) == 1)
        return {table.escape.sjis.data(), table.escape.sjis.size()};
    else
        return {table.escape.utf16.data(), table.escape.utf16.size()};
}

// Escapes text with the table (none: no marks) and returns where the walk
// stopped, the first NUL unit or the end.
template <class T, class Out>
std::size_t escapeWith(const EscapeTable* table, const T* text, std::size_t n, Out& out) {
    if (!table) {
        std::size_t stop = 0;
        while (stop < n && text[stop] != T(0)) ++stop;
        out.append(text, stop);
        return stop;
    }
    std::vector<UnitRun<T>> marks = runsOf<T>(*table);
    return escapeMarks<T>(text, n, marks, escapeOf<T>(*table), out);
}

} // namespace

const EscapeTable* Tolvan::getSpecials() const { return escapeTableFor(settings_.Syntax); }

bool Tolvan::convertEscapeShiftJIS(const std::string& text, std::string& out) const {
    out.clear();
    out.reserve(text.size() + text.size() / 8);
    std::size_t stop = escapeWith<char>(getSpecials(), text.data(), text.size(), out);
    // From a NUL byte on, the content is kept as it is.
    out.append(text, stop, std::string::npos);
    return true;
}

bool Tolvan::convertEscapeUTF8(const std::string& text, std::string& out) const {
    out.clear();
    std::size_t nul = text.find('\0');
    if (nul == std::string::npos) nul = text.size();
    if (nul > 0) {
        CCC::TString<char> bytes(text.data(), nul);
        CCC::TString<unsigned short> units;
        if (!CCC::Iceman::convertToDString(ceid::kUtf8, ceid::kUtf16N, bytes, units)) return false;
        Text source = StringConv::createDnString(units);
        Text escaped;
        escaped.reserve(source.size() + source.size() / 8);
        escapeWith<char16_t>(getSpecials(), source.data(), source.size(), escaped);
        CCC::TString<char> encoded;
        if (!CCC::Iceman::convertToBString(ceid::kUtf16N, ceid::kUtf8, *StringConv::createDString(escaped), encoded))
            return false;
        out.assign(encoded.data(), encoded.size());
    }
    out.append(text, nul, std::string::npos);
    return true;
}

// Asks before an old backup is replaced; the replacing itself waits until
// the escaped text is on disk (convertEscape).
bool Tolvan::convertEscapeBackupDeleteCheck(const Text& fileName) {
    const Text backupName = fileName + u".back";
    std::optional<std::string> backup = conv_.toNarrow(backupName);
    if (!backup || !services_.files.exists(*backup)) return true;
    return message(u"バックアップファイル\n" + backupName +
                       u"\nが見つかりました。\n\nバックアップファイルを上書きして、制御文字のスケープ処理を行いますか？",
                   u"登録: 制御文字のエスケープ", MessageDialog::Buttons::OkCancel) == MessageDialog::Answer::Ok;
}

// The escaped text goes to a temporary file first; only when it is on disk
// does the original become the backup (replacing an old one) and the
// temporary file take its name. On every failure the file keeps its name
// and content, and an old backup stays unless the original took its place.
bool Tolvan::convertEscape(const Text& fileName) {
    const Text caption = u"エラー: 登録";
    const Text cannotOpen = u"このファイルは開けません。";
    if (!convertEscapeBackupDeleteCheck(fileName)) return false;

    const Text backupName = fileName + u".back";
    std::optional<std::string> name = conv_.toNarrow(fileName);
    std::optional<std::string> backup = conv_.toNarrow(backupName);
    std::string content;
    std::string error;
    // A read-only file, a folder, a FIFO or a device is not rewritten.
    if (!name || !backup || !services_.files.rewritable(*name, error) || !services_.files.readAll(*name, content)) {
        message(cannotOpen, caption);
        return false;
    }

    std::string escaped;
    bool converted = settings_.InputCharset == kUtf8Charset ? convertEscapeUTF8(content, escaped)
                                                 : convertEscapeShiftJIS(content, escaped);
    std::string temp;
    bool written = false;
    if (converted) {
        for (int attempt = 0; attempt < 100 && !written; ++attempt) {
            temp = *name + ".qm" + std::to_string(::getpid()) + "-" + std::to_string(attempt) + ".tmp";
            written = services_.files.writeNew(temp, escaped, *name);
            if (!written && !services_.files.exists(temp)) break;
        }
    }
    if (!written) {
        message(cannotOpen, caption);
        return false;
    }

    // Undoing after a failure is best effort: the message reports the failure.
    if (services_.files.exists(*backup)) {
        if (!services_.files.replace(*name, *backup, error)) {
            (void)services_.files.remove(temp, error);
            message(u"バックアップファイル\n" + backupName + u"\nを削除できません。", u"エラー: 制御文字のエスケープ");
            return false;
        }
    } else if (!services_.files.move(*name, *backup, error)) {
        (void)services_.files.remove(temp, error);
        message(u"バックアップファイル\n" + backupName + u"\nにファイル名を変更できません。", caption);
        return false;
    }
    if (!services_.files.move(temp, *name, error)) {
        (void)services_.files.move(*backup, *name, error);
        (void)services_.files.remove(temp, error);
        message(cannotOpen, caption);
        return false;
    }
    return true;
}

} // namespace tolvanw32
