#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace tolvanw32 {

// A registry key kept as a file of its own, one value a line in the
// registry-export style:
//   "StyleNum"=dword:00000001
//   "TextEditor"="/usr/bin/editor"      (UTF-8; \" and \\ escaped)
// Values are typed (string or 32-bit number); asking for the other type
// finds nothing. Saving writes a temporary file and renames it over the old.
class SettingsStore {
public:
    using Value = std::variant<std::string, std::uint32_t>;
    using Environment = std::function<const char*(const char*)>;

    explicit SettingsStore(std::filesystem::path file) : file_(std::move(file)) {}

    // Where a key such as "Software\Merrowin\QuillmarkReg\2.0" lives:
    // $XDG_CONFIG_HOME (default ~/.config) / Merrowin/QuillmarkReg/2.0.reg.
    // A leading "Software\" is dropped. Empty when neither variable is set.
    static std::filesystem::path pathForKey(std::string_view key, const Environment& env);
    static std::filesystem::path pathForKey(std::string_view key);

    const std::filesystem::path& file() const { return file_; }

    // Reads the key; false when it does not exist (or cannot be read).
    bool load();
    // Writes every value; creates the folders as needed. False on failure,
    // in which case the old file is left as it was.
    [[nodiscard]] bool save() const;

    std::optional<std::string> getString(const std::string& name) const;
    std::optional<std::uint32_t> getDword(const std::string& name) const;
    void setString(const std::string& name, const std::string& value) { set(name, value); }
    void setDword(const std::string& name, std::uint32_t value) { set(name, value); }

    // The file's text for the current values, and the parser of that text
    // (lines it does not understand are skipped).
    std::string serialize() const;
    void parse(std::string_view text);

private:
    const Value* find(const std::string& name) const;
    void set(const std::string& name, Value value);

    std::filesystem::path file_;
    // A handful of values, kept in the order they were first set or read.
    std::vector<std::pair<std::string, Value>> values_;
};

} // namespace tolvanw32
