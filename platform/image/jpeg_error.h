// libjpeg reports fatal errors by calling a handler that must not return; ours jumps back to
// the codec's entry so a broken stream fails the call instead of ending the process.
#pragma once

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace image::jpeg_detail {

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

// Fills mgr and returns the pointer to store in cinfo.err. Corrupt-data warnings (a
// truncated stream, bad Huffman codes, a premature marker) count as errors: libjpeg would
// otherwise hand back a half-grey picture as a success.
jpeg_error_mgr* InstallErrorManager(ErrorManager& mgr);

}  // namespace image::jpeg_detail
