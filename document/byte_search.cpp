#include "document/byte_search.h"

#include <bit>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define VELMORA_SSE2 1
#endif

#include "document/text.h"

namespace velmora {

namespace {

static_assert(kSeparator == "#$@", "the block search below knows the separator's bytes");

#ifdef VELMORA_SSE2
// One bit for each position in [at, at + 16) where a separator starts.
// Needs at + 18 <= size.
inline unsigned SeparatorBits(const char* at) {
  const __m128i b0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
  const __m128i b1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + 1));
  const __m128i b2 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + 2));
  const __m128i hit = _mm_and_si128(
      _mm_and_si128(_mm_cmpeq_epi8(b0, _mm_set1_epi8('#')), _mm_cmpeq_epi8(b1, _mm_set1_epi8('$'))),
      _mm_cmpeq_epi8(b2, _mm_set1_epi8('@')));
  return static_cast<unsigned>(_mm_movemask_epi8(hit));
}

// One bit for each CR or LF in [at, at + 16).
inline unsigned LineBreakBits(const char* at) {
  const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
  return static_cast<unsigned>(_mm_movemask_epi8(
      _mm_or_si128(_mm_cmpeq_epi8(b, _mm_set1_epi8('\r')), _mm_cmpeq_epi8(b, _mm_set1_epi8('\n')))));
}

// Skips whole 64-byte stretches of one line that hold fewer than
// `n - seen` separators, counting them into `seen`; returns where the
// stretch that needs a closer look starts.
size_t SkipSeparatorStretches(const char* p, size_t size, size_t i, int n, int& seen) {
  const __m128i zero = _mm_setzero_si128();
  for (; i + 66 <= size; i += 64) {
    __m128i hits = zero;
    __m128i breaks = zero;
    for (size_t b = 0; b < 64; b += 16) {
      const __m128i b0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + b));
      const __m128i b1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + b + 1));
      const __m128i b2 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + b + 2));
      const __m128i hit = _mm_and_si128(
          _mm_and_si128(_mm_cmpeq_epi8(b0, _mm_set1_epi8('#')), _mm_cmpeq_epi8(b1, _mm_set1_epi8('$'))),
          _mm_cmpeq_epi8(b2, _mm_set1_epi8('@')));
      hits = _mm_sub_epi8(hits, hit);  // a hit is -1 in its byte: each byte counts its hits
      breaks = _mm_or_si128(breaks, _mm_or_si128(_mm_cmpeq_epi8(b0, _mm_set1_epi8('\r')),
                                                 _mm_cmpeq_epi8(b0, _mm_set1_epi8('\n'))));
    }
    if (_mm_movemask_epi8(breaks) != 0) break;
    const __m128i sums = _mm_sad_epu8(hits, zero);
    const int count = _mm_cvtsi128_si32(sums) + _mm_cvtsi128_si32(_mm_srli_si128(sums, 8));
    if (seen + count > n) break;
    seen += count;
  }
  return i;
}
#endif

// Bits set in a 16-bit mask, without a library call on processors that
// lack a population count instruction.
inline int BitCount16(unsigned x) {
  x = x - ((x >> 1) & 0x5555u);
  x = (x & 0x3333u) + ((x >> 2) & 0x3333u);
  x = (x + (x >> 4)) & 0x0F0Fu;
  return static_cast<int>((x + (x >> 8)) & 0x1Fu);
}

inline bool SeparatorAt(const char* text, size_t size, size_t i) {
  return i + 2 < size && text[i] == '#' && text[i + 1] == '$' && text[i + 2] == '@';
}

}  // namespace

int FindSeparators(std::string_view text, uint32_t* starts, int want) {
  const char* p = text.data();
  const size_t size = text.size();
  size_t i = 0;
  int found = 0;
  // "#$@" cannot overlap itself, so every bit is a separator of its own.
#ifdef VELMORA_SSE2
  for (; i + 18 <= size && found < want; i += 16) {
    for (unsigned bits = SeparatorBits(p + i); bits != 0 && found < want; bits &= bits - 1) {
      starts[found++] = static_cast<uint32_t>(i + static_cast<size_t>(std::countr_zero(bits)));
    }
  }
#endif
  while (i < size && found < want) {
    if (SeparatorAt(p, size, i)) {
      starts[found++] = static_cast<uint32_t>(i);
      i += kSeparator.size();
    } else {
      ++i;
    }
  }
  return found;
}

size_t NthSeparatorInLine(std::string_view text, size_t from, int n) {
  if (n < 0) return std::string_view::npos;
  const char* p = text.data();
  const size_t size = text.size();
  size_t i = from;
  int seen = 0;
#ifdef VELMORA_SSE2
  i = SkipSeparatorStretches(p, size, i, n, seen);
  for (; i + 18 <= size; i += 16) {
    unsigned bits = SeparatorBits(p + i);
    const unsigned breaks = LineBreakBits(p + i);
    if (breaks != 0) bits &= (breaks & (~breaks + 1)) - 1;  // separators before the line break
    const int count = BitCount16(bits);
    if (seen + count > n) {
      for (; seen < n; ++seen) bits &= bits - 1;
      return i + static_cast<size_t>(std::countr_zero(bits));
    }
    if (breaks != 0) return std::string_view::npos;
    seen += count;
  }
#endif
  for (; i < size; ++i) {
    if (p[i] == '\r' || p[i] == '\n') return std::string_view::npos;
    if (SeparatorAt(p, size, i)) {
      if (seen == n) return i;
      ++seen;
      i += kSeparator.size() - 1;
    }
  }
  return std::string_view::npos;
}

size_t FindLineBreak(std::string_view text, size_t from) {
  const char* p = text.data();
  const size_t size = text.size();
  size_t i = from;
#ifdef VELMORA_SSE2
  for (; i + 16 <= size; i += 16) {
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    const unsigned bits = static_cast<unsigned>(_mm_movemask_epi8(
        _mm_or_si128(_mm_cmpeq_epi8(b, _mm_set1_epi8('\r')), _mm_cmpeq_epi8(b, _mm_set1_epi8('\n')))));
    if (bits != 0) return i + static_cast<size_t>(std::countr_zero(bits));
  }
#endif
  for (; i < size; ++i) {
    if (p[i] == '\r' || p[i] == '\n') return i;
  }
  return std::string_view::npos;
}

std::string_view ValueAfterSeparator(std::string_view line, size_t separatorAt) {
  if (separatorAt == std::string_view::npos) return {};
  const size_t start = separatorAt + kSeparator.size();
  const size_t end = line.find(kSeparator, start);
  return end == std::string_view::npos ? std::string_view() : line.substr(start, end - start);
}

std::string_view ValueOfLine(std::string_view line, int k) {
  if (k == 0) {
    const size_t end = line.find(kSeparator);
    return end == std::string_view::npos ? std::string_view() : line.substr(0, end);
  }
  return ValueAfterSeparator(line, NthSeparatorInLine(line, 0, k - 1));
}

}  // namespace velmora
