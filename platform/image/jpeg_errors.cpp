#include "platform/image/jpeg_errors.h"

#include <cstdio>
#include <cstring>

namespace platform {

jpeg_error_mgr* InitJpegErrors(const JpegLibrary& jpeg, JpegErrorManager* errors) {
    std::memset(errors, 0, sizeof *errors);
    jpeg_error_mgr* base = jpeg.stdError(&errors->base);
    base->error_exit = JpegErrorExit;
    return base;
}

void JpegErrorExit(j_common_ptr info) {
    auto* errors = reinterpret_cast<JpegErrorManager*>(info->err);
    errors->base.format_message(info, errors->message);
    std::longjmp(errors->jump, 1);
}

void JpegStop(j_common_ptr info, const char* message) {
    auto* errors = reinterpret_cast<JpegErrorManager*>(info->err);
    std::snprintf(errors->message, sizeof errors->message, "%s", message);
    std::longjmp(errors->jump, 1);
}

}  // namespace platform
