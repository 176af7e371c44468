#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/image/bmp_writer.h"
#include "platform/image/image_loader.h"
#include "platform/image/jpeg_writer.h"
#include "test_images.h"

namespace image {
namespace {

TEST(ImageLoader, SplitsTitleAndLowerCasedExtension) {
    EXPECT_EQ(SplitImagePath("C:\\tex\\a.b.Jpeg").extension, "jpeg");
    EXPECT_EQ(SplitImagePath("/tex.d/noext").extension, "");
    EXPECT_EQ(SplitImagePath("/tex/dot.").extension, "");
    EXPECT_EQ(SplitImagePath("C:\\tex\\").title, "");
}

TEST(ImageLoader, ChoosesTheDecoderByExtensionWithoutRegardToCase) {
    auto dir = testing::TestDir("loader");
    Image img = testing::Gradient(16, 8);
    auto jpeg = *EncodeJpeg(img, 90);
    auto bmp = *EncodeBmp(img);
    testing::WriteBytes(dir / "upper.JPG", jpeg);
    testing::WriteBytes(dir / "photo.jpeg", jpeg);
    testing::WriteBytes(dir / "plain.bmp", bmp);
    testing::WriteBytes(dir / "plain.tex", bmp);  // other extensions go by content
    testing::WriteBytes(dir / "jpeg-in.bmp", jpeg);
    testing::WriteBytes(dir / "bmp-in.jpg", bmp);

    for (const char* name : {"upper.JPG", "photo.jpeg"}) {
        ImageLoad r = LoadImageFile((dir / name).string());
        ASSERT_TRUE(r) << name;
        EXPECT_EQ(r.image->width, 16);
        EXPECT_TRUE(r.message.empty());
    }
    for (const char* name : {"plain.bmp", "plain.tex"}) {
        ImageLoad r = LoadImageFile((dir / name).string());
        ASSERT_TRUE(r) << name;
        EXPECT_EQ(r.image->argb, img.argb);
    }

    // The platform loader fails silently; the JPEG path always says why.
    ImageLoad wrongBmp = LoadImageFile((dir / "jpeg-in.bmp").string());
    EXPECT_FALSE(wrongBmp);
    EXPECT_TRUE(wrongBmp.message.empty());
    ImageLoad wrongJpeg = LoadImageFile((dir / "bmp-in.jpg").string());
    EXPECT_FALSE(wrongJpeg);
    EXPECT_EQ(wrongJpeg.message, "Error opening JPEG file");
    ImageLoad missing = LoadImageFile((dir / "none.jpg").string());
    EXPECT_EQ(missing.message, "Error opening JPEG file");

    // An empty title is refused before anything is read, even for a directory named .jpg.
    std::filesystem::create_directories(dir / "folder.jpg");
    ImageLoad noTitle = LoadImageFile((dir / "folder.jpg").string() + "/");
    EXPECT_FALSE(noTitle);
    EXPECT_TRUE(noTitle.message.empty());
    EXPECT_FALSE(LoadImageFile((dir / "folder.jpg").string()));  // a directory, not a file
    // A named pipe would block a plain open until someone writes to it.
    ASSERT_EQ(::mkfifo((dir / "pipe.bmp").c_str(), 0600), 0);
    EXPECT_FALSE(LoadImageFile((dir / "pipe.bmp").string()));
}

}  // namespace
}  // namespace image
