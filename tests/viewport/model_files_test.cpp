// Reading and writing by extension, as the programs reach their files: through links, with
// periods in folder names and with relative paths.
#include "viewport/model_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "model/model_file.h"
#include "platform/image/bmp_writer.h"
#include "tests/support/scripted_prompt.h"
#include "tests/support/temp_dir.h"
#include "viewport/model_pane.h"

namespace {

namespace fs = std::filesystem;
using namespace viewport;
using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

model::MeshModel Triangle() {
    model::MeshModel m;
    m.points.ReplaceLines({"0, 0, 0", "1, 0, 0", "0, 1, 0", ""});
    m.faces.ReplaceLines({"0, 2, 1", ""});
    m.faces.ResizeFaceArrays();
    return m;
}

// Every file the modeller writes goes through the one atomic writer: a link stays a link,
// the file keeps its mode, and a failure names the path and the reason.
TEST(ModelFiles, EveryFormatSavesThroughLinksAndSaysWhyItCannot) {
    TempDir dir;
    fs::create_directory(dir.File("real.d"));
    model::MeshModel model = Triangle();
    ModelRenderObjects objects;
    ModelPane pane(model, objects);
    pane.device.pane = {0, 0, 32, 20};
    DeviceRequest request;
    ASSERT_TRUE(pane.Create(request, 1024, 768, 800, 600, nullptr));

    auto save = [&](const std::string& path, const std::string& extension) {
        std::string error;
        if (extension == "bmp" || extension == "jpg") {
            error = pane.SaveViewImage(path, 75);
        } else if (!OpenOrSaveFile(model, objects, path, extension, FileMode::kWrite, nullptr, {},
                                   &error)) {
            EXPECT_FALSE(error.empty());
        }
        return error;
    };
    const std::pair<const char*, std::string> formats[] = {
        {"mkl", "Mokkel"}, {"x", "xof "}, {"bmp", "BM"}, {"jpg", "\xFF\xD8"}};
    for (const auto& [extension, magic] : formats) {
        SCOPED_TRACE(extension);
        const std::string name = std::string("out.") + extension;
        WriteFile(dir.File("real.d/" + name), "old");
        ::chmod(dir.File("real.d/" + name).c_str(), 0640);
        fs::create_symlink("real.d/" + name, dir.File(name));
        EXPECT_EQ(save(dir.File(name), extension), "");
        EXPECT_TRUE(fs::is_symlink(dir.File(name)));
        EXPECT_EQ(ReadFile(dir.File("real.d/" + name)).substr(0, magic.size()), magic);
        EXPECT_EQ(ModeOf(dir.File("real.d/" + name)), 0640u);

        const std::string missing = dir.File("missing.d/" + name);
        const std::string error = save(missing, extension);
        EXPECT_NE(error.find(missing + ": No such file or directory"), std::string::npos) << error;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.File("real.d")), {}), 4);
}

// Folder names with periods, relative paths and "..": the file opens and its texture is
// found beside it.
TEST(ModelFiles, OpensInsideFoldersWithPeriodsByAnyPath) {
    TempDir dir;
    const std::string folder = dir.File("tmp.Ab12/v1.2");
    fs::create_directories(folder);
    ASSERT_TRUE(image::WriteBmpFile(folder + "/wood.bmp", image::Image{1, 1, {0xFFFF0000}}));
    model::MeshModel source = Triangle();
    source.textures.push_back({folder + "/wood.bmp", "wood", 0, 0});
    source.textureAssignment.textureNames.push_back("wood");
    source.textureAssignment.faceTextureMap[0] = 1;
    ASSERT_TRUE(model::SaveModelFile(source, folder + "/house.v2.mkl"));
    fs::copy_file(folder + "/house.v2.mkl", folder + "/house.mkl");

    const auto cwd = fs::current_path();
    const std::pair<std::string, const char*> cases[] = {
        {cwd.string(), nullptr},  // the absolute path
        {dir.File("tmp.Ab12"), "v1.2/house.mkl"},
        {folder, "house.v2.mkl"},
        {folder, "../v1.2/house.mkl"},
    };
    for (const auto& [workingDirectory, relative] : cases) {
        const std::string path = relative ? relative : folder + "/house.v2.mkl";
        SCOPED_TRACE(path);
        fs::current_path(workingDirectory);
        model::MeshModel m;
        ModelRenderObjects objects;
        model::CurrentFile file;
        file.Set(path);
        const bool read =
            OpenOrSaveFile(m, objects, path, file.extension, FileMode::kRead, nullptr);
        fs::current_path(cwd);
        ASSERT_TRUE(read);
        EXPECT_EQ(m.faces.GetLine(0), "0, 2, 1");
        ASSERT_EQ(m.textures.size(), 1u);
        EXPECT_EQ(m.textures[0].path, folder + "/wood.bmp");
        ASSERT_EQ(objects.textures.size(), 1u);
        EXPECT_TRUE(objects.textures[0]);
    }
}

}  // namespace
