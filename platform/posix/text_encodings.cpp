// Page text in other encodings, through the C library's iconv. The map is
// UTF-8, so nothing is encoded for it.
#include <errno.h>
#include <iconv.h>

#include <string>
#include <string_view>
#include <utility>

#include "platform/posix/os_platform.h"

namespace zorvitan {
namespace {

// iconv's name for an encoding where it differs from the browsers' name, or
// where browsers mean a larger set than iconv's encoding of the same name.
std::string IconvName(std::string_view encoding) {
  static constexpr std::pair<std::string_view, std::string_view> kNames[] = {
      {"ISO-8859-8-I", "ISO-8859-8"},
      {"x-mac-cyrillic", "MAC-CYRILLIC"},
      {"Big5", "BIG5-HKSCS"},
      {"Shift_JIS", "CP932"},
      {"EUC-KR", "CP949"},
  };
  for (const auto& [browser_name, iconv_name] : kNames) {
    if (encoding == browser_name) return std::string(iconv_name);
  }
  return std::string(encoding);
}

constexpr char kReplacement[] = "\xEF\xBF\xBD";  // U+FFFD

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

// The converter last used on this thread: a run reads page after page in the
// same few encodings, and opening a converter costs more than converting a title.
class ThreadConverter {
 public:
  ~ThreadConverter() {
    if (converter_ != kNoConverter) iconv_close(converter_);
  }
  iconv_t For(std::string_view encoding) {
    if (converter_ != kNoConverter && encoding == encoding_) {
      iconv(converter_, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
      return converter_;
    }
    if (converter_ != kNoConverter) iconv_close(converter_);
    converter_ = iconv_open("UTF-8", IconvName(encoding).c_str());
    encoding_ = converter_ == kNoConverter ? std::string() : std::string(encoding);
    return converter_;
  }

 private:
  iconv_t converter_ = kNoConverter;
  std::string encoding_;
};

}  // namespace

bool PosixPlatform::DecodeText(std::string_view encoding, std::string_view bytes,
                               std::string* utf8) const {
  thread_local ThreadConverter thread_converter;
  const iconv_t converter = thread_converter.For(encoding);
  if (converter == kNoConverter) return false;
  utf8->clear();
  char* in = const_cast<char*>(bytes.data());
  std::size_t in_left = bytes.size();
  std::string out_buffer(4 * bytes.size() + 16, '\0');
  while (in_left > 0) {
    char* out = &out_buffer[0];
    std::size_t out_left = out_buffer.size();
    const std::size_t done = iconv(converter, &in, &in_left, &out, &out_left);
    utf8->append(out_buffer.data(), out_buffer.size() - out_left);
    if (done != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) continue;
    // A byte the encoding does not define, or a sequence cut off at the end:
    // one U+FFFD for it, as browsers show it.
    utf8->append(kReplacement);
    if (errno != EILSEQ) break;
    ++in;
    --in_left;
  }
  return true;
}

bool PosixPlatform::EncodeForMap(std::string_view utf8, std::string* encoded) const {
  encoded->assign(utf8);
  return true;
}

}  // namespace zorvitan
