#include "platform/xfile/x_writer.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <unordered_map>

#include "platform/fileio/atomic_file.h"
#include "platform/xfile/x_binary_lexer.h"
#include "platform/xfile/x_mszip.h"

namespace xfile {
namespace {

bool SetError(std::string* error, const char* why) {
    if (error) *error = why;
    return false;
}

// Names may hold anything but white space and the text format's punctuation.
std::string CleanName(const std::string& name) {
    std::string out = name;
    for (char& c : out)
        if (static_cast<unsigned char>(c) <= ' ' || std::strchr("{}<>;,\"()[]", c)) c = '_';
    return out;
}

class TextSink {
public:
    explicit TextSink(std::string& out) : out_(out) {}

    void Begin(const char* type, const std::string& name) {
        Indent();
        out_ += type;
        if (!name.empty()) out_ += ' ', out_ += CleanName(name);
        out_ += " {\n";
        ++depth_;
    }
    void End() {
        --depth_;
        Indent();
        out_ += "}\n";
    }
    void Count(uint32_t n) {
        Indent();
        Int(n);
        out_ += ";\n";
    }
    void Vectors(const XVector* v, size_t n) {
        for (size_t i = 0; i < n; ++i) {
            Indent();
            Float(v[i].x), out_ += ';', Float(v[i].y), out_ += ';', Float(v[i].z), out_ += ';';
            out_ += i + 1 < n ? ",\n" : ";\n";
        }
    }
    void Coords(const XCoords2d* c, size_t n) {
        for (size_t i = 0; i < n; ++i) {
            Indent();
            Float(c[i].u), out_ += ';', Float(c[i].v), out_ += ';';
            out_ += i + 1 < n ? ",\n" : ";\n";
        }
    }
    void Faces(const std::vector<uint32_t>& data) {
        for (size_t at = 0; at < data.size();) {
            const uint32_t k = data[at];
            Indent();
            Int(k);
            out_ += ';';
            for (uint32_t i = 1; i <= k; ++i) {
                Int(data[at + i]);
                out_ += i < k ? ',' : ';';
            }
            at += 1 + k;
            out_ += at < data.size() ? ",\n" : ";\n";
        }
    }
    void Uints(const uint32_t* v, size_t n) {
        for (size_t i = 0; i < n; ++i) {
            Indent();
            Int(v[i]);
            out_ += i + 1 < n ? ",\n" : ";\n";
        }
    }
    void Wraps(const std::vector<XFaceWrap>& w) {
        for (size_t i = 0; i < w.size(); ++i) {
            Indent();
            out_ += w[i].u ? "1;" : "0;";
            out_ += w[i].v ? "1;" : "0;";
            out_ += i + 1 < w.size() ? ",\n" : ";\n";
        }
    }
    void IndexedColors(const std::vector<XColorRgba>& c) {
        for (size_t i = 0; i < c.size(); ++i) {
            Indent();
            Int(uint32_t(i));
            out_ += ';';
            Float(c[i].r), out_ += ';', Float(c[i].g), out_ += ';';
            Float(c[i].b), out_ += ';', Float(c[i].a), out_ += ";;";
            out_ += i + 1 < c.size() ? ",\n" : ";\n";
        }
    }
    // A member that is a structure of floats (a colour), or a single float when n is 1.
    void FloatMember(const float* v, size_t n) {
        Indent();
        for (size_t i = 0; i < n; ++i) Float(v[i]), out_ += ';';
        out_ += n > 1 ? ";\n" : "\n";
    }
    void String(const std::string& s) {
        Indent();
        out_ += '"';
        for (char c : s) out_ += c == '"' ? '_' : c;
        out_ += "\";\n";
    }
    void Finish() {}

private:
    void Indent() { out_.append(size_t(depth_), ' '); }
    void Int(uint32_t v) {
        char buf[16];
        auto r = std::to_chars(buf, buf + sizeof buf, v);
        out_.append(buf, r.ptr);
    }
    void Float(float v) {
        if (!std::isfinite(v)) v = 0;
        char buf[32];
        auto r = std::to_chars(buf, buf + sizeof buf, v);
        out_.append(buf, r.ptr);
    }

    std::string& out_;
    int depth_ = 0;
};

// Binary: runs of integers and of floats are gathered into one list token each.
class BinarySink {
public:
    explicit BinarySink(std::string& out) : out_(out) {}

