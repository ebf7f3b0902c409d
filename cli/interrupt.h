// Ctrl-C, SIGTERM and a closed terminal during a run: the old map is safe
// anyway (it is replaced only by a complete new one); what must not stay is the
// hidden temporary file of the unfinished new map.
#pragma once

namespace zorvitan::cli {

// From here on, an interrupting signal removes the temporary files before
// the program ends the way the signal would have ended it.
void RemoveTemporaryFilesOnInterrupt();

}  // namespace zorvitan::cli
