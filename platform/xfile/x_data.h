// Plain records that hold what a DirectX .x file carries: meshes with their normals, texture
// coordinates, vertex colours, materials and face wraps, and frames with their transforms.
// The engine adapter fills a mesh builder or a frame tree from them and back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace xfile {

struct XVector {
    float x = 0, y = 0, z = 0;
    bool operator==(const XVector&) const = default;
};

struct XCoords2d {
    float u = 0, v = 0;
    bool operator==(const XCoords2d&) const = default;
};

struct XColorRgba {
    float r = 1, g = 1, b = 1, a = 1;
    bool operator==(const XColorRgba&) const = default;
};

// One Material object: the face colour, the specular power and colours, and the optional
// texture file name given by its TextureFilename child (empty when it has none).
struct XMaterial {
    float r = 1, g = 1, b = 1, a = 1;
    float power = 0;
    float specular[3] = {0, 0, 0};
    float emissive[3] = {0, 0, 0};
    std::string textureFile;
    bool operator==(const XMaterial&) const = default;
};

struct XFaceWrap {
    bool u = false, v = false;
    bool operator==(const XFaceWrap&) const = default;
};

// Faces are stored flat, as the engine's mesh builder takes them: for each face its vertex
// count followed by that many vertex indices. Small vectors per face would cost one heap
// block each, which dominates memory on meshes of millions of faces.
struct XMesh {
    std::string name;
    std::vector<XVector> vertices;
    std::vector<uint32_t> faceData;
    uint32_t faceCount = 0;

    // Normals and, in the layout of faceData, the normal index of each face corner. Both
    // empty when the mesh has no MeshNormals.
    std::vector<XVector> normals;
    std::vector<uint32_t> faceNormalData;

    // One per vertex, or empty.
    std::vector<XCoords2d> textureCoords;
    std::vector<XColorRgba> vertexColors;

    // The material list and, per face, an index into it; both empty without a material list.
    std::vector<XMaterial> materials;
    std::vector<uint32_t> faceMaterials;

    // One per face, or empty.
    std::vector<XFaceWrap> faceWraps;

    // Appends a face; returns false (and adds nothing) for fewer than one index.
    bool AddFace(const std::vector<uint32_t>& indices);
};

// A 4x4 matrix of row vectors (a point p becomes p * M), stored row by row.
struct XMatrix {
    float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    bool operator==(const XMatrix&) const = default;
};

XMatrix Multiply(const XMatrix& a, const XMatrix& b);  // a then b: p * a * b
XVector TransformPoint(const XVector& p, const XMatrix& m);
XVector TransformDirection(const XVector& d, const XMatrix& m);  // no translation, renormalised

struct XFrame {
    std::string name;
    XMatrix transform;  // relative to the parent frame
    std::vector<XMesh> meshes;
    std::vector<XFrame> children;
};

enum class XFormat { kText, kBinary, kTextZip, kBinaryZip };

struct XFile {
    XFormat format = XFormat::kText;
    int floatBits = 32;
    std::vector<XMesh> meshes;              // meshes at the top level, in file order
    std::vector<XFrame> frames;             // frames at the top level, each with its whole subtree
    std::vector<std::string> textureFiles;  // every texture file name, first appearance order
};

}  // namespace xfile
