// Whole-file reads with a size cap, and writes that replace the target only once complete.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace image {

// The file's bytes, or nothing when it cannot be read or is larger than maxBytes.
std::optional<std::vector<uint8_t>> ReadFileBytes(const std::string& path, int64_t maxBytes);

// Writes to a temporary file in the target's directory and renames it over the target, so a
// failed write never leaves a half-written file behind. False on any failure.
bool WriteFileReplacing(const std::string& path, std::span<const uint8_t> bytes);

}  // namespace image
