#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "platform/bytes/field_reader.h"
#include "platform/objects/picture.h"

namespace platform {

/// Class identifier of the standard picture object, as its 16 bytes are stored in front of
/// the picture's stream ({0BE35204-8F91-11CE-9DE3-00AA004BB851}, fields little-endian).
inline constexpr std::array<uint8_t, 16> kStdPictureClassId = {
    0x04, 0x52, 0xE3, 0x0B, 0x91, 0x8F, 0xCE, 0x11, 0x9D, 0xE3, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51};

/// Writes the persisted stream of a picture, little-endian: the signature 0x0000746C
/// (6C 74 00 00), the byte count N, then the N bytes of the picture's image file. A null
/// picture is the 8 bytes 6C 74 00 00 00 00 00 00.
std::vector<uint8_t> WritePictureStream(const std::shared_ptr<const Picture>& picture);

/// Reads a picture stream from the position of `in`, and moves `in` past it when it reads. The
/// picture is decoded into at most `maxPixels` pixels. A count of 0 gives a null picture. Data
/// that does not start with the signature is read as a bare image file taking all the rest of
/// `in`. Fails when the header or the counted data runs past the end (where `in` fails a read
/// past its end), or when the image file is not a picture file or does not decode (where in the
/// stream the decoder found the fault: its error's offset after the header, its message after
/// "picture stream: ").
Result<std::shared_ptr<const Picture>> ReadPictureStream(FieldReader& in, int64_t maxPixels);

/// Reads a picture stream from the start of `bytes` as above; when it reads, `consumed` receives
/// its length. Fails for the faults above, at their offsets in `bytes` (the header or data cut
/// short at the first missing byte, `bytes.size()`).
Result<std::shared_ptr<const Picture>> ReadPictureStream(std::span<const uint8_t> bytes,
                                                         size_t& consumed,
                                                         int64_t maxPixels = kMaxImagePixels);

}  // namespace platform
