#pragma once

// Running the built quillmark tool from a test, in a scratch folder.

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <system_error>

namespace cli_test {

namespace fs = std::filesystem;

inline std::string readBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeBytes(const fs::path& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary) << bytes;
}

inline std::string quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

// A scratch folder that is removed with the object.
class Scratch {
public:
    explicit Scratch(const std::string& tag) {
        dir_ = fs::temp_directory_path() / ("qm-" + tag + "-" + std::to_string(std::random_device()()));
        fs::create_directories(dir_);
    }
    ~Scratch() {
        std::error_code ec;
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(dir_, ec);
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

    const fs::path& dir() const { return dir_; }
    fs::path operator/(const std::string& name) const { return dir_ / name; }

    // Runs `quillmark ARGS` (already quoted as needed) in the scratch folder;
    // `env` is prefixed to the command (VAR=value ...).
    ToolRun quillmark(const std::string& args, const std::string& env = "") const {
        const fs::path out = dir_ / ".stdout", err = dir_ / ".stderr";
        const std::string cmd = "cd " + quote(dir_.string()) + " && " + env + " " + quote(QM_CLI) + " " + args +
                                " </dev/null >" + quote(out.string()) + " 2>" + quote(err.string());
        const int raw = std::system(cmd.c_str());
        ToolRun run{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readBytes(out), readBytes(err)};
        fs::remove(out);
        fs::remove(err);
        return run;
    }

private:
    fs::path dir_;
};

// The bytes of a written XHTML file as the golden files hold them: without
// the UTF-8 mark and with LF line ends. `crlf` is false when some LF in the
// file was not preceded by CR.
inline std::string normalised(const std::string& bytes, bool& crlf) {
    std::string s = bytes.rfind("\xEF\xBB\xBF", 0) == 0 ? bytes.substr(3) : bytes;
    std::string out;
    crlf = true;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') continue;
        if (s[i] == '\n' && (i == 0 || s[i - 1] != '\r')) crlf = false;
        out += s[i];
    }
    return out;
}

// Runs xmllint --noout over the files; the exit status, or -1 when xmllint
// is not installed.
inline int xmllint(const std::string& quotedFiles, std::string& errors, const fs::path& scratch) {
    if (std::system("command -v xmllint >/dev/null 2>&1") != 0) return -1;
    const fs::path err = scratch / ".xmllint";
    const int raw = std::system(("xmllint --noout " + quotedFiles + " 2>" + quote(err.string())).c_str());
    errors = readBytes(err);
    fs::remove(err);
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

} // namespace cli_test
