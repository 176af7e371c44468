// Whole-file reads with a size cap.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace image {

// The file's bytes, or nothing when it cannot be read or is larger than maxBytes.
std::optional<std::vector<uint8_t>> ReadFileBytes(const std::string& path, int64_t maxBytes);

}  // namespace image
