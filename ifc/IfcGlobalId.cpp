#include "ifc/IfcGlobalId.h"

namespace {

const char kAlphabet[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz_$";

// The finaliser of SplitMix64: every bit of the input reaches every bit of
// the output.
std::uint64_t mix(std::uint64_t value) {
  value ^= value >> 30;
  value *= 0xBF58476D1CE4E5B9ULL;
  value ^= value >> 27;
  value *= 0x94D049BB133111EBULL;
  value ^= value >> 31;
  return value;
}

std::uint64_t fnv1a(std::wstring_view text, std::uint64_t basis) {
  std::uint64_t hash = basis;
  for (const wchar_t c : text) {
    hash ^= static_cast<std::uint64_t>(c);
    hash *= 0x100000001B3ULL;
  }
  return hash;
}

}  // namespace

CIfcGlobalId::CIfcGlobalId(std::wstring_view fingerprint) {
  std::uint64_t seed = fnv1a(fingerprint, 0xCBF29CE484222325ULL);
  for (std::uint64_t& key : m_keys) key = seed = mix(seed + 0x9E3779B97F4A7C15ULL);
}

// A Feistel network keyed by the drawing: a bijection of the 128 bits
// (role, handle), so ids of one drawing never collide, however alike the
// handles, and look unrelated to each other.
std::string CIfcGlobalId::of(Role role, std::uint64_t handle) const {
  std::uint64_t left = role, right = handle;
  for (const std::uint64_t key : m_keys) {
    const std::uint64_t next = left ^ mix(right ^ key);
    left = right;
    right = next;
  }
  std::string id(22, '0');
  // Big-endian base 64: the top character holds the two highest bits.
  for (int index = 21; index >= 0; --index) {
    const int shift = 6 * (21 - index);
    unsigned digit;
    if (shift + 6 <= 64)
      digit = static_cast<unsigned>(right >> shift) & 63;
    else if (shift >= 64)
      digit = static_cast<unsigned>(left >> (shift - 64)) & 63;
    else
      digit = static_cast<unsigned>((right >> shift) | (left << (64 - shift))) & 63;
    id[static_cast<size_t>(index)] = kAlphabet[digit];
  }
  return id;
}

bool CIfcGlobalId::isValid(std::string_view id) {
  if (id.size() != 22 || id[0] < '0' || id[0] > '3') return false;
  for (const char c : id)
    if (std::string_view(kAlphabet, 64).find(c) == std::string_view::npos) return false;
  return true;
}
