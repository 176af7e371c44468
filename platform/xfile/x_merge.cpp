// Merging a file's meshes, through their frames' transforms, into one mesh.
#include "platform/xfile/x_reader.h"

namespace xfile {
namespace {

struct Placed {
    const XMesh* mesh;
    XMatrix world;
};

void Collect(const XFrame& frame, const XMatrix& parent, std::vector<Placed>& out) {
    const XMatrix world = Multiply(frame.transform, parent);
    for (const XMesh& m : frame.meshes) out.push_back({&m, world});
    for (const XFrame& c : frame.children) Collect(c, world, out);
}

}  // namespace

XMesh MergeHierarchy(const XFile& file) {
    std::vector<Placed> placed;
    const XMatrix identity;
    for (const XMesh& m : file.meshes) placed.push_back({&m, identity});
    for (const XFrame& f : file.frames) Collect(f, identity, placed);

    // Optional parts survive the merge when any mesh has them; the others get defaults.
    // Normals only when every mesh has them, since half a mesh's normals are of no use.
    bool anyMaterials = false, anyCoords = false, anyColors = false, anyWraps = false;
    bool allNormals = !placed.empty();
    for (const Placed& p : placed) {
        anyMaterials |= !p.mesh->faceMaterials.empty();
        anyCoords |= !p.mesh->textureCoords.empty();
        anyColors |= !p.mesh->vertexColors.empty();
        anyWraps |= !p.mesh->faceWraps.empty();
        allNormals &= !p.mesh->normals.empty();
    }

    XMesh out;
    if (placed.size() == 1) out.name = placed.front().mesh->name;
    size_t defaultMaterial = SIZE_MAX;
    for (const Placed& p : placed) {
        const XMesh& m = *p.mesh;
        const uint32_t vertexBase = uint32_t(out.vertices.size());
        const uint32_t normalBase = uint32_t(out.normals.size());
        for (const XVector& v : m.vertices) out.vertices.push_back(TransformPoint(v, p.world));
        for (size_t at = 0; at < m.faceData.size();) {
            const uint32_t k = m.faceData[at];
            out.faceData.push_back(k);
            for (uint32_t i = 1; i <= k; ++i)
                out.faceData.push_back(m.faceData[at + i] + vertexBase);
            at += 1 + k;
        }
        out.faceCount += m.faceCount;
        if (allNormals) {
            for (const XVector& n : m.normals)
                out.normals.push_back(TransformDirection(n, p.world));
            for (size_t at = 0; at < m.faceNormalData.size();) {
                const uint32_t k = m.faceNormalData[at];
                out.faceNormalData.push_back(k);
                for (uint32_t i = 1; i <= k; ++i)
                    out.faceNormalData.push_back(m.faceNormalData[at + i] + normalBase);
                at += 1 + k;
            }
        }
        if (anyCoords) {
            if (m.textureCoords.empty())
                out.textureCoords.resize(out.vertices.size());
            else
                out.textureCoords.insert(out.textureCoords.end(), m.textureCoords.begin(),
                                         m.textureCoords.end());
        }
        if (anyColors) {
            if (m.vertexColors.empty())
                out.vertexColors.resize(out.vertices.size());
            else
                out.vertexColors.insert(out.vertexColors.end(), m.vertexColors.begin(),
                                        m.vertexColors.end());
        }
        if (anyWraps) {
            if (m.faceWraps.empty())
                out.faceWraps.resize(out.faceCount);
            else
                out.faceWraps.insert(out.faceWraps.end(), m.faceWraps.begin(), m.faceWraps.end());
        }
        if (anyMaterials) {
            if (m.faceMaterials.empty()) {
                if (defaultMaterial == SIZE_MAX) {
                    defaultMaterial = out.materials.size();
                    out.materials.emplace_back();
                }
                out.faceMaterials.resize(out.faceCount, uint32_t(defaultMaterial));
            } else {
                const uint32_t materialBase = uint32_t(out.materials.size());
                out.materials.insert(out.materials.end(), m.materials.begin(), m.materials.end());
                for (uint32_t i : m.faceMaterials) out.faceMaterials.push_back(i + materialBase);
            }
        }
    }
    return out;
}

}  // namespace xfile
