#include "platform/xfile/x_reader.h"

#include <gtest/gtest.h>

#include "platform/xfile/x_mszip.h"
#include "tests/platform/xfile/x_test_util.h"

namespace {

using xfile::ReadXData;
using xfile::XFormat;
using xfile::XVector;
namespace tok = xfile::token;

// A file in the shape real exporters produce: declared templates, both comment styles, a
// header object, a named material used by reference, a frame tree with a mesh inside and a
// reference to a top-level mesh, an animation set to skip, and a mesh with every part.
const char* kRichText = R"(xof 0303txt 0032
// exported by hand
template Vector {
 <3D82AB5E-62DA-11cf-AB39-0020AF71E433>
 FLOAT x;  FLOAT y;  FLOAT z;
}
template Mesh { <3D82AB44-62DA-11cf-AB39-0020AF71E433> DWORD nVertices; array Vector vertices[nVertices]; [...] }
Header { 1; 0; 1; }
Material Red {   # shared by reference
  1.0; 0.0; 0.0; 1.0;; 5.0; 0.5; 0.5; 0.5;; 0.0; 0.0; 0.0;;
}
Mesh Quad {
  4;
  0.0; 0.0; 0.0;, 1.0; 0.0; 0.0;, 1.0; 1.0; 0.0;, 0.0; 1.0; 0.0;;
  2;
  3; 0, 1, 2;, 3; 0, 2, 3;;
  MeshNormals { 1; 0.0; 0.0; -1.0;; 2; 3; 0, 0, 0;, 3; 0, 0, 0;; }
  MeshTextureCoords { 4; 0.0; 1.0;, 1.0; 1.0;, 1.0; 0.0;, 0.0; 0.0;; }
  MeshVertexColors { 1; 2; 0.25; 0.5; 0.75; 1.0;;; }
  MeshMaterialList {
    2; 2; 1, 0;;
    { Red }
    Material Blue {
      0.0; 0.0; 1.0; 0.5;; 10.0; 1.0; 1.0; 1.0;; 0.1; 0.2; 0.3;;
      TextureFilename { "wood.bmp"; }
    }
  }
  MeshFaceWraps { 2; 1; 0;, 0; 1;; }
  VertexDuplicationIndices { 4; 4; 0, 1, 2, 3; }
}
Frame Root {
  FrameTransformMatrix {
    1.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0, 10.0, 0.0, 0.0, 1.0;;
  }
  Frame Child {
    Mesh { 3; 0;0;0;, 0;1;0;, 1;0;0;; 1; 3;0,1,2;; }
  }
  { Quad }
}
AnimationSet Walk { Animation { { Root } AnimationKey { 0; 1; 0; 3; 1.0, 2.0, 3.0;;; } } }
)";

TEST(XReaderText, ReadsEveryStandardPart) {
    std::vector<std::string> textures;
    xfile::XReadOptions options;
    options.onTexture = [&](const std::string& t) { textures.push_back(t); };
    auto r = ReadXData(kRichText, options);
    ASSERT_TRUE(r) << r.error;
    const xfile::XFile& f = *r.file;
    EXPECT_EQ(f.format, XFormat::kText);
    ASSERT_EQ(f.meshes.size(), 1u);
    const xfile::XMesh& q = f.meshes[0];
    EXPECT_EQ(q.name, "Quad");
    ASSERT_EQ(q.vertices.size(), 4u);
    EXPECT_EQ(q.vertices[2], (XVector{1, 1, 0}));
    EXPECT_EQ(q.faceCount, 2u);
    EXPECT_EQ(q.faceData, (std::vector<uint32_t>{3, 0, 1, 2, 3, 0, 2, 3}));
    EXPECT_EQ(q.normals, (std::vector<XVector>{{0, 0, -1}}));
    EXPECT_EQ(q.faceNormalData, (std::vector<uint32_t>{3, 0, 0, 0, 3, 0, 0, 0}));
    ASSERT_EQ(q.textureCoords.size(), 4u);
    EXPECT_EQ(q.textureCoords[1], (xfile::XCoords2d{1, 1}));
    ASSERT_EQ(q.vertexColors.size(), 4u);
    EXPECT_EQ(q.vertexColors[2], (xfile::XColorRgba{0.25f, 0.5f, 0.75f, 1}));
    EXPECT_EQ(q.vertexColors[0], xfile::XColorRgba{});
    ASSERT_EQ(q.materials.size(), 2u);
    EXPECT_EQ(q.faceMaterials, (std::vector<uint32_t>{1, 0}));
    EXPECT_EQ(q.materials[0].r, 1.0f);
    EXPECT_EQ(q.materials[0].power, 5.0f);
    EXPECT_EQ(q.materials[0].specular[1], 0.5f);
    EXPECT_EQ(q.materials[1].a, 0.5f);
    EXPECT_EQ(q.materials[1].emissive[2], 0.3f);
    EXPECT_EQ(q.materials[1].textureFile, "wood.bmp");
    EXPECT_EQ(q.faceWraps, (std::vector<xfile::XFaceWrap>{{true, false}, {false, true}}));
    EXPECT_EQ(textures, std::vector<std::string>{"wood.bmp"});
    EXPECT_EQ(f.textureFiles, std::vector<std::string>{"wood.bmp"});

    ASSERT_EQ(f.frames.size(), 1u);
    const xfile::XFrame& root = f.frames[0];
    EXPECT_EQ(root.name, "Root");
    EXPECT_EQ(root.transform.m[12], 10.0f);
    ASSERT_EQ(root.children.size(), 1u);
    EXPECT_EQ(root.children[0].name, "Child");
    ASSERT_EQ(root.children[0].meshes.size(), 1u);
    EXPECT_EQ(root.children[0].meshes[0].faceCount, 1u);
    ASSERT_EQ(root.meshes.size(), 1u);  // the reference to Quad
    EXPECT_EQ(root.meshes[0].vertices, q.vertices);
}

