#include "engine/formats/format_table.h"

#include "engine/formats/classic/map_writer.h"
#include "engine/formats/html5/html5_map_writer.h"
#include "engine/formats/llms/llms_writer.h"
#include "engine/formats/sitemap/sitemap_set_writer.h"

namespace zorvitan {
namespace {

// Each format's options lead to its writer.
struct FormatTable {
  const WriterInputs& inputs;
  Platform& platform;
  RunProgress& progress;

  template <typename Writer, typename Options>
  std::unique_ptr<FormatWriter> New(const Options& options) const {
    return std::make_unique<Writer>(inputs, options, platform, progress);
  }
  auto operator()(const ClassicOptions& o) const { return New<MapWriter>(o); }
  auto operator()(const Html5Options& o) const { return New<Html5MapWriter>(o); }
  auto operator()(const SitemapOptions& o) const { return New<SitemapSetWriter>(o); }
  auto operator()(const LlmsOptions& o) const { return New<LlmsWriter>(o); }
};

}  // namespace

std::unique_ptr<FormatWriter> NewFormatWriter(const RunInputs& inputs, Platform& platform,
                                              RunProgress& progress) {
  return std::visit(FormatTable{inputs, platform, progress}, inputs.format);
}

}  // namespace zorvitan
