#include "document/byte_search.h"

#include <bit>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define VELMORA_SSE2 1
#endif

#include "document/text.h"

#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#define VELMORA_WIDE 1
#endif

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

#ifdef VELMORA_WIDE
// The same searches 64 bytes at a time on processors with AVX-512BW. Masked
// loads read nothing past the text, so the last block needs no scalar tail.
#define VELMORA_WIDE_TARGET __attribute__((target("avx512f,avx512bw,bmi,bmi2,popcnt")))

struct WideBlock {
  uint64_t separators;  // a bit where a separator starts
  uint64_t breaks;      // a bit at each CR or LF
};

// The lowest `count` bits (all of them from 64 on).
VELMORA_WIDE_TARGET inline uint64_t FirstBits(size_t count) {
  return count >= 64 ? ~0ULL : _bzhi_u64(~0ULL, static_cast<unsigned>(count));
}

VELMORA_WIDE_TARGET inline WideBlock ReadWideBlock(const char* p, size_t size, size_t i) {
  const size_t left = size - i;
  __m512i b0, b1, b2;
  if (left >= 66) {
    b0 = _mm512_loadu_si512(p + i);
    b1 = _mm512_loadu_si512(p + i + 1);
    b2 = _mm512_loadu_si512(p + i + 2);
  } else {
    b0 = _mm512_maskz_loadu_epi8(FirstBits(left), p + i);
    b1 = _mm512_maskz_loadu_epi8(FirstBits(left - 1), p + i + 1);
    b2 = _mm512_maskz_loadu_epi8(left < 2 ? 0 : FirstBits(left - 2), p + i + 2);
  }
  const uint64_t separators = _mm512_cmpeq_epi8_mask(b0, _mm512_set1_epi8('#')) &
                              _mm512_cmpeq_epi8_mask(b1, _mm512_set1_epi8('$')) &
                              _mm512_cmpeq_epi8_mask(b2, _mm512_set1_epi8('@'));
  // CR and LF are both at most 13; bytes that low are rare in text, so only
  // a block holding one is looked at exactly.
  uint64_t breaks = _mm512_cmple_epu8_mask(b0, _mm512_set1_epi8('\r'));
  if (breaks != 0) {
    breaks = _mm512_cmpeq_epi8_mask(b0, _mm512_set1_epi8('\r')) |
             _mm512_cmpeq_epi8_mask(b0, _mm512_set1_epi8('\n'));
  }
  // Bytes past the text read as 0, which is neither a separator byte nor a break.
  return {separators, breaks};
}

VELMORA_WIDE_TARGET int FindSeparatorsWide(std::string_view text, uint32_t* starts, int want) {
  int found = 0;
  for (size_t i = 0; i < text.size() && found < want; i += 64) {
    for (uint64_t bits = ReadWideBlock(text.data(), text.size(), i).separators; bits != 0 && found < want;
         bits = _blsr_u64(bits)) {
      starts[found++] = static_cast<uint32_t>(i + _tzcnt_u64(bits));
    }
  }
  return found;
}

// Where a walk over one line's blocks towards separator n stopped.
struct WideWalk {
  size_t at;        // start of the block it stopped in (the text's size at its end)
  WideBlock block;  // that block, its separators cut at the line break and,
                    // when separator n is in it, to the ones after it
  size_t first;     // first separator of the line, or npos
  size_t nth;       // separator n, or npos when the line ended first
};

