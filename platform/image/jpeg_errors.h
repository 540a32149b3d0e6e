#pragma once

// libjpeg's error handling, shared by the JPEG decoder and encoder. libjpeg reports an error by
// calling error_exit, which must not return; ours keeps the message and longjmps back to the
// setjmp of the stage that made the call. Each stage is a function with no C++ object alive
// across its libjpeg calls, so the jump skips no destructor.
#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE and size_t declared first

#include <jpeglib.h>

#include "platform/image/jpeg_library.h"

namespace platform {

struct JpegErrorManager {
    jpeg_error_mgr base;  // first, so libjpeg's pointer to it is a pointer to the whole
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];  // libjpeg's message for the error that ended the stage
};

/// Clears `errors` and sets it up as libjpeg's standard error manager whose error_exit is
/// JpegErrorExit; the result goes into the `err` field of a compressor or decompressor.
jpeg_error_mgr* InitJpegErrors(const JpegLibrary& jpeg, JpegErrorManager* errors);

/// Formats libjpeg's message for the current error into the manager's message and longjmps
/// to its `jump`.
[[noreturn]] void JpegErrorExit(j_common_ptr info);

/// Ends the stage as a libjpeg error does, with `message` as its message: for faults that our
/// own hooks find while libjpeg runs, such as the progress monitor's.
[[noreturn]] void JpegStop(j_common_ptr info, const char* message);

}  // namespace platform
