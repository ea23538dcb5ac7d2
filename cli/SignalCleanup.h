#pragma once

namespace quillmark {

// On SIGINT, SIGTERM or SIGHUP, removes the temporary files the core has
// open (see LiveTemporaryFiles) and then dies of the signal as it would
// have, so an interrupted run leaves nothing half-written behind.
void removeTemporaryFilesOnSignal();

} // namespace quillmark