TEST(XReaderText, TopLevelMeshAndHierarchyHelpers) {
    auto r = ReadXData(kRichText);
    ASSERT_TRUE(r) << r.error;
    ASSERT_NE(xfile::FirstTopLevelMesh(*r.file), nullptr);
    EXPECT_EQ(xfile::FirstTopLevelMesh(*r.file)->name, "Quad");

    // Quad at the top, then Root's meshes (Quad again, by reference) moved by Root's
    // transform, then Child's triangle, moved by Root as well.
    xfile::XMesh all = xfile::MergeHierarchy(*r.file);
    ASSERT_EQ(all.vertices.size(), 4u + 4u + 3u);
    EXPECT_EQ(all.faceCount, 2u + 2u + 1u);
    EXPECT_EQ(all.vertices[1], (XVector{1, 0, 0}));
    EXPECT_EQ(all.vertices[5], (XVector{11, 0, 0}));
    EXPECT_EQ(all.vertices[9], (XVector{10, 1, 0}));
    EXPECT_EQ(all.faceData[9], 4u);   // the copy's indices follow the first Quad's vertices
    EXPECT_EQ(all.faceData[17], 8u);  // and the triangle's follow both
    // The triangle has no material list: it gets one default material; each Quad keeps two.
    ASSERT_EQ(all.faceMaterials.size(), 5u);
    EXPECT_EQ(all.materials.size(), 2u + 2u + 1u);
    EXPECT_EQ(all.materials[all.faceMaterials[4]], xfile::XMaterial{});
    EXPECT_EQ(all.materials[all.faceMaterials[2]].textureFile, "wood.bmp");
    EXPECT_TRUE(all.normals.empty());  // the triangle has none
    EXPECT_EQ(all.textureCoords.size(), all.vertices.size());

    // Only meshes at the top level count for the mesh builder load.
    auto framesOnly = ReadXData("xof 0302txt 0032\nFrame F { Mesh M { 1; 0;0;0;; 1; 1;0;; } }");
    ASSERT_TRUE(framesOnly) << framesOnly.error;
    EXPECT_EQ(xfile::FirstTopLevelMesh(*framesOnly.file), nullptr);
    EXPECT_EQ(xfile::MergeHierarchy(*framesOnly.file).faceCount, 1u);
}

TEST(XReaderText, AcceptsExportersVariants) {
    // Missing and doubled separators, everything on one line, a name starting with a digit,
    // NaNs printed the old way and the new, numbers beyond float (read as 0), a material
    // list with one index for all faces, and a TextureFileName spelled with a capital N.
    const char* text =
        "xof 0302txt 0064 Mesh 1st{4;0.0;0.0;0.0;;1.0 1e-50 0.0,+0.0;1.5e1;-1.#IND00;;;"
        "inf;-nan;1e39;;2;3;0,1,2,3;2,1,3;;"
        "MeshMaterialList{1;1;0;Material{1;1;1;1;;0;0;0;0;;0;0;0;;TextureFileName{\"a b.png\";}}}}";
    auto r = ReadXData(text);
    ASSERT_TRUE(r) << r.error;
    const xfile::XMesh& m = r.file->meshes.at(0);
    EXPECT_EQ(m.name, "1st");
    EXPECT_EQ(m.vertices, (std::vector<XVector>{{0, 0, 0}, {1, 0, 0}, {0, 15, 0}, {0, 0, 0}}));
    EXPECT_EQ(m.faceMaterials, (std::vector<uint32_t>{0, 0}));
    EXPECT_EQ(m.materials.at(0).textureFile, "a b.png");
}

