#pragma once

#include "app/services/Text.h"

namespace tolvanw32 {

// The main window's commands. The window runs them through this interface
// only, so that its wiring can be checked against a recorder; Tolvan
// carries them out.
class Commands {
public:
    virtual ~Commands() = default;

    // Asks for a file, then registers it as below.
    virtual void cmdAppend() = 0;
    virtual void cmdAppend(const Text& path) = 0;
    virtual void cmdRelease() = 0;
    virtual void cmdRename() = 0;
    virtual void cmdConvert() = 0;
    virtual void cmdRemove() = 0;
    // One EPUB book of all registered sources, saved where the user says.
    virtual void cmdEpub() = 0;
    virtual void cmdEdit() = 0;
    virtual void cmdReview() = 0;
    virtual void cmdViewOutput() = 0;
    virtual void cmdSetOption() = 0;
    virtual void cmdHelp() = 0;
    virtual void cmdHelpIndex() = 0;
    virtual void cmdAbout() = 0;
    // Whether the program may end now.
    virtual bool cmdExit() = 0;
};

} // namespace tolvanw32