    void Begin(const char* type, const std::string& name) {
        Flush();
        Named(token::kName, type);
        if (!name.empty()) Named(token::kName, CleanName(name));
        Token(token::kOBrace);
    }
    void End() {
        Flush();
        Token(token::kCBrace);
    }
    void Count(uint32_t n) { Int(n); }
    // Big arrays go straight to the output, joined to the list of numbers before them.
    void Vectors(const XVector* v, size_t n) {
        FlushInts();
        FloatListHeader(floats_.size() + 3 * n);
        for (size_t i = 0; i < n; ++i) Raw(v[i].x), Raw(v[i].y), Raw(v[i].z);
    }
    void Coords(const XCoords2d* c, size_t n) {
        FlushInts();
        FloatListHeader(floats_.size() + 2 * n);
        for (size_t i = 0; i < n; ++i) Raw(c[i].u), Raw(c[i].v);
    }
    void Faces(const std::vector<uint32_t>& data) { Uints(data.data(), data.size()); }
    void Uints(const uint32_t* v, size_t n) {
        FlushFloats();
        Token(token::kIntegerList);
        Dword(uint32_t(ints_.size() + n));
        for (uint32_t x : ints_) Dword(x);
        ints_.clear();
        for (size_t i = 0; i < n; ++i) Dword(v[i]);
    }
    void Wraps(const std::vector<XFaceWrap>& w) {
        for (const XFaceWrap& x : w) Int(x.u), Int(x.v);
    }
    void IndexedColors(const std::vector<XColorRgba>& c) {
        for (size_t i = 0; i < c.size(); ++i)
            Int(uint32_t(i)), Float(c[i].r), Float(c[i].g), Float(c[i].b), Float(c[i].a);
    }
    void FloatMember(const float* v, size_t n) {
        for (size_t i = 0; i < n; ++i) Float(v[i]);
    }
    void String(const std::string& s) {
        Flush();
        Named(token::kString, s);
        Token(token::kSemicolon);
    }
    void Finish() { Flush(); }

private:
    void Int(uint32_t v) {
        FlushFloats();
        ints_.push_back(v);
    }
    void Float(float v) {
        FlushInts();
        floats_.push_back(std::isfinite(v) ? v : 0.0f);
    }
    void Token(uint16_t t) {
        out_.push_back(char(t & 0xFF));
        out_.push_back(char(t >> 8));
    }
    void Dword(uint32_t v) {
        for (int i = 0; i < 4; ++i) out_.push_back(char((v >> (8 * i)) & 0xFF));
    }
    void Named(uint16_t t, const std::string& s) {
        Token(t);
        Dword(uint32_t(s.size()));
        out_ += s;
    }
    void FlushInts() {
        if (ints_.empty()) return;
        Token(token::kIntegerList);
        Dword(uint32_t(ints_.size()));
        for (uint32_t v : ints_) Dword(v);
        ints_.clear();
    }
    void FlushFloats() {
        if (floats_.empty()) return;
        FloatListHeader(floats_.size());
    }
    // Starts a float list of `count` numbers, the pending ones first.
    void FloatListHeader(size_t count) {
        Token(token::kFloatList);
        Dword(uint32_t(count));
        for (float v : floats_) Dword(std::bit_cast<uint32_t>(v));
        floats_.clear();
    }
    void Raw(float v) { Dword(std::bit_cast<uint32_t>(std::isfinite(v) ? v : 0.0f)); }
    void Flush() { FlushInts(), FlushFloats(); }

