#include "core/util/Cp932.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <stdexcept>

namespace brv3 {
namespace {

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1))
      throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts `in`; on a byte sequence that cannot be converted, appends `replacement`, skips
  // `skip(in)` bytes and carries on.
  template <class Skip>
  std::string Run(std::string_view in, std::string_view replacement, Skip skip) {
    std::string out;
    out.reserve(in.size() * 3 / 2 + 8);
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char buf[4096];
    while (srcLeft > 0) {
      char* dst = buf;
      size_t dstLeft = sizeof buf;
      size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
      out.append(buf, dst - buf);
      if (rc != static_cast<size_t>(-1)) break;
      if (errno == E2BIG) continue;
      // EILSEQ or EINVAL (truncated sequence at the end): replace and step over.
      out += replacement;
      size_t n = std::min(srcLeft, skip(std::string_view(src, srcLeft)));
      src += n;
      srcLeft -= n;
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
  }

 private:
  iconv_t cd_;
};

size_t Utf8SequenceLength(std::string_view s) {
  unsigned char c = static_cast<unsigned char>(s[0]);
  size_t n = c < 0xC0 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
  size_t i = 1;
  while (i < n && i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) ++i;
  return i;
}

}  // namespace

// Only the non-ASCII stretches go through iconv; ASCII is copied as it is, which keeps files that
// are mostly numbers fast to convert.
template <class SegmentEnd, class Convert>
std::string ConvertNonAscii(std::string_view in, SegmentEnd segmentEnd, Convert convert) {
  std::string out;
  out.reserve(in.size() + in.size() / 4);
  size_t i = 0;
  while (i < in.size()) {
    size_t j = i;
    // Skip plain ASCII eight bytes at a time.
    uint64_t chunk;
    while (j + 8 <= in.size() &&
           (std::memcpy(&chunk, in.data() + j, 8), (chunk & 0x8080808080808080ull) == 0))
      j += 8;
    while (j < in.size() && static_cast<unsigned char>(in[j]) < 0x80) ++j;
    out.append(in.substr(i, j - i));
    if (j == in.size()) break;
    size_t end = segmentEnd(in, j);
    out += convert(in.substr(j, end - j));
    i = end;
  }
  return out;
}

std::string Cp932ToUtf8(std::string_view cp932) {
  thread_local Converter conv("UTF-8", "CP932");
  auto segmentEnd = [](std::string_view s, size_t j) {
    // A lead byte takes the next byte with it, which may lie in the ASCII range.
    while (j < s.size() && static_cast<unsigned char>(s[j]) >= 0x80) {
      auto c = static_cast<unsigned char>(s[j]);
      bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
      j += lead ? 2 : 1;
    }
    return std::min(j, s.size());
  };
  return ConvertNonAscii(cp932, segmentEnd, [](std::string_view seg) {
    return conv.Run(seg, "\xEF\xBF\xBD", [](std::string_view) { return size_t{1}; });
  });
}

std::string Utf8ToCp932(std::string_view utf8) {
  thread_local Converter conv("CP932", "UTF-8");
  auto segmentEnd = [](std::string_view s, size_t j) {
    while (j < s.size() && static_cast<unsigned char>(s[j]) >= 0x80) ++j;
    return j;
  };
  return ConvertNonAscii(utf8, segmentEnd, [](std::string_view seg) {
    return conv.Run(seg, "?", Utf8SequenceLength);
  });
}

}  // namespace brv3