VELMORA_WIDE_TARGET WideWalk WalkToNthSeparator(std::string_view text, size_t from, int n) {
  constexpr size_t npos = std::string_view::npos;
  WideWalk walk{from, {}, npos, npos};
  int seen = 0;
  for (; walk.at < text.size(); walk.at += 64) {
    WideBlock& block = walk.block;
    block = ReadWideBlock(text.data(), text.size(), walk.at);
    if (block.breaks != 0) block.separators &= _blsmsk_u64(block.breaks) >> 1;  // before the line break
    if (block.separators != 0 && walk.first == npos) walk.first = walk.at + _tzcnt_u64(block.separators);
    const int count = static_cast<int>(_mm_popcnt_u64(block.separators));
    if (seen + count > n) {
      const uint64_t nth = _pdep_u64(1ULL << (n - seen), block.separators);  // its (n - seen)-th set bit
      walk.nth = walk.at + _tzcnt_u64(nth);
      block.separators &= ~(nth | (nth - 1));
      return walk;
    }
    if (block.breaks != 0) return walk;
    seen += count;
  }
  walk.block = {};
  return walk;
}

VELMORA_WIDE_TARGET size_t NthSeparatorInLineWide(std::string_view text, size_t from, int n) {
  return WalkToNthSeparator(text, from, n).nth;
}

VELMORA_WIDE_TARGET LineMarks SearchLineWide(std::string_view text, size_t from, int n) {
  constexpr size_t npos = std::string_view::npos;
  WideWalk walk = WalkToNthSeparator(text, from, n);
  LineMarks marks{walk.first, walk.nth, npos, npos};
  // On from separator n to the one after it and the line break.
  for (size_t i = walk.at; i < text.size();) {
    const WideBlock& block = walk.block;
    if (block.separators != 0 && marks.afterNth == npos && marks.nth != npos) {
      marks.afterNth = i + _tzcnt_u64(block.separators);
    }
    if (block.breaks != 0) {
      marks.lineBreak = i + _tzcnt_u64(block.breaks);
      break;
    }
    i += 64;
    if (i >= text.size()) break;
    walk.block = ReadWideBlock(text.data(), text.size(), i);
    if (walk.block.breaks != 0) walk.block.separators &= _blsmsk_u64(walk.block.breaks) >> 1;
  }
  return marks;
}

VELMORA_WIDE_TARGET size_t FindLineBreakWide(std::string_view text, size_t from) {
  for (size_t i = from; i < text.size(); i += 64) {
    const uint64_t breaks = ReadWideBlock(text.data(), text.size(), i).breaks;
    if (breaks != 0) return i + _tzcnt_u64(breaks);
  }
  return std::string_view::npos;
}

bool WideSupported() {
  __builtin_cpu_init();  // may run before the library's own start-up code
  return __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("bmi2") &&
         __builtin_cpu_supports("popcnt");
}
// Decided once, as the program starts.
bool useWide = WideSupported();

inline bool Wide() {
  return useWide;
}
#else
inline bool Wide() {
  return false;
}
#endif

}  // namespace

bool UseWideSearches(bool allowed) {
#ifdef VELMORA_WIDE
  useWide = allowed && WideSupported();
#else
  (void)allowed;
#endif
  return Wide();
}

int FindSeparators(std::string_view text, uint32_t* starts, int want) {
#ifdef VELMORA_WIDE
  if (Wide()) return FindSeparatorsWide(text, starts, want);
#endif
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
#ifdef VELMORA_WIDE
  if (Wide()) return NthSeparatorInLineWide(text, from, n);
#endif
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

LineMarks SearchLine(std::string_view text, size_t from, int n) {
#ifdef VELMORA_WIDE
  if (n >= 0 && Wide()) return SearchLineWide(text, from, n);
#endif
  constexpr size_t npos = std::string_view::npos;
  LineMarks marks{NthSeparatorInLine(text, from, 0), NthSeparatorInLine(text, from, n), npos, npos};
  if (marks.nth != npos) marks.afterNth = NthSeparatorInLine(text, marks.nth + kSeparator.size(), 0);
  marks.lineBreak = FindLineBreak(text, marks.nth == npos ? from : marks.nth);
  return marks;
}

size_t FindLineBreak(std::string_view text, size_t from) {
#ifdef VELMORA_WIDE
  if (Wide()) return FindLineBreakWide(text, from);
#endif
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

}  // namespace velmora
