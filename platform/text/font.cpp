#include "platform/text/font.h"

#include "platform/text/font_cache.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_SIZES_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/os/owned.h"
#include "platform/text/em_size.h"
#include "platform/text/face_match.h"
#include "platform/text/font_cache.h"

namespace platform {
namespace {

// The FreeType library, created once; every open face keeps it alive.
struct Library {
    Owned<FT_Library, FT_Done_FreeType> handle;
    Library() {
        FT_Library made = nullptr;
        if (FT_Init_FreeType(&made) == 0) handle.Reset(made);
    }
};

std::shared_ptr<Library> SharedLibrary() {
    static const std::shared_ptr<Library> library = std::make_shared<Library>();
    return library;
}

// Font units scaled to pixels of an em, rounded to the nearest pixel (halves away from zero).
int32_t Scale(int64_t units, int32_t em, int64_t unitsPerEm) {
    const int64_t scaled = units * em;
    const int64_t half = unitsPerEm / 2;
    return static_cast<int32_t>(scaled >= 0 ? (scaled + half) / unitsPerEm
                                            : -((-scaled + half) / unitsPerEm));
}

}  // namespace

namespace {

// A font file's face, opened once for every font drawn from it while any of them lives: each
// font has a size object of its own on it, so the file is opened and parsed only once.
// FreeType reads the file through pread rather than a mapping: it keeps the tables it parsed
// and reads each glyph's outline when it renders it, so the process holds only those bytes
// instead of every page of the file it ever touched (and their neighbours the kernel maps
// with them), and a file cut short while open gives a read error, not a fault.
struct FileFace {
    std::shared_ptr<Library> library;
    OwnedFd fd;
    FT_StreamRec stream{};
    Owned<FT_Face, FT_Done_Face> handle;  // last, so given up before the file it reads
};

// FreeType's read of `count` bytes at `offset`; a count of 0 asks only whether the offset is
// inside the file.
unsigned long ReadFontFile(FT_Stream stream, unsigned long offset, unsigned char* buffer,
                           unsigned long count) {
    if (count == 0) return offset > stream->size ? 1 : 0;
    const int fd = static_cast<int>(stream->descriptor.value);
    unsigned long done = 0;
    while (done < count) {
        const ssize_t n = pread(fd, buffer + done, count - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<unsigned long>(n);
    }
    return done;
}

std::shared_ptr<FileFace> OpenFileFace(const FaceFile& file) {
    struct Opened {
        std::string path;
        int32_t index;
        std::weak_ptr<FileFace> face;
    };
    static std::vector<Opened> opened;
    std::erase_if(opened, [](const Opened& o) { return o.face.expired(); });
    for (const Opened& o : opened) {
        if (o.path == file.path && o.index == file.index) return o.face.lock();
    }
    auto face = std::make_shared<FileFace>();
    face->library = SharedLibrary();
    if (!face->library->handle) return nullptr;
    face->fd.Reset(open(file.path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat status {};
    if (!face->fd || fstat(face->fd.Get(), &status) != 0 || !S_ISREG(status.st_mode))
        return nullptr;
    face->stream.size = static_cast<unsigned long>(status.st_size);
    face->stream.descriptor.value = face->fd.Get();
    face->stream.read = ReadFontFile;
    FT_Open_Args args{};
    args.flags = FT_OPEN_STREAM;
    args.stream = &face->stream;
    FT_Face made = nullptr;
    if (FT_Open_Face(face->library->handle.Get(), &args, file.index, &made) != 0) return nullptr;
    face->handle.Reset(made);
    opened.push_back({file.path, file.index, face});
    return face;
}

}  // namespace

struct Font::Face {
    std::shared_ptr<FileFace> file;
    Owned<FT_Size, FT_Done_Size> size;  // this font's size on the shared face
    bool embolden = false;
};

namespace {

std::unique_ptr<Font::Face> OpenFace(const FaceFile& file, int32_t em) {
    if (file.path.empty()) return nullptr;
    auto face = std::make_unique<Font::Face>();
    face->file = OpenFileFace(file);
    if (!face->file) return nullptr;
    FT_Face handle = face->file->handle.Get();
    FT_Size size = nullptr;
    if (!FT_IS_SCALABLE(handle) || FT_New_Size(handle, &size) != 0) return nullptr;
    face->size.Reset(size);
    if (FT_Activate_Size(size) != 0 || FT_Set_Pixel_Sizes(handle, 0, em) != 0) {
        return nullptr;
    }
    face->embolden = file.embolden;
    return face;
}

// Loads the hinted outline of a glyph into the face's slot, emboldened when the face is made
// bold; null when it does not load.
FT_GlyphSlot LoadOutline(const Font::Face& face, uint32_t glyphIndex) {
    if (FT_Activate_Size(face.size.Get()) != 0) return nullptr;
    FT_Face handle = face.file->handle.Get();
    if (FT_Load_Glyph(handle, glyphIndex, FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP) != 0) return nullptr;
    if (face.embolden) FT_GlyphSlot_Embolden(handle->glyph);
    return handle->glyph;
}

// The glyph itself, its shared block and the cache's list and map nodes take about this much.
constexpr size_t kGlyphBookkeepingBytes = 256;

}  // namespace

size_t GlyphCost(const Glyph& glyph) {
    return glyph.coverage.size() + kGlyphBookkeepingBytes;
}

Font::Font(OpenToken, const FontDesc& desc)
    : desc_(desc), emPixels_(platform::EmPixels(desc.sizeCy)) {}

Font::~Font() = default;

std::shared_ptr<const Font> Font::Open(const FontDesc& desc) {
    auto font = std::make_shared<Font>(OpenToken{}, desc);
    const int32_t em = font->emPixels_;
    font->face_ = OpenFace(MatchFace(desc), em);
    if (!font->face_) font->face_ = OpenFace(DefaultSansFace(), em);

    if (!font->face_) {
        // No face at all: keep the layout sensible with em-based metrics and blank glyphs.
        font->descent_ = em / 5;
        font->ascent_ = em - font->descent_;
        font->averageCharWidth_ = std::max(1, em / 2);
        font->underlineTop_ = font->ascent_ + 1;
        font->strikeoutTop_ = font->ascent_ - em / 4;
        return font;
    }

    FT_Face face = font->face_->file->handle.Get();
    const int64_t unitsPerEm = std::max<int64_t>(face->units_per_EM, 1);
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    // Line height from the face's Windows ascent and descent, as the desktop measures fonts;
    // FreeType's own (typographic) metrics when the face has no such values.
    if (os2 && os2->version != 0xFFFF && (os2->usWinAscent != 0 || os2->usWinDescent != 0)) {
        font->ascent_ = Scale(os2->usWinAscent, em, unitsPerEm);
        font->descent_ = Scale(os2->usWinDescent, em, unitsPerEm);
    } else {
        const FT_Size_Metrics& metrics = font->face_->size->metrics;
        font->ascent_ = static_cast<int32_t>((metrics.ascender + 32) >> 6);
        font->descent_ = static_cast<int32_t>((-metrics.descender + 32) >> 6);
    }
    font->ascent_ = std::max(font->ascent_, 1);
    font->descent_ = std::max(font->descent_, 0);

    const bool hasOs2 = os2 && os2->version != 0xFFFF;
    font->averageCharWidth_ = hasOs2 && os2->xAvgCharWidth > 0
                                  ? Scale(os2->xAvgCharWidth, em, unitsPerEm)
                                  : font->MetricsFor(U'x').advance;
    font->averageCharWidth_ = std::max(font->averageCharWidth_, 1);

    font->barThickness_ = std::max(1, Scale(face->underline_thickness, em, unitsPerEm));
    font->underlineTop_ = font->ascent_ - Scale(face->underline_position, em, unitsPerEm);
    font->strikeoutTop_ = hasOs2 && os2->yStrikeoutPosition > 0
                              ? font->ascent_ - Scale(os2->yStrikeoutPosition, em, unitsPerEm)
                              : font->ascent_ - em / 4;
    const int32_t lastBarRow = std::max(font->Height() - font->barThickness_, 0);
    font->underlineTop_ = std::clamp(font->underlineTop_, 0, lastBarRow);
    font->strikeoutTop_ = std::clamp(font->strikeoutTop_, 0, lastBarRow);

    font->bold_ = (face->style_flags & FT_STYLE_FLAG_BOLD) != 0 || font->face_->embolden;
    if (face->family_name) font->familyName_ = face->family_name;
    return font;
}

const Font& Font::AtScale(const DeviceScale& scale) const {
    if (scale.IsIdentity()) return *this;
    if (!scaled_ || scaledAt_ != scale) {
        FontDesc desc = desc_;
        // Far beyond any size a font is realised at (kMaxEmPixels), and far from overflow.
        const int64_t size = std::min<int64_t>(desc_.sizeCy, int64_t{1} << 40);
        desc.sizeCy = (size * scale.Per120() + DeviceScale::kUnit / 2) / DeviceScale::kUnit;
        scaled_ = LoadFont(desc);
        scaledAt_ = scale;
    }
    return *scaled_;
}

GlyphMetrics Font::MetricsFor(char32_t codePoint) const {
    if (codePoint < kDirectMetrics) {
        std::optional<GlyphMetrics>& slot = asciiMetrics_[codePoint];
        if (!slot) slot = Measure(GlyphIndex(codePoint));
        return *slot;
    }
    const uint32_t index = GlyphIndex(codePoint);
    const auto [place, added] = otherMetrics_.try_emplace(index);
    if (added) place->second = Measure(index);
    return place->second;
}

std::shared_ptr<const Glyph> Font::GlyphFor(char32_t codePoint) const {
    const uint32_t index = GlyphIndex(codePoint);
    if (const std::shared_ptr<const Glyph>* cached = glyphs_.Find(index)) return *cached;
    auto glyph = std::make_shared<const Glyph>(Render(index));
    glyphs_.Insert(index, glyph, GlyphCost(*glyph));
    return glyph;
}

uint32_t Font::GlyphIndex(char32_t codePoint) const {
    return face_ ? FT_Get_Char_Index(face_->file->handle.Get(), codePoint) : 0;
}

GlyphMetrics Font::Measure(uint32_t glyphIndex) const {
    GlyphMetrics metrics;
    FT_GlyphSlot slot = face_ ? LoadOutline(*face_, glyphIndex) : nullptr;
    if (!slot) return metrics;
    metrics.advance = static_cast<int32_t>((slot->advance.x + 32) >> 6);
    if (slot->format != FT_GLYPH_FORMAT_OUTLINE || slot->outline.n_points == 0) return metrics;
    FT_BBox box;
    FT_Outline_Get_CBox(&slot->outline, &box);
    // Rendering rounds the outline's box outward to whole pixels, widening one thinner than a
    // pixel; one pixel more on every side holds whatever that rounding gives.
    const auto floorPixel = [](FT_Pos v) { return static_cast<int32_t>(v >> 6); };
    const auto ceilPixel = [](FT_Pos v) { return static_cast<int32_t>((v + 63) >> 6); };
    metrics.ink = {floorPixel(box.xMin) - 1, -ceilPixel(box.yMax) - 1, ceilPixel(box.xMax) + 1,
                   -floorPixel(box.yMin) + 1};
    return metrics;
}

Glyph Font::Render(uint32_t glyphIndex) const {
    Glyph glyph;
    FT_GlyphSlot slot = face_ ? LoadOutline(*face_, glyphIndex) : nullptr;
    if (!slot) return glyph;
    glyph.advance = static_cast<int32_t>((slot->advance.x + 32) >> 6);
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return glyph;

    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY || bitmap.width == 0 || bitmap.rows == 0) {
        return glyph;
    }
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.width = static_cast<int32_t>(bitmap.width);
    glyph.height = static_cast<int32_t>(bitmap.rows);
    glyph.coverage.resize(static_cast<size_t>(glyph.width) * static_cast<size_t>(glyph.height));
    const int32_t levels = std::max<int32_t>(bitmap.num_grays - 1, 1);
    for (int32_t y = 0; y < glyph.height; ++y) {
        const unsigned char* src = bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
        uint8_t* dst = glyph.coverage.data() + static_cast<size_t>(y) * glyph.width;
        for (int32_t x = 0; x < glyph.width; ++x) {
            dst[x] = static_cast<uint8_t>(src[x] * 255 / levels);
        }
    }
    return glyph;
}

}  // namespace platform
