// Differential fuzzing of the head reader: a page fed in pieces of changing
// sizes must be read exactly as the same page fed whole. The first input byte
// picks the pieces (their largest size, and the sequence of sizes up to it);
// the rest is the page.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/page/head_reader.h"
#include "fuzz/fuzz_check.h"

namespace {

constexpr unsigned kNeeds = zorvitan::kNeedsTitle | zorvitan::kNeedsHead;

// Piece sizes from 1 to a largest size, changing along the page.
class PieceSizes {
 public:
  explicit PieceSizes(std::uint8_t seed) : state_(seed), largest_(1 + seed % 64) {}
  std::size_t Next() {
    state_ = state_ * 1103515245u + 12345u;
    return 1 + (state_ >> 16) % largest_;
  }

 private:
  std::uint32_t state_;
  std::uint32_t largest_;
};

// Reads the page as a run does: fed until settled, finished when it never was.
void Read(const std::string& page, PieceSizes* sizes, zorvitan::HeadReader* reader) {
  bool settled = false;
  for (std::size_t pos = 0; pos < page.size() && !settled;) {
    const std::size_t piece = sizes == nullptr ? page.size() : sizes->Next();
    const std::size_t size = piece < page.size() - pos ? piece : page.size() - pos;
    settled = reader->Feed(page.data() + pos, size);
    pos += size;
  }
  if (!settled) reader->Finish();
}

void CheckSameLinks(const zorvitan::HeadLinks& got, const zorvitan::HeadLinks& want) {
  FUZZ_CHECK(got.noindex == want.noindex);
  FUZZ_CHECK(got.has_refresh == want.has_refresh);
  FUZZ_CHECK(got.refresh_url == want.refresh_url);
  FUZZ_CHECK(got.has_canonical == want.has_canonical);
  FUZZ_CHECK(got.canonical_href == want.canonical_href);
  FUZZ_CHECK(got.alternates.size() == want.alternates.size());
  for (std::size_t i = 0; i < got.alternates.size(); ++i) {
    FUZZ_CHECK(got.alternates[i].hreflang == want.alternates[i].hreflang);
    FUZZ_CHECK(got.alternates[i].href == want.alternates[i].href);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string page(reinterpret_cast<const char*>(data) + 1, size - 1);

  zorvitan::HeadReader whole(kNeeds);
  Read(page, nullptr, &whole);
  zorvitan::HeadReader pieces(kNeeds);
  PieceSizes sizes(data[0]);
  Read(page, &sizes, &pieces);

  FUZZ_CHECK(whole.Settled() && pieces.Settled());
  const zorvitan::PageHead& want = whole.Head();
  const zorvitan::PageHead& got = pieces.Head();
  FUZZ_CHECK(got.has_title == want.has_title);
  FUZZ_CHECK(got.title == want.title);
  FUZZ_CHECK(got.lang == want.lang);
  FUZZ_CHECK(got.declared_encoding == want.declared_encoding);
  CheckSameLinks(got.in_head, want.in_head);
  FUZZ_CHECK(got.has_description == want.has_description);
  FUZZ_CHECK(got.description == want.description);
  FUZZ_CHECK(got.base_href == want.base_href);
  FUZZ_CHECK(got.end.kind == want.end.kind);
  FUZZ_CHECK(got.end.tag == want.end.tag);
  FUZZ_CHECK(got.end.line == want.end.line);
  CheckSameLinks(got.past_head, want.past_head);
  FUZZ_CHECK(pieces.NeedsReread() == whole.NeedsReread());
  FUZZ_CHECK(pieces.TitleOffset() == whole.TitleOffset());
  FUZZ_CHECK(pieces.TitleLength() == whole.TitleLength());
  return 0;
}
