#pragma once

#include <string>

namespace tolvanw32 {

// Starting documents and programs without waiting for them. Paths are narrow
// strings in the platform's file-name encoding. Each operation returns false
// when the document or program could not be started. The desktop program
// implements them with Qt (app/qt/QtPlatform.h).

// Opens a document with the desktop's default application ("Open" verb).
class DocumentOpener {
public:
    virtual ~DocumentOpener() = default;
    [[nodiscard]] virtual bool open(const std::string& path) = 0;
};

// Starts a program with exactly one argument: an argument vector, no shell,
// so the argument needs no quoting.
class ProgramStarter {
public:
    virtual ~ProgramStarter() = default;
    [[nodiscard]] virtual bool start(const std::string& program, const std::string& argument) = 0;
};

} // namespace tolvanw32