TEST(XReaderText, RefusesWhatDoesNotAddUp) {
    struct Case {
        const char* body;
        const char* why;
    } cases[] = {
        {"Mesh { 2; 0;0;0;, 1;1;1;; 1; 3;0,1,2;; }", "index beyond the vertices"},
        {"Mesh { 1; 0;0;0;; 1; 0;; }", "face without vertices"},
        {"Mesh { 1; 0;0;0;; 1; 1;0;; MeshNormals { 1; 0;0;1;; 1; 2;0,0;; } }",
         "normal face of another size"},
        {"Mesh { 1; 0;0;0;; 1; 1;0;; MeshTextureCoords { 2; 0;0;, 1;1;; } }",
         "more coordinates than vertices"},
        {"Mesh { 1; 0;0;0;; 1; 1;0;; MeshMaterialList { 1; 1; 0;; { Nowhere } } }",
         "unknown material"},
        {"Mesh { 1; 0;0;0;; 1; 1;0;; MeshMaterialList { 1; 1; 1;; } }", "material index"},
        {"Mesh { 1; 0;0;0;; 1; 1;0;; MeshMaterialList { 2; 1; 0;; Material "
         "{1;1;1;1;;0;0;0;0;;0;0;0;;} } }",
         "fewer materials than counted"},
        {"Mesh { 1; 0;0;0;; 1; 1;0;; 7; }", "stray number"},
        {"Mesh { 4294967296; }", "count beyond 32 bits"},
        {"Mesh { 1; 0;0;zero;; }", "word for a number"},
        {"Mesh { 1; 0;0;0;; 1; 1;0;;", "missing brace"},
        {"Mesh { 1; 0;0;0;; 1; 1;0;; MeshNormals { 1; 0;0;1;; 1; 1;0;; }", "end inside mesh"},
        {"Frame F { Mesh { } }", "empty mesh"},
        {"} Mesh {}", "stray brace"},
        {"Mesh M { 1; 0;0;0;; 1; 1;0;; TextureFilename { \"open }", "open string"},
    };
    for (const Case& c : cases) {
        auto r = ReadXData(std::string("xof 0302txt 0032\n") + c.body);
        EXPECT_FALSE(r) << c.why;
        EXPECT_FALSE(r.error.empty()) << c.why;
    }
    for (const char* header : {"xof 0302txt 0016", "xof 0302abc 0032", "xyz 0302txt 0032",
                               "xof 03a2txt 0032", "xof 0302"}) {
        EXPECT_FALSE(ReadXData(header)) << header;
    }
}

// The same small mesh in the binary form, with both float sizes and with the named-and-GUID
// header, a template declaration, a reference and an object to skip.
std::string BinaryQuad(const char* kind, const char* floats) {
    xtest::BinaryBuilder b(kind, floats);
    b.Token(tok::kTemplate).Name("Vector").Open().Guid();
    b.Token(tok::kFloat).Name("x").Token(tok::kSemicolon);
    b.Token(tok::kArray)
        .Token(tok::kDword)
        .Name("v")
        .Token(tok::kOBracket)
        .Integer(3)
        .Token(tok::kCBracket)
        .Token(tok::kSemicolon)
        .Close();
    b.Name("Material").Name("Green").Open().Floats({0, 1, 0, 1, 2, 0, 0, 0, 0, 0, 0});
    b.Name("TextureFilename").Open().String("grass.ppm").Close().Close();
    b.Name("Mesh").Name("Quad").Guid().Open();
    b.Ints({4}).Floats({0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0});
    b.Ints({2, 3, 0, 1, 2}).Integer(3).Ints({0, 2, 3});
    b.Name("MeshMaterialList").Open().Ints({1, 2, 0, 0}).Open().Name("Green").Close().Close();
    b.Name("MeshTextureCoords").Open().Integer(4).Floats({0, 0, 1, 0, 1, 1, 0, 1}).Close();
    b.Name("SkinWeights").Open().String("Bone").Ints({1, 0}).Floats({1}).Close();
    b.Close();
    return b.Bytes();
}

