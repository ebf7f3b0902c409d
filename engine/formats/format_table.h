// The formats a run can write, each with its writer: one line per format in
// format_table.cpp.
#pragma once

#include <memory>

#include "engine/formats/format_writer.h"
#include "engine/platform/platform.h"
#include "engine/run/run_inputs.h"
#include "engine/run/run_progress.h"

namespace zorvitan {

// The writer of the format `inputs.format` names, with its options.
std::unique_ptr<FormatWriter> NewFormatWriter(const RunInputs& inputs, Platform& platform,
                                              RunProgress& progress);

}  // namespace zorvitan
