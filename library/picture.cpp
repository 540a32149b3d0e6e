#include <fstream>
#include <iterator>
#include <stdexcept>
#include <utility>

#include "library/internals.h"
#include "platform/objects/picture.h"

namespace tavik {

Picture::Picture() = default;
Picture::~Picture() = default;
Picture::Picture(const Picture& other) = default;
Picture& Picture::operator=(const Picture& other) = default;

Picture Picture::FromFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    const std::vector<uint8_t> file{std::istreambuf_iterator<char>(in),
                                    std::istreambuf_iterator<char>()};
    try {
        return FromBytes(file);
    } catch (const std::runtime_error& error) {
        throw std::runtime_error(path + ": " + error.what());
    }
}

Picture Picture::FromBytes(const std::vector<uint8_t>& file) {
    auto picture = platform::LoadPicture(file);
    if (picture.IsError()) throw std::runtime_error(picture.Error().message);
    return Internals::MakePicture(std::move(picture).Value());
}

bool Picture::IsNone() const {
    return Internals::PictureOf(*this) == nullptr;
}

int32_t Picture::Width() const {
    const forms::PicturePtr picture = Internals::PictureOf(*this);
    return picture ? picture->Width() : 0;
}

int32_t Picture::Height() const {
    const forms::PicturePtr picture = Internals::PictureOf(*this);
    return picture ? picture->Height() : 0;
}

Picture Internals::MakePicture(forms::PicturePtr picture) {
    Picture made;
    if (picture) made.data_ = std::make_shared<const Picture::Data>(Picture::Data{picture});
    return made;
}

}  // namespace tavik
