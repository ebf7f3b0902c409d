// What a writer of the map, the html5 map or the sitemap did: all give this
// one shape.
#pragma once

#include <string>

#include "engine/run/notices.h"

namespace zorvitan {

struct WriteResult {
  enum Outcome {
    kWritten,  // every file is in place
    kFailed,   // `failed_file` could not be written; the old files are kept
    kStopped,  // the front end said not to go on; the old files are kept
    // A sitemap would list no page: none was written, the old set is kept.
    kNothingListed,
  };
  Outcome outcome = kWritten;
  std::string failed_file;
  // The pages found, unreadable and left out as noindex, a sitemap's other
  // notices, and the suffix an html5 map dropped; the walk adds the folders
  // it could not list.
  RunSummary summary;
};

}  // namespace zorvitan
