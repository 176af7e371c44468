#include "platform/image/jpeg_error.h"

#include <jerror.h>

namespace image::jpeg_detail {
namespace {

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
    auto* mgr = reinterpret_cast<ErrorManager*>(cinfo->err);
    std::longjmp(mgr->jump, 1);
}

void EmitMessage(j_common_ptr cinfo, int level) {
    if (level >= 0) return;  // trace output
    switch (cinfo->err->msg_code) {
        case JWRN_JPEG_EOF:
        case JWRN_HIT_MARKER:
        case JWRN_HUFF_BAD_CODE:
        case JWRN_ARITH_BAD_CODE:
        case JWRN_MUST_RESYNC:
        case JWRN_NOT_SEQUENTIAL:
        case JWRN_BOGUS_PROGRESSION:
            ErrorExit(cinfo);
        default:
            break;  // harmless oddities of real files (extra bytes, unknown markers)
    }
}

void OutputMessage(j_common_ptr) {}

}  // namespace

jpeg_error_mgr* InstallErrorManager(ErrorManager& mgr) {
    jpeg_error_mgr* err = jpeg_std_error(&mgr.pub);
    err->error_exit = ErrorExit;
    err->emit_message = EmitMessage;
    err->output_message = OutputMessage;
    return err;
}

}  // namespace image::jpeg_detail
