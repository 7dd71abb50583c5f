// Readers that take a path get the input through a file of this process's
// own scratch folder, removed when the process ends.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace spatiary_fuzz {

// The folder, made at the first call.
const std::string& scratchFolder();
// Writes the bytes to the named file of the scratch folder and returns its path.
std::string writeScratchFile(const std::string& name, const std::uint8_t* data, std::size_t size);

}  // namespace spatiary_fuzz
