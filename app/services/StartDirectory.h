#pragma once

#include <functional>
#include <string>

namespace tolvanw32 {

// The folder of the program's bundled files (style sheets, help.html,
// index.html). A desktop program started from a menu runs in the home
// folder, so the folder is found from the executable instead: the build
// tree's data folder beside it, or <prefix>/share/quillmark once installed.
class StartDirectory {
public:
    using DirectoryP = std::function<bool(const std::string&)>;

    // The first candidate folder for the executable at exePath that exists;
    // `fallback` (the current directory) when none does. Joins use "/".
    static std::string locate(const std::string& exePath, const std::string& fallback, const DirectoryP& isDirectory);
    // The same for this process (/proc/self/exe and the current directory).
    static std::string locate();
};

} // namespace tolvanw32
