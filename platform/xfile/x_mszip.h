// The block compression of "tzip" and "bzip" .x files: after the 16-byte header a 32-bit
// total size (header included), then blocks of a 16-bit inflated size, a 16-bit stored size
// (counting the "CK" signature), "CK" and raw deflate data that may refer back into the
// previous block's output.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace xfile {

// Inflates the blocks that follow the header (`data` starts at the total-size word). The
// output never grows past the declared size, nor past what each block declares, so a block
// that inflates without end is refused; output short of the declared size means the file
// was cut. A declared size above 256 MiB, or above what deflate could make of the file's size,
// is refused before anything is inflated. Returns false with a reason on any fault.
bool InflateMsZip(std::string_view data, std::string& out, std::string& error);

// Compresses `body` (what follows the header) into the layout above, starting with the total
// size word; the caller writes the 16-byte header in front. Returns false when zlib fails or
// `body` is larger than the reader accepts.
bool DeflateMsZip(std::string_view body, std::string& out);

}  // namespace xfile
