// Writes the seed corpora of the fuzz harnesses with the project's own writers:
// make-fuzz-seeds DIR makes DIR/<harness>/ for each harness. Hand-made bytes only where the
// project has no writer for a variant its readers accept (palette and RLE BMPs, PPMs, an X
// frame hierarchy, grey and four-channel JPEGs).
#include <cstdio>
// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "model/model_file.h"
#include "platform/image/bmp_writer.h"
#include "platform/image/jpeg_writer.h"
#include "platform/text/cp932.h"
#include "platform/xfile/x_reader.h"
#include "platform/xfile/x_writer.h"
#include "studio/scene/scene_file.h"
#include "tests/platform/image/test_images.h"
#include "tools/sample_house.h"
#include "viewport/interchange_model.h"
#include "viewport/model_files.h"
#include "viewport/x_model.h"

namespace {

namespace fs = std::filesystem;

bool failed = false;

void Check(bool ok, const std::string& what) {
    if (!ok) {
        std::cerr << "make-fuzz-seeds: cannot write " << what << '\n';
        failed = true;
    }
}

void WriteBytes(const fs::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    Check(static_cast<bool>(out), path.string());
}

void WriteBytes(const fs::path& path, const std::vector<uint8_t>& bytes) {
    WriteBytes(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The house with every side table filled: a texture with coordinates, a wrap, a mirror.
model::MeshModel TexturedHouse() {
    model::MeshModel m = tools::MakeSampleHouse();
    m.textures.push_back({"tex.d\\brick.bmp", "brick.bmp", 1, 0x00FF00FF});
    const int32_t brick = m.textureAssignment.FindOrAddName("brick.bmp");
    m.textureAssignment.faceTextureMap[0] = static_cast<uint16_t>(brick);
    m.textureAssignment.faceTextureMap[1] = static_cast<uint16_t>(brick);
    m.textureAssignment.uvMap[0] = {0, 0};
    m.textureAssignment.uvMap[1] = {1, 0};
    m.textureAssignment.uvMap[2] = {1, 1};
    m.wrap.textureName = "brick.bmp";
    m.wrap.wrapType = 1;
    m.wrap.direction = {0, 0, 1};
    m.wrap.up = {0, 1, 0};
    m.wrap.uScale = m.wrap.vScale = 1;
    m.wrap.wrapFlag = 1;
    m.mirror = {1, 0.5f};
    m.deviceType = 1;
    m.joints.push_back({1, 2, 3});
    return m;
}

void ModelSeeds(const fs::path& dir) {
    model::MeshModel house = tools::MakeSampleHouse();
    Check(model::SaveModelFile(house, (dir / "house.mkl").string()), "house.mkl");
    model::MeshModel textured = TexturedHouse();
    Check(model::SaveModelFile(textured, (dir / "textured.mkl").string()), "textured.mkl");
    model::MeshModel empty;
    model::ClearModel(empty, nullptr, nullptr, false);
    Check(model::SaveModelFile(empty, (dir / "empty.mkl").string()), "empty.mkl");
}

// Frames with transforms, a shared material with a texture, normals and coordinates: what
// the modeller's export never writes but its import reads.
constexpr std::string_view kHierarchyX = R"(xof 0303txt 0032
template Header {
 <3D82AB43-62DA-11cf-AB39-0020AF71E433>
 WORD major;
 WORD minor;
 DWORD flags;
}
Header { 1; 0; 1; }
Material red {
 1.0;0.0;0.0;1.0;;
 8.0;
 1.0;1.0;1.0;;
 0.0;0.0;0.0;;
 TextureFilename { "brick.bmp"; }
}
Frame root {
 FrameTransformMatrix { 1.0,0.0,0.0,0.0, 0.0,1.0,0.0,0.0, 0.0,0.0,1.0,0.0, 0.0,2.0,0.0,1.0;; }
 Frame child {
  FrameTransformMatrix { 0.0,1.0,0.0,0.0, -1.0,0.0,0.0,0.0, 0.0,0.0,1.0,0.0, 1.0,0.0,0.0,1.0;; }
  Mesh quad {
   4;
   0.0;0.0;0.0;, 1.0;0.0;0.0;, 1.0;1.0;0.0;, 0.0;1.0;0.0;;
   2;
   3;0,1,2;,
   4;0,1,2,3;;
   MeshMaterialList { 1; 2; 0, 0;; {red} }
   MeshNormals { 1; 0.0;0.0;-1.0;; 2; 3;0,0,0;, 4;0,0,0,0;; }
   MeshTextureCoords { 4; 0.0;0.0;, 1.0;0.0;, 1.0;1.0;, 0.0;1.0;; }
   MeshVertexColors { 1; 0; 1.0;0.5;0.0;1.0;;; }
  }
 }
}
)";

void XSeeds(const fs::path& dir, const fs::path& zipDir) {
    model::MeshModel house = TexturedHouse();
    viewport::ModelRenderObjects objects;
    Check(viewport::ExportXFile(house, objects, (dir / "house_txt.x").string(), false, {}),
          "house_txt.x");
    Check(viewport::ExportXFile(house, objects, (dir / "house_bin.x").string(), true, {}),
          "house_bin.x");
    WriteBytes(dir / "hierarchy.x", kHierarchyX);
    // The compressed encodings of the same mesh, through the writer's own compression.
    const xfile::XReadResult read = xfile::ReadXFile((dir / "house_txt.x").string());
    const xfile::XMesh* mesh = read ? xfile::FirstTopLevelMesh(*read.file) : nullptr;
    Check(mesh != nullptr, "the compressed X seeds (the text seed does not read back)");
    if (!mesh) return;
    const struct {
        xfile::XFormat format;
        const char* name;
    } zipped[] = {{xfile::XFormat::kTextZip, "house_tzip.x"},
                  {xfile::XFormat::kBinaryZip, "house_bzip.x"}};
    for (const auto& z : zipped) {
        std::string bytes;
        Check(xfile::EncodeXMesh(*mesh, z.format, xfile::kSaveAll, bytes), z.name);
        WriteBytes(dir / z.name, bytes);
    }
    // The zip harness takes a selector byte (even tzip, odd bzip) and the plain body.
    const std::string text = ReadAll(dir / "house_txt.x");
    const std::string binary = ReadAll(dir / "house_bin.x");
    WriteBytes(zipDir / "house_txt.body", std::string(1, '\0') + text.substr(16));
    WriteBytes(zipDir / "house_bin.body", std::string(1, '\1') + binary.substr(16));
    WriteBytes(zipDir / "hierarchy.body",
               std::string(1, '\0') + std::string(kHierarchyX.substr(16)));
}

void BmpSeeds(const fs::path& dir) {
    using image::testing::MakeBmp;
    const image::Image picture = image::testing::Gradient(7, 5);
    for (int bits : {24, 32}) {
        auto bytes = image::EncodeBmp(picture, bits);
        Check(bytes.has_value(), "a BMP seed");
        if (bytes) WriteBytes(dir / ("gradient" + std::to_string(bits) + ".bmp"), *bytes);
    }
    const std::vector<uint32_t> palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
    // Rows padded to 4 bytes; the heights' signs give bottom-up and top-down files.
    WriteBytes(dir / "pal8.bmp", MakeBmp(4, 2, 8, 0, palette, {0, 1, 2, 3, 3, 2, 1, 0}));
    WriteBytes(dir / "pal4_topdown.bmp",
               MakeBmp(4, -2, 4, 0, palette, {0x01, 0x23, 0, 0, 0x32, 0x10, 0, 0}));
    WriteBytes(dir / "pal1.bmp",
               MakeBmp(4, 2, 1, 0, {0x000000, 0xFFFFFF}, {0xA0, 0, 0, 0, 0x50, 0, 0, 0}));
    WriteBytes(dir / "rle8.bmp",
               MakeBmp(4, 2, 8, 1, palette, {4, 1, 0, 0, 0, 3, 2, 3, 1, 0, 0, 0, 1}));
    WriteBytes(dir / "rle4.bmp",
               MakeBmp(4, 2, 4, 2, palette, {4, 0x12, 0, 0, 0, 2, 1, 2, 0x33, 0, 1}));
    WriteBytes(dir / "bitfields565.bmp",
               MakeBmp(3, 1, 16, 3, {}, {0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0, 0},
                       {0xF800, 0x07E0, 0x001F}));
    WriteBytes(dir / "rgb555.bmp", MakeBmp(2, 1, 16, 0, {}, {0x00, 0x7C, 0x1F, 0x00}));
}

void PpmSeeds(const fs::path& dir) {
    std::string p6 = "P6\n# made by make-fuzz-seeds\n3 2\n255\n";
    for (int i = 0; i < 18; ++i) p6.push_back(static_cast<char>(i * 14));
    WriteBytes(dir / "binary.ppm", p6);
    std::string wide = "P6 2 1 65535\n";
    for (int i = 0; i < 12; ++i) wide.push_back(static_cast<char>(0x40 + i));
    WriteBytes(dir / "wide.ppm", wide);
    WriteBytes(dir / "text.ppm", "P3\n# text samples\n2 2\n15\n15 0 0  0 15 0\n0 0 15  7 7 7\n");
}

// Grey, CMYK-style four-channel and progressive files, which the project's writer (three
// channels, baseline) does not make.
std::vector<uint8_t> RawJpeg(int width, int height, int components, J_COLOR_SPACE space,
                             bool progressive) {
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &buffer, &size);
    c.image_width = static_cast<JDIMENSION>(width);
    c.image_height = static_cast<JDIMENSION>(height);
    c.input_components = components;
    c.in_color_space = space;
    jpeg_set_defaults(&c);
    if (space == JCS_CMYK) jpeg_set_colorspace(&c, JCS_YCCK);
    jpeg_set_quality(&c, 80, TRUE);
    if (progressive) jpeg_simple_progression(&c);
    jpeg_start_compress(&c, TRUE);
    std::vector<JSAMPLE> row(static_cast<size_t>(width * components));
    while (c.next_scanline < c.image_height) {
        for (size_t i = 0; i < row.size(); ++i)
            row[i] = static_cast<JSAMPLE>((i * 37 + c.next_scanline * 11) & 0xFF);
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&c, rows, 1);
    }
    jpeg_finish_compress(&c);
    std::vector<uint8_t> out(buffer, buffer + size);
    jpeg_destroy_compress(&c);
    std::free(buffer);
    return out;
}