    std::string& out_;
    std::vector<uint32_t> ints_;
    std::vector<float> floats_;
};

bool ValidFaces(const std::vector<uint32_t>& data, uint32_t count, size_t limit) {
    size_t at = 0;
    for (uint32_t f = 0; f < count; ++f) {
        if (at >= data.size() || data[at] == 0 || data[at] > data.size() - at - 1) return false;
        const uint32_t k = data[at];
        for (uint32_t i = 1; i <= k; ++i)
            if (data[at + i] >= limit) return false;
        at += 1 + k;
    }
    return at == data.size();
}

bool SameShape(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
    if (a.size() != b.size()) return false;
    for (size_t at = 0; at < a.size(); at += 1 + a[at])
        if (a[at] != b[at]) return false;
    return true;
}

// Vertex normals as the area-weighted mean of the normals of the faces around each vertex.
// Front faces run clockwise in a left-handed frame, so (b - a) x (c - a) faces front.
std::vector<XVector> MakeVertexNormals(const XMesh& mesh) {
    std::vector<XVector> n(mesh.vertices.size());
    for (size_t at = 0; at < mesh.faceData.size(); at += 1 + mesh.faceData[at]) {
        const uint32_t k = mesh.faceData[at];
        const XVector& a = mesh.vertices[mesh.faceData[at + 1]];
        XVector sum;
        for (uint32_t i = 2; i < k; ++i) {
            const XVector& b = mesh.vertices[mesh.faceData[at + i]];
            const XVector& c = mesh.vertices[mesh.faceData[at + i + 1]];
            const XVector u{b.x - a.x, b.y - a.y, b.z - a.z}, v{c.x - a.x, c.y - a.y, c.z - a.z};
            sum.x += u.y * v.z - u.z * v.y;
            sum.y += u.z * v.x - u.x * v.z;
            sum.z += u.x * v.y - u.y * v.x;
        }
        for (uint32_t i = 1; i <= k; ++i) {
            XVector& t = n[mesh.faceData[at + i]];
            t.x += sum.x, t.y += sum.y, t.z += sum.z;
        }
    }
    for (XVector& v : n) {
        const float len = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
        if (len > 0)
            v.x /= len, v.y /= len, v.z /= len;
        else
            v = {0, 1, 0};
    }
    return n;
}

struct MaterialHash {
    size_t operator()(const XMaterial& m) const {
        size_t h = std::hash<std::string>()(m.textureFile);
        const float values[] = {m.r,           m.g,           m.b,           m.a,
                                m.power,       m.specular[0], m.specular[1], m.specular[2],
                                m.emissive[0], m.emissive[1], m.emissive[2]};
        for (float v : values) h = h * 1099511628211ull ^ std::bit_cast<uint32_t>(v + 0.0f);
        return h;
    }
};

template <class Sink>
void Emit(Sink& s, const XMesh& mesh, uint32_t flags, const std::vector<XMaterial>& materials,
          const std::vector<uint32_t>& faceMaterials, const std::vector<XVector>& madeNormals) {
    s.Begin("Mesh", mesh.name);
    s.Count(uint32_t(mesh.vertices.size()));
    s.Vectors(mesh.vertices.data(), mesh.vertices.size());
    s.Count(mesh.faceCount);
    s.Faces(mesh.faceData);

    if (flags & kSaveNormals) {
        const bool own = !mesh.normals.empty();
        const std::vector<XVector>& normals = own ? mesh.normals : madeNormals;
        s.Begin("MeshNormals", "");
        s.Count(uint32_t(normals.size()));
        s.Vectors(normals.data(), normals.size());
        s.Count(mesh.faceCount);
        s.Faces(own ? mesh.faceNormalData : mesh.faceData);
        s.End();
    }
    const bool coords = (flags & kSaveTextureCoords) && !mesh.textureCoords.empty();
    if (coords) {
        s.Begin("MeshTextureCoords", "");
        s.Count(uint32_t(mesh.textureCoords.size()));
        s.Coords(mesh.textureCoords.data(), mesh.textureCoords.size());
        s.End();
    }
    if (!mesh.vertexColors.empty()) {
        s.Begin("MeshVertexColors", "");
        s.Count(uint32_t(mesh.vertexColors.size()));
        s.IndexedColors(mesh.vertexColors);
        s.End();
    }
    if ((flags & kSaveMaterials) && !materials.empty()) {
        s.Begin("MeshMaterialList", "");
        s.Count(uint32_t(materials.size()));
        s.Count(uint32_t(faceMaterials.size()));
        s.Uints(faceMaterials.data(), faceMaterials.size());
        for (const XMaterial& m : materials) {
            s.Begin("Material", "");
            const float color[4] = {m.r, m.g, m.b, m.a};
            s.FloatMember(color, 4);
            s.FloatMember(&m.power, 1);
            s.FloatMember(m.specular, 3);
            s.FloatMember(m.emissive, 3);
            if (!m.textureFile.empty()) {
                s.Begin("TextureFilename", "");
                s.String(m.textureFile);
                s.End();
            }
            s.End();
        }
        s.End();
    }
    if ((flags & kSaveTextureTopology) && (!mesh.faceWraps.empty() || coords)) {
        const std::vector<XFaceWrap> none(mesh.faceWraps.empty() ? mesh.faceCount : 0);
        const std::vector<XFaceWrap>& wraps = mesh.faceWraps.empty() ? none : mesh.faceWraps;
        s.Begin("MeshFaceWraps", "");
        s.Count(uint32_t(wraps.size()));
        s.Wraps(wraps);
        s.End();
    }
    s.End();
    s.Finish();
}

}  // namespace

bool EncodeXMesh(const XMesh& mesh, XFormat format, uint32_t flags, std::string& out,
                 std::string* error) {
    out.clear();
    const size_t nv = mesh.vertices.size();
    if (nv > 0xFFFFFFFFu) return SetError(error, "too many vertices");
    if (!ValidFaces(mesh.faceData, mesh.faceCount, nv))
        return SetError(error, "the faces do not fit the vertex list");
    if (!mesh.normals.empty() &&
        (!ValidFaces(mesh.faceNormalData, mesh.faceCount, mesh.normals.size()) ||
         !SameShape(mesh.faceData, mesh.faceNormalData)))
        return SetError(error, "the normal faces do not fit the faces");
    if (!mesh.textureCoords.empty() && mesh.textureCoords.size() != nv)
        return SetError(error, "texture coordinates do not match the vertices");
    if (!mesh.vertexColors.empty() && mesh.vertexColors.size() != nv)
        return SetError(error, "vertex colours do not match the vertices");
    if (!mesh.faceWraps.empty() && mesh.faceWraps.size() != mesh.faceCount)
        return SetError(error, "face wraps do not match the faces");
    if (!mesh.faceMaterials.empty() && mesh.faceMaterials.size() != mesh.faceCount)
        return SetError(error, "face materials do not match the faces");
    for (uint32_t i : mesh.faceMaterials)
        if (i >= mesh.materials.size()) return SetError(error, "a face names a missing material");

    // One Material per distinct material, in the order faces first use them.
    std::vector<XMaterial> materials;
    std::vector<uint32_t> faceMaterials;
    if ((flags & kSaveMaterials) && !mesh.faceMaterials.empty()) {
        std::unordered_map<XMaterial, uint32_t, MaterialHash> seen;
        std::vector<uint32_t> remap(mesh.materials.size(), UINT32_MAX);
        faceMaterials.reserve(mesh.faceCount);
        for (uint32_t i : mesh.faceMaterials) {
            if (remap[i] == UINT32_MAX) {
                XMaterial m = mesh.materials[i];
                if (!(flags & kSaveTextureNames)) m.textureFile.clear();
                auto [it, added] = seen.emplace(m, uint32_t(materials.size()));
                if (added) materials.push_back(std::move(m));
                remap[i] = it->second;
            }
            faceMaterials.push_back(remap[i]);
        }
    }
    std::vector<XVector> madeNormals;
    if ((flags & kSaveNormals) && mesh.normals.empty()) madeNormals = MakeVertexNormals(mesh);

    const bool binary = format == XFormat::kBinary || format == XFormat::kBinaryZip;
    const bool zipped = format == XFormat::kTextZip || format == XFormat::kBinaryZip;
    static constexpr const char* kKinds[] = {"txt ", "bin ", "tzip", "bzip"};
    std::string header = std::string("xof 0302") + kKinds[int(format)] + "0032";
    std::string body = zipped ? std::string() : header;
    body.reserve(nv * (binary ? 12 : 30) + mesh.faceData.size() * (binary ? 4 : 8) + 256);
    // A text header's line break belongs to the body, so it is compressed with it.
    if (!binary) body += "\n";
    if (binary) {
        BinarySink sink(body);
        Emit(sink, mesh, flags, materials, faceMaterials, madeNormals);
    } else {
        TextSink sink(body);
        Emit(sink, mesh, flags, materials, faceMaterials, madeNormals);
    }
    if (!zipped) {
        out = std::move(body);
        return true;
    }
    std::string packed;
    if (!DeflateMsZip(body, packed)) return SetError(error, "compression failed");
    out = std::move(header);
    out += packed;
    return true;
}

bool WriteXFile(const std::string& path, const XMesh& mesh, XFormat format, uint32_t flags,
                std::string* error) {
    std::string bytes;
    if (!EncodeXMesh(mesh, format, flags, bytes, error)) {
        if (error) *error = path + ": " + *error;
        return false;
    }
    return fileio::WriteFileAtomically(path, bytes, error);
}

}  // namespace xfile