void ExpectQuad(const xfile::XReadResult& r) {
    ASSERT_TRUE(r) << r.error;
    ASSERT_EQ(r.file->meshes.size(), 1u);
    const xfile::XMesh& m = r.file->meshes[0];
    EXPECT_EQ(m.name, "Quad");
    ASSERT_EQ(m.vertices.size(), 4u);
    EXPECT_EQ(m.vertices[2], (XVector{1, 1, 0}));
    EXPECT_EQ(m.faceData, (std::vector<uint32_t>{3, 0, 1, 2, 3, 0, 2, 3}));
    ASSERT_EQ(m.materials.size(), 1u);
    EXPECT_EQ(m.materials[0].g, 1.0f);
    EXPECT_EQ(m.materials[0].power, 2.0f);
    EXPECT_EQ(m.materials[0].textureFile, "grass.ppm");
    EXPECT_EQ(m.faceMaterials, (std::vector<uint32_t>{0, 0}));
    EXPECT_EQ(m.textureCoords.at(2), (xfile::XCoords2d{1, 1}));
}

TEST(XReaderBinary, ReadsBothFloatSizes) {
    ExpectQuad(ReadXData(BinaryQuad("bin ", "0032")));
    auto wide = ReadXData(BinaryQuad("bin ", "0064"));
    ExpectQuad(wide);
    EXPECT_EQ(wide.file->floatBits, 64);
    EXPECT_EQ(wide.file->format, XFormat::kBinary);
}

TEST(XReaderBinary, RefusesBrokenTokens) {
    auto prefix = [] {
        xtest::BinaryBuilder b;
        b.Name("Mesh").Open();
        return b;
    };
    // A float list claiming 2^31 floats, an integer list running past the end, an unknown
    // token, floats where the face count belongs, and a name longer than the file.
    EXPECT_FALSE(ReadXData(prefix().Token(tok::kFloatList).Dword(0x80000000u).Bytes()));
    EXPECT_FALSE(ReadXData(prefix().Token(tok::kIntegerList).Dword(3).Dword(1).Bytes()));
    EXPECT_FALSE(ReadXData(prefix().Token(99).Close().Bytes()));
    EXPECT_FALSE(ReadXData(prefix().Ints({1}).Floats({0, 0, 0}).Floats({1}).Close().Bytes()));
    EXPECT_FALSE(ReadXData(xtest::BinaryBuilder().Token(tok::kName).Dword(1000).Bytes()));
    // An unknown object with an unknown token inside is not skipped blindly either.
    EXPECT_FALSE(ReadXData(xtest::BinaryBuilder().Name("Odd").Open().Token(77).Close().Bytes()));
}

std::string Compressed(const std::string& plain, const char* kind) {
    std::string packed;
    EXPECT_TRUE(xfile::DeflateMsZip(plain.substr(16), packed));
    return "xof 0302" + std::string(kind) + plain.substr(12, 4) + packed;
}

TEST(XReaderCompressed, ReadsBothCompressedForms) {
    auto t = ReadXData(Compressed(kRichText, "tzip"));
    ASSERT_TRUE(t) << t.error;
    EXPECT_EQ(t.file->format, XFormat::kTextZip);
    EXPECT_EQ(t.file->meshes.at(0).materials.size(), 2u);

    auto b = ReadXData(Compressed(BinaryQuad("bin ", "0032"), "bzip"));
    ExpectQuad(b);
    EXPECT_EQ(b.file->format, XFormat::kBinaryZip);
}

TEST(XReaderCompressed, LaterBlocksReachBackIntoEarlierOnes) {
    // 40,000 vertices of one repeated line span many 32 KiB blocks, each compressed against
    // the previous block's text; reading them needs that history.
    std::string text = "xof 0302txt 0032\nMesh {\n40000;\n";
    for (int i = 0; i < 40000; ++i) text += "0.125;0.25;0.5;,\n";
    text += "1;\n1;0;;\n}\n";
    const std::string packed = Compressed(text, "tzip");
    EXPECT_LT(packed.size(), text.size() / 20);
    auto r = ReadXData(packed);
    ASSERT_TRUE(r) << r.error;
    ASSERT_EQ(r.file->meshes.at(0).vertices.size(), 40000u);
    EXPECT_EQ(r.file->meshes[0].vertices[39999], (XVector{0.125f, 0.25f, 0.5f}));
}

}  // namespace