void JpegSeeds(const fs::path& dir) {
    const struct {
        int width, height, quality;
        const char* name;
    } pictures[] = {
        {16, 16, 75, "gradient.jpg"}, {1, 1, 10, "pixel.jpg"}, {40, 24, 95, "wide.jpg"}};
    for (const auto& p : pictures) {
        auto bytes = image::EncodeJpeg(image::testing::Gradient(p.width, p.height), p.quality);
        Check(bytes.has_value(), p.name);
        if (bytes) WriteBytes(dir / p.name, *bytes);
    }
    WriteBytes(dir / "grey.jpg", RawJpeg(9, 7, 1, JCS_GRAYSCALE, false));
    WriteBytes(dir / "four_channels.jpg", RawJpeg(8, 8, 4, JCS_CMYK, false));
    WriteBytes(dir / "progressive.jpg", RawJpeg(17, 9, 3, JCS_RGB, true));
}

void SceneSeeds(const fs::path& sceneDir, const fs::path& partsDir, const fs::path& work) {
    model::MeshModel house = tools::MakeSampleHouse();
    Check(model::SaveModelFile(house, (work / "house.mkl").string()), "house.mkl");
    std::vector<studio::PendingItem> items(8);
    items[0].item.kind = studio::kFolder;
    items[0].item.name = text::Utf8ToCp932("家具");
    items[1].item.kind = studio::kObject;
    items[1].item.name = "house";
    items[1].item.path = "house.mkl";
    items[1].item.depth = 1;
    items[1].item.flipX = 1;
    items[1].item.scale = {1, 2, 1};
    items[1].placement = {{-1.2f, 0, 0}, {0.5f, 0, 0.866f}, {0, 1, 0}};
    items[2].item.kind = studio::kObject;
    items[2].item.name = "missing";
    items[2].item.path = "models.v1\\gone.x";
    items[2].item.depth = 2;
    items[2].item.displayMode = studio::kShowRound;
    const uint8_t lights[] = {studio::kAmbientLight, studio::kDirectionalLight, studio::kPointLight,
                              studio::kSpotLight};
    for (int i = 0; i < 4; ++i) {
        studio::PendingItem& l = items[3 + i];
        l.item.kind = lights[i];
        l.item.name = "light" + std::to_string(i);
        l.item.depth = i % 2;
        l.item.lightValues.color = 0xFFFFF0D0;
        l.placement.position = {0, 3, -3};
    }
    items[7].item.kind = studio::kFolder;
    items[7].item.name = "empty";
    studio::CSceneDoc doc;
    doc.AppendItems(items, {{1, 0, 1, 2, {}}, {2, 1, 2, -1, {}}, {0, 0, 5, 1, {}}}, work.string(),
                    "");
    studio::SceneEnvironment& e = doc.environment;
    e.screenWidth = 480;
    e.screenHeight = 320;
    e.backgroundColor = 0xFF6080A0;
    e.backgroundImagePath = "sky.bmp";
    e.hasImage = 1;
    e.fogEnabled = 1;
    e.fogOwnColor = 1;
    e.fogStart = 4;
    e.fogEnd = 14;
    doc.SetCameraPlacement({{0, 2.5f, -6}, {0, -0.35f, 1}, {0, 1, 0.35f}});
    const struct {
        fs::path dir;
        const char* name;
        int first, last;
    } files[] = {{sceneDir, "scene.stg", 0, -1},
                 {sceneDir, "middle.stg", 1, 4},
                 {partsDir, "parts.ktb", 1, 4},
                 {partsDir, "all.ktb", 0, -1}};
    for (const auto& f : files) {
        const fs::path target = work / f.name;
        Check(studio::SaveSceneFile(doc, target.string(), f.first, f.last).ok, f.name);
        std::error_code ec;
        fs::copy_file(target, f.dir / f.name, fs::copy_options::overwrite_existing, ec);
        Check(!ec, f.name);
    }
}

