// Loading a texture or background image by its file name: "jpeg" and "jpg" (any letter case)
// go to the JPEG decoder, everything else to the BMP and PPM readers, recognised by content.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/image/image.h"

namespace image {

// The text the user is shown when a JPEG cannot be loaded.
inline constexpr std::string_view kJpegOpenError = "Error opening JPEG file";

// The file title (after the last '/' or '\') and its extension (after the title's last '.',
// lower-cased; empty when there is no dot or the dot is last).
struct ImagePath {
    std::string title;
    std::string extension;
};
ImagePath SplitImagePath(std::string_view path);

bool IsJpegExtension(std::string_view lowerExtension);

// A picture, or a failure with the message to show (UTF-8; empty when the failure is silent).
// The caller shows the message: this layer never talks to the user.
struct ImageLoad {
    std::optional<Image> image;
    std::string message;

    explicit operator bool() const { return image.has_value(); }
};

// A JPEG file; any failure carries kJpegOpenError.
ImageLoad LoadJpegFile(const std::string& path);

// A BMP or PPM file, told apart by the first bytes. Failures are silent.
std::optional<Image> LoadBmpOrPpmFile(const std::string& path);

// The whole rule: an empty title fails before anything is read, then by extension.
ImageLoad LoadImageFile(const std::string& path);

}  // namespace image
