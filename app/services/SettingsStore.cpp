#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <system_error>

#include "app/services/SettingsStore.h"
#include "core/model/ReplacingFile.h"

namespace tolvanw32 {

namespace {

std::string escapeString(const std::string& s) {
    std::string out;
    out.reserve(s.size() + 2);
    for (char c : s) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out;
}

// Reads a quoted string starting at text[pos] == '"'; pos ends after the
// closing quote. False when the quote is not closed.
bool readQuoted(std::string_view text, std::size_t& pos, std::string& out) {
    out.clear();
    for (++pos; pos < text.size(); ++pos) {
        char c = text[pos];
        if (c == '"') {
            ++pos;
            return true;
        }
        if (c == '\\') {
            if (++pos >= text.size()) return false;
            c = text[pos];
        }
        out += c;
    }
    return false;
}

bool parseHex32(std::string_view digits, std::uint32_t& value) {
    if (digits.empty() || digits.size() > 8) return false;
    std::uint32_t v = 0;
    for (char c : digits) {
        int d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else return false;
        v = v << 4 | static_cast<std::uint32_t>(d);
    }
    value = v;
    return true;
}

} // namespace

std::filesystem::path SettingsStore::pathForKey(std::string_view key, const Environment& env) {
    std::filesystem::path base;
    const char* xdg = env("XDG_CONFIG_HOME");
    if (xdg && *xdg) {
        base = xdg;
    } else {
        const char* home = env("HOME");
        if (!home || !*home) return {};
        base = std::filesystem::path(home) / ".config";
    }
    constexpr std::string_view kSoftware = "Software\\";
    if (key.substr(0, kSoftware.size()) == kSoftware) key.remove_prefix(kSoftware.size());
    std::string relative(key);
    for (char& c : relative)
        if (c == '\\') c = '/';
    return base / (relative + ".reg");
}

std::filesystem::path SettingsStore::pathForKey(std::string_view key) {
    return pathForKey(key, [](const char* name) { return std::getenv(name); });
}

const SettingsStore::Value* SettingsStore::find(const std::string& name) const {
    for (const auto& entry : values_)
        if (entry.first == name) return &entry.second;
    return nullptr;
}

void SettingsStore::set(const std::string& name, Value value) {
    for (auto& entry : values_) {
        if (entry.first == name) {
            entry.second = std::move(value);
            return;
        }
    }
    values_.emplace_back(name, std::move(value));
}

std::optional<std::string> SettingsStore::getString(const std::string& name) const {
    const Value* v = find(name);
    if (v && std::holds_alternative<std::string>(*v)) return std::get<std::string>(*v);
    return std::nullopt;
}

std::optional<std::uint32_t> SettingsStore::getDword(const std::string& name) const {
    const Value* v = find(name);
    if (v && std::holds_alternative<std::uint32_t>(*v)) return std::get<std::uint32_t>(*v);
    return std::nullopt;
}

std::string SettingsStore::serialize() const {
    std::string out;
    for (const auto& [name, value] : values_) {
        out += '"' + escapeString(name) + "\"=";
        if (const auto* s = std::get_if<std::string>(&value)) {
            out += '"' + escapeString(*s) + '"';
        } else {
            char hex[16];
            std::snprintf(hex, sizeof hex, "dword:%08x", static_cast<unsigned>(std::get<std::uint32_t>(value)));
            out += hex;
        }
        out += '\n';
    }
    return out;
}

void SettingsStore::parse(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line[0] != '"') continue;

        std::size_t pos = 0;
        std::string name;
        if (!readQuoted(line, pos, name) || pos >= line.size() || line[pos] != '=') continue;
        ++pos;
        if (pos < line.size() && line[pos] == '"') {
            std::string value;
            if (readQuoted(line, pos, value) && pos == line.size()) set(name, std::move(value));
            continue;
        }
        constexpr std::string_view kDword = "dword:";
        std::string_view rest = line.substr(pos);
        std::uint32_t number;
        if (rest.substr(0, kDword.size()) == kDword && parseHex32(rest.substr(kDword.size()), number))
            set(name, number);
        // Any other type is not one of ours: skipped.
    }
}

bool SettingsStore::load() {
    std::ifstream in(file_, std::ios::binary);
    if (!in) return false;
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) return false;
    values_.clear();
    parse(text.str());
    return true;
}

bool SettingsStore::save() const {
    if (file_.empty()) return false;
    std::error_code ec;
    if (file_.has_parent_path()) std::filesystem::create_directories(file_.parent_path(), ec);
    if (ec) return false;
    Orvane::ReplacingFile out(file_.c_str());
    const std::string text = serialize();
    return out.openP() && std::fwrite(text.data(), 1, text.size(), out.stream()) == text.size() && out.commit();
}

} // namespace tolvanw32