// The house and the textured house through the modeller's glTF and OBJ export.
void InterchangeSeeds(const fs::path& root) {
    const std::pair<model::MeshModel, const char*> models[] = {{tools::MakeSampleHouse(), "house"},
                                                               {TexturedHouse(), "textured"}};
    for (const char* format : {"gltf", "glb", "obj"})
        for (const auto& [source, name] : models) {
            model::MeshModel m = source;
            viewport::ModelRenderObjects objects;
            const fs::path path = root / format / (std::string(name) + "." + format);
            Check(viewport::ExportInterchangeFile(m, objects, path.string(), format, {}),
                  path.string());
        }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make-fuzz-seeds DIR\n";
        return 2;
    }
    const fs::path root = argv[1];
    const char* const corpora[] = {"model_file", "xfile",      "xfile_zip",  "bmp",   "ppm",
                                   "jpeg",       "scene_file", "parts_file", "work.d",
                                   "gltf",       "glb",        "obj"};
    for (const char* c : corpora) fs::create_directories(root / c);
    ModelSeeds(root / "model_file");
    XSeeds(root / "xfile", root / "xfile_zip");
    BmpSeeds(root / "bmp");
    PpmSeeds(root / "ppm");
    JpegSeeds(root / "jpeg");
    SceneSeeds(root / "scene_file", root / "parts_file", root / "work.d");
    InterchangeSeeds(root);
    return failed ? 1 : 0;
}
