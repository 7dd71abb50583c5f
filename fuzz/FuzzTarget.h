// One fuzz target: a function given arbitrary bytes that must neither
// crash nor trip a sanitizer.  In the fuzzing build it is libFuzzer's entry
// point; in the test build it is registered by name, so the regression
// test replays every kept input through the same code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

namespace spatiary_fuzz {

using Target = int (*)(const std::uint8_t* data, std::size_t size);

inline std::map<std::string, Target>& targets() {
  static std::map<std::string, Target> registered;
  return registered;
}

struct Registration {
  Registration(const char* name, Target target) { targets()[name] = target; }
};

}  // namespace spatiary_fuzz

#ifdef SPATIARY_FUZZING_ENGINE
#define SPATIARY_FUZZ_TARGET(name)                                                    \
  static int name##_run(const std::uint8_t* data, std::size_t size);                 \
  extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) { \
    return name##_run(data, size);                                                   \
  }                                                                                   \
  static int name##_run(const std::uint8_t* data, std::size_t size)
#else
#define SPATIARY_FUZZ_TARGET(name)                                                      \
  static int name##_run(const std::uint8_t* data, std::size_t size);                   \
  static const spatiary_fuzz::Registration name##_registration(#name, &name##_run);    \
  static int name##_run(const std::uint8_t* data, std::size_t size)
#endif
