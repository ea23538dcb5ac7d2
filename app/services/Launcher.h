#pragma once

#include <string>
#include <utility>

namespace tolvanw32 {

// Starting documents and programs without waiting for them. Paths are narrow
// strings in the platform's file-name encoding. Each operation returns false
// when the document or program could not be started.

// Opens a document with the desktop's default application ("Open" verb).
class DocumentOpener {
public:
    virtual ~DocumentOpener() = default;
    virtual bool open(const std::string& path) = 0;
};

// Starts a program with exactly one argument: an argument vector, no shell,
// so the argument needs no quoting.
class ProgramStarter {
public:
    virtual ~ProgramStarter() = default;
    virtual bool start(const std::string& program, const std::string& argument) = 0;
};

} // namespace tolvanw32

namespace tolvanw32 {

// Starts the program detached (it is reparented, so no zombie remains) and
// reports whether it could be executed.
class PosixProgramStarter : public ProgramStarter {
public:
    bool start(const std::string& program, const std::string& argument) override;
};

// Opens documents with the desktop's opener program ("xdg-open" by default).
class XdgDocumentOpener : public DocumentOpener {
public:
    explicit XdgDocumentOpener(ProgramStarter& starter, std::string opener = "xdg-open")
        : starter_(starter), opener_(std::move(opener)) {}
    bool open(const std::string& path) override { return starter_.start(opener_, path); }

private:
    ProgramStarter& starter_;
    std::string opener_;
};

} // namespace tolvanw32
