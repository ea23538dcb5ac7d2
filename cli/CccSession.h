#pragma once

namespace quillmark {

// Starts the encoding library for a subcommand (idempotent). On failure it
// prints one line naming the command to standard error and returns false.
bool startCcc(const char* command);

} // namespace quillmark
