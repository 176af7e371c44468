// Wavefront OBJ: written here directly (the format is a few kinds of lines), read through
// tinyobjloader with its triangulation off, so polygons stay polygons.
#include <tiny_obj_loader.h>

#include <cmath>
#include <map>
#include <tuple>

#include "platform/fileio/atomic_file.h"
#include "platform/fileio/path_name.h"
#include "platform/interchange/face_looks.h"
#include "platform/interchange/file_bytes.h"
#include "platform/interchange/interchange.h"

namespace interchange {

namespace {

// The reader keeps a face's corner count in a byte.
constexpr int kMaxObjCorners = 255;

void Triple(std::string& out, const char* tag, float a, float b, float c) {
    out += tag;
    out += ' ';
    out += FloatText(a);
    out += ' ';
    out += FloatText(b);
    out += ' ';
    out += FloatText(c);
    out += '\n';
}

}  // namespace

bool SaveObjMesh(const rm::MeshBuilder& mesh, const std::string& path,
                 const std::vector<bool>& keepFaces, const TextureUri& textureUri,
                 std::string* error) {
    const size_t n = mesh.VertexCount(), faces = mesh.FaceCount();
    auto kept = [&](size_t f) { return KeptFace(keepFaces, f); };
    bool textured = false;
    std::vector<FaceLook> looks = FaceLooksOf(mesh, keepFaces, textureUri, textured);
    // A .mtl colour has no alpha: faces that differ only in it share a material.
    for (FaceLook& look : looks) look.color &= 0xFFFFFF;
    std::map<FaceLook, int> materials;
    for (size_t f = 0; f < faces; ++f)
        if (kept(f)) materials.emplace(looks[f], 0);
    // Materials numbered by first use, so the .mtl reads in the order of the faces.
    int next = 0;
    std::vector<const FaceLook*> order;
    for (size_t f = 0; f < faces; ++f) {
        if (!kept(f)) continue;
        int& index = materials[looks[f]];
        if (index == 0) {
            index = ++next;
            order.push_back(&looks[f]);
        }
    }

    const std::string mtlName = std::string(fileio::StemOf(path)) + ".mtl";
    std::string mtl = "# Mokkel\n";
    for (size_t i = 0; i < order.size(); ++i) {
        const FaceLook& look = *order[i];
        mtl += "\nnewmtl material" + std::to_string(i + 1) + "\n";
        Triple(mtl, "Kd", static_cast<float>((look.color >> 16) & 0xFF) / 255.0f,
               static_cast<float>((look.color >> 8) & 0xFF) / 255.0f,
               static_cast<float>(look.color & 0xFF) / 255.0f);
        if (look.hasMaterial) {
            Triple(mtl, "Ks", look.specular.r, look.specular.g, look.specular.b);
            Triple(mtl, "Ke", look.emissive.r, look.emissive.g, look.emissive.b);
            mtl += "Ns " + FloatText(look.power) + "\n";
        }
        mtl += look.hasMaterial ? "illum 2\n" : "illum 1\n";
        if (!look.texture.empty()) mtl += "map_Kd " + look.texture + "\n";
    }

    std::string obj = "# Mokkel\nmtllib " + mtlName + "\n";
    obj.reserve(n * 40 + faces * 24);
    for (size_t i = 0; i < n; ++i) {
        rm::Vector3 v;
        mesh.GetVertex(i, v);
        v = ToRightHanded(v);
        Triple(obj, "v", v.x, v.y, v.z);
    }
    // OBJ measures v from the image's bottom, the engine from its top.
    if (textured) {
        for (size_t i = 0; i < n; ++i) {
            float u = 0, v = 0;
            mesh.GetTextureCoordinates(i, u, v);
            obj += "vt " + FloatText(u) + ' ' + FloatText(1.0f - v) + '\n';
        }
    }
    int current = 0;
    std::vector<int> corners, picks;
    // One f line through the corners at `picks`.
    auto face = [&] {
        obj += 'f';
        for (const int k : picks) {
            const std::string index = std::to_string(corners[static_cast<size_t>(k)] + 1);
            obj += ' ';
            obj += index;
            if (textured) {
                obj += '/';
                obj += index;
            }
        }
        obj += '\n';
    };
    for (size_t f = 0; f < faces; ++f) {
        if (!kept(f)) continue;
        const int count = mesh.FaceVertexCount(f);
        if (count < 3) continue;
        const int material = materials[looks[f]];
        if (material != current) {
            obj += "usemtl material" + std::to_string(material) + "\n";
            current = material;
        }
        corners.clear();
        for (int k = 0; k < count; ++k)
            corners.push_back(mesh.FaceVertexIndex(f, static_cast<size_t>(k)));
        if (count <= kMaxObjCorners) {
            // Reversed, the first corner first: see interchange.h.
            picks.clear();
            for (int j = 0; j < count; ++j) picks.push_back(j == 0 ? 0 : count - j);
            face();
        } else {
            for (int k = 1; k + 1 < count; ++k) {
                picks = {0, k + 1, k};
                face();
            }
        }
    }
    if (!fileio::WriteFileAtomically(DirectoryOf(path) + mtlName, mtl, error)) return false;
    return fileio::WriteFileAtomically(path, obj, error);
}

namespace {

// The file named by the first mtllib line: the rest of the line as one name, or failing
// that its first word (the format separates several names by blanks).
std::string MaterialText(const std::string& obj, const std::string& directory) {
    size_t at = 0;
    while (at < obj.size()) {
        size_t end = obj.find('\n', at);
        if (end == std::string::npos) end = obj.size();
        std::string_view line(obj.data() + at, end - at);
        at = end + 1;
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
            line.remove_prefix(1);
        if (line.rfind("mtllib", 0) != 0 || line.size() < 7 || (line[6] != ' ' && line[6] != '\t'))
            continue;
        line.remove_prefix(7);
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
            line.remove_prefix(1);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
            line.remove_suffix(1);
        std::vector<unsigned char> bytes;
        const std::string whole(line);
        const std::string first(line.substr(0, line.find_first_of(" \t")));
        for (const std::string& name : {whole, first}) {
            if (name.empty()) continue;
            const std::string file = name[0] == '/' ? name : directory + name;
            if (ReadRegularFile(file, size_t{64} << 20, bytes))
                return std::string(bytes.begin(), bytes.end());
        }
        return {};
    }
    return {};
}

}  // namespace

bool LoadObjMesh(const std::string& path, rm::MeshBuilder& mesh, const TextureCallback& textures,
                 std::string* error) {
    const FileRefusal fail(path, error);
    std::vector<unsigned char> bytes;
    if (!ReadRegularFile(path, kMaxFileBytes, bytes, error)) return false;
    std::string text(bytes.begin(), bytes.end());
    std::vector<unsigned char>().swap(bytes);
    const std::string directory = DirectoryOf(path);
    const std::string mtl = MaterialText(text, directory);

    tinyobj::ObjReaderConfig config;
    config.triangulate = false;
    config.vertex_color = false;
    tinyobj::ObjReader reader;
    const bool parsed = reader.ParseFromString(text, mtl, config);
    std::string().swap(text);
    if (!parsed) {
        std::string why = reader.Error();
        while (!why.empty() && why.back() == '\n') why.pop_back();
        return fail(why.empty() ? "not an OBJ file" : why);
    }
    const tinyobj::attrib_t& attrib = reader.GetAttrib();
    const size_t positions = attrib.vertices.size() / 3;
    const size_t coords = attrib.texcoords.size() / 2;
    if (positions > kMaxReadVertices) return fail("too many vertices");

    std::vector<rm::Vector3> vertices(positions);
    for (size_t i = 0; i < positions; ++i) {
        const rm::Vector3 v{static_cast<float>(attrib.vertices[3 * i]),
                            static_cast<float>(attrib.vertices[3 * i + 1]),
                            static_cast<float>(attrib.vertices[3 * i + 2])};
        if (!std::isfinite(v.x) || !std::isfinite(v.y) || !std::isfinite(v.z))
            return fail("a position is not a finite number");
        vertices[i] = FromRightHanded(v);
    }
    std::vector<rm::TexCoord> uvs(positions);
    std::vector<int> uvOf(positions, -1);            // the texture coordinate index a vertex took
    std::map<std::pair<int, int>, uint32_t> copies;  // (position, coordinate) to copy

    const std::vector<tinyobj::material_t>& materials = reader.GetMaterials();
    std::vector<ReadLook> looks(materials.size());
    std::map<std::string, rm::TexturePtr> images;
    for (size_t i = 0; i < materials.size(); ++i) {
        const tinyobj::material_t& m = materials[i];
        ReadLook& look = looks[i];
        look.color = rm::ColorFromRgba(m.diffuse[0], m.diffuse[1], m.diffuse[2]);
        look.material = rm::Material::Create(std::isfinite(m.shininess) ? m.shininess : 0.0f);
        look.material->SetSpecular(m.specular[0], m.specular[1], m.specular[2]);
        look.material->SetEmissive(m.emission[0], m.emission[1], m.emission[2]);
        if (!m.diffuse_texname.empty() && textures) {
            auto it = images.find(m.diffuse_texname);
            if (it == images.end())
                it = images.emplace(m.diffuse_texname, textures(m.diffuse_texname)).first;
            look.texture = it->second;
        }
    }
    const ReadLook plain;

    std::vector<uint32_t> faceData;
    std::vector<const ReadLook*> faceLooks;
    for (const tinyobj::shape_t& shape : reader.GetShapes()) {
        const tinyobj::mesh_t& m = shape.mesh;
        size_t at = 0;
        for (size_t f = 0; f < m.num_face_vertices.size(); ++f) {
            const size_t count = m.num_face_vertices[f];
            if (count > m.indices.size() - at) return fail("a face has more corners than indices");
            if (count < 3) {
                at += count;
                continue;
            }
            if (faceLooks.size() >= kMaxReadFaces) return fail("too many faces");
            faceData.push_back(static_cast<uint32_t>(count));
            for (size_t j = 0; j < count; ++j) {
                // Reversed, the first corner first: see interchange.h.
                const tinyobj::index_t& c = m.indices[at + (j == 0 ? 0 : count - j)];
                if (c.vertex_index < 0 || static_cast<size_t>(c.vertex_index) >= positions)
                    return fail("a face names a vertex that is not there");
                uint32_t vertex = static_cast<uint32_t>(c.vertex_index);
                const int t = c.texcoord_index;
                if (t >= 0 && static_cast<size_t>(t) < coords) {
                    const rm::TexCoord uv{
                        static_cast<float>(attrib.texcoords[2 * static_cast<size_t>(t)]),
                        1.0f -
                            static_cast<float>(attrib.texcoords[2 * static_cast<size_t>(t) + 1])};
                    if (uvOf[vertex] < 0) {
                        uvOf[vertex] = t;
                        uvs[vertex] = uv;
                    } else if (uvOf[vertex] != t &&
                               (uvs[vertex].u != uv.u || uvs[vertex].v != uv.v)) {
                        // One position with two coordinates: the model holds one per point.
                        auto [it, made] = copies.emplace(std::make_pair(c.vertex_index, t),
                                                         static_cast<uint32_t>(vertices.size()));
                        if (made) {
                            if (vertices.size() >= kMaxReadVertices)
                                return fail("too many vertices");
                            vertices.push_back(vertices[vertex]);
                            uvs.push_back(uv);
                            uvOf.push_back(t);
                        }
                        vertex = it->second;
                    }
                }
                faceData.push_back(vertex);
            }
            at += count;
            const int material = f < m.material_ids.size() ? m.material_ids[f] : -1;
            faceLooks.push_back(material >= 0 && static_cast<size_t>(material) < looks.size()
                                    ? &looks[static_cast<size_t>(material)]
                                    : &plain);
        }
        if (at != m.indices.size()) return fail("a polygon has more than 255 corners");
    }
    std::vector<bool> hasUv(uvOf.size());
    for (size_t i = 0; i < uvOf.size(); ++i) hasUv[i] = uvOf[i] >= 0;
    if (!AppendReadFaces(mesh, vertices, faceData, faceLooks, uvs, hasUv))
        return fail("the faces could not be added");
    return true;
}

}  // namespace interchange
