#pragma once

/// @file
/// Pictures for a button's face and pointer.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tavik {

struct Internals;

/// A picture made from an image file, as PictureNormal, PictureOver and MouseIcon take it:
/// BMP, JPEG and PNG files make bitmaps, ICO and CUR files icons (of an icon with several
/// images, the 32 × 32 one). A picture keeps the file's bytes, which is what the stored
/// settings hold. Pictures are immutable and cheap to copy; a default-made one is "none".
class Picture {
  public:
    /// No picture.
    Picture();
    ~Picture();
    /// Copies share the same picture.
    Picture(const Picture& other);
    /// Shares the other's picture.
    Picture& operator=(const Picture& other);

    /// The picture of the image file at `path`. Throws std::runtime_error saying why when the
    /// file cannot be read or is no BMP, ICO, CUR, JPEG or PNG image that decodes.
    static Picture FromFile(const std::string& path);
    /// The picture of the image file held in `file`; throws as FromFile does.
    static Picture FromBytes(const std::vector<uint8_t>& file);

    /// Whether this is "none".
    bool IsNone() const;
    /// Width in pixels; 0 for none.
    int32_t Width() const;
    /// Height in pixels; 0 for none.
    int32_t Height() const;

  private:
    friend struct Internals;
    struct Data;
    std::shared_ptr<const Data> data_;
};

}  // namespace tavik
