// An independent reader (assimp, the project's test peer) reads our .glb and .obj with the
// triangles and the bounding box we wrote.
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <gtest/gtest.h>

#include <assimp/Importer.hpp>
#include <limits>

#include "platform/interchange/interchange.h"
#include "tests/platform/interchange/sample_mesh.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(InterchangeAssimp, ReadsOurFilesWithTheSameTrianglesAndBox) {
    testing_support::TempDir dir;
    const rm::MeshBuilderPtr mesh = interchange_test::SampleMesh();
    // Ours: six triangles; the box in the right-handed space (z negated).
    size_t triangles = 0;
    for (size_t f = 0; f < mesh->FaceCount(); ++f)
        triangles += static_cast<size_t>(mesh->FaceVertexCount(f) - 2);
    rm::Vector3 lo, hi;
    ASSERT_TRUE(mesh->GetBox(lo, hi));
    const rm::Vector3 boxMin{lo.x, lo.y, -hi.z}, boxMax{hi.x, hi.y, -lo.z};

    for (const char* name : {"peer.glb", "peer.obj"}) {
        SCOPED_TRACE(name);
        const std::string path = dir.File(name);
        const bool obj = std::string(name).ends_with(".obj");
        ASSERT_TRUE(obj ? interchange::SaveObjMesh(*mesh, path, {}, {})
                        : interchange::SaveGltfMesh(*mesh, path, true, {}, {}));
        Assimp::Importer importer;
        const aiScene* scene = importer.ReadFile(path, 0);
        ASSERT_NE(scene, nullptr) << importer.GetErrorString();
        size_t read = 0;
        aiVector3D a(std::numeric_limits<float>::max()), b(-std::numeric_limits<float>::max());
        for (unsigned m = 0; m < scene->mNumMeshes; ++m) {
            const aiMesh* part = scene->mMeshes[m];
            for (unsigned f = 0; f < part->mNumFaces; ++f) read += part->mFaces[f].mNumIndices - 2;
            for (unsigned v = 0; v < part->mNumVertices; ++v) {
                const aiVector3D& p = part->mVertices[v];
                a = aiVector3D(std::min(a.x, p.x), std::min(a.y, p.y), std::min(a.z, p.z));
                b = aiVector3D(std::max(b.x, p.x), std::max(b.y, p.y), std::max(b.z, p.z));
            }
        }
        EXPECT_EQ(read, triangles);
        EXPECT_EQ(a, aiVector3D(boxMin.x, boxMin.y, boxMin.z));
        EXPECT_EQ(b, aiVector3D(boxMax.x, boxMax.y, boxMax.z));
    }
}

}  // namespace
