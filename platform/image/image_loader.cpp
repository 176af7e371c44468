#include "platform/image/image_loader.h"

#include <cstdint>
#include <vector>

#include "platform/fileio/path_name.h"
#include "platform/image/bmp_reader.h"
#include "platform/image/file_io.h"
#include "platform/image/jpeg_reader.h"
#include "platform/image/ppm_reader.h"

namespace image {

ImagePath SplitImagePath(std::string_view path) {
    return {std::string(fileio::FileNameOf(path)), fileio::ExtensionOf(path)};
}

bool IsJpegExtension(std::string_view lowerExtension) {
    return lowerExtension == "jpeg" || lowerExtension == "jpg";
}

ImageLoad LoadJpegFile(const std::string& path) {
    ImageLoad result;
    if (auto bytes = ReadFileBytes(path, kMaxImageFileBytes)) {
        if (auto pixels = DecodeJpeg(*bytes)) result.image = JpegPixelsToImage(*pixels);
    }
    if (!result.image) result.message = std::string(kJpegOpenError);
    return result;
}

std::optional<Image> LoadBmpOrPpmFile(const std::string& path) {
    auto bytes = ReadFileBytes(path, kMaxImageFileBytes);
    if (!bytes) return std::nullopt;
    if (LooksLikeBmp(*bytes)) return ReadBmp(*bytes);
    if (LooksLikePpm(*bytes)) return ReadPpm(*bytes);
    return std::nullopt;
}

ImageLoad LoadImageFile(const std::string& path) {
    ImagePath parts = SplitImagePath(path);
    if (parts.title.empty()) return {};
    if (IsJpegExtension(parts.extension)) return LoadJpegFile(path);
    return {LoadBmpOrPpmFile(path), {}};
}

}  // namespace image
