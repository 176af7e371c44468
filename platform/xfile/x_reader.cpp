#include "platform/xfile/x_reader.h"

#include <strings.h>
#include <sys/stat.h>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <unordered_map>
#include <unordered_set>

#include "platform/xfile/x_binary_lexer.h"
#include "platform/xfile/x_mszip.h"
#include "platform/xfile/x_text_lexer.h"

namespace xfile {
namespace {

constexpr size_t kHeaderSize = 16;

bool Is(const std::string& a, const char* b) {
    return strcasecmp(a.c_str(), b) == 0;
}

// A reference from a frame to a mesh by name, resolved once the whole file is read so that
// the frames can grow freely while parsing. The frame is known by its place in a depth-first
// walk and the name is a view into the input, so a reference costs little more memory than
// its text.
struct PendingReference {
    uint32_t frame;
    std::string_view name;
};

template <class Lexer>
class Parser {
public:
    Parser(Lexer& lex, XFile& file, const XReadOptions& options, size_t bodySize)
        : lex_(lex), file_(file), options_(options), copyBudget_(2 * bodySize + (1u << 20)) {}

    bool Run() {
        while (true) {
            switch (lex_.Peek()) {
                case TokenKind::kEnd:
                    return ResolveReferences();
                case TokenKind::kTemplate:
                    if (!SkipTemplate()) return false;
                    break;
                case TokenKind::kName:
                    if (!TopObject()) return false;
                    break;
                default:
                    return Fail("unexpected data at the top level");
            }
        }
    }

    std::string Error() const {
        std::string why = error_ ? error_ : lex_.Error() ? lex_.Error() : "read failed";
        // A file offset for plain files, an offset into the inflated data for compressed ones.
        return why + " (at byte " + std::to_string(errorOffset_ + kHeaderSize) + ")";
    }

private:
    bool Fail(const char* why) {
        if (!error_ && !lex_.Error()) error_ = why;
        errorOffset_ = lex_.Offset();
        return false;
    }
    bool Check(bool ok) {
        if (!ok) errorOffset_ = lex_.Offset();
        return ok;
    }

    // Room for `count` items of `numbers` numbers each in what is left of the input.
    bool Fits(uint64_t count, uint64_t numbers) {
        if (count * numbers * Lexer::kMinNumberBytes > lex_.Remaining())
            return Fail("a count is larger than the data that follows it");
        return true;
    }

    bool SkipTemplate();

    // Type, optional name, optional GUID and the opening brace of a data object.
    bool Header(std::string& type, std::string& name) {
        if (!Check(lex_.ReadName(type))) return false;
        name.clear();
        TokenKind k = lex_.Peek();
        if (k != TokenKind::kOBrace && k != TokenKind::kGuid) {
            if (!Check(lex_.ReadName(name))) return false;
            k = lex_.Peek();
        }
        if (k == TokenKind::kGuid && !Check(lex_.SkipGuid())) return false;
        return Check(lex_.Consume(TokenKind::kOBrace));
    }

    // A reference "{ name [guid] }" after its opening brace has been seen.
    bool Reference(std::string_view& name) {
        if (!Check(lex_.Consume(TokenKind::kOBrace))) return false;
        name = {};
        if (lex_.Peek() != TokenKind::kCBrace && !Check(lex_.ReadNameView(name))) return false;
        if (lex_.Peek() == TokenKind::kGuid && !Check(lex_.SkipGuid())) return false;
        return Check(lex_.Consume(TokenKind::kCBrace));
    }

    // The rest of an object after its fields, up to and with its closing brace: each named
    // child goes to child(type, name), each reference to reference(name); either returns
    // false to stop. The two texts say what went wrong inside which object.
    template <typename Child, typename Ref>
    bool Children(const char* endsInside, const char* tooMuch, Child child, Ref reference) {
        std::string type, name;
        std::string_view ref;
        while (true) {
            switch (lex_.Peek()) {
                case TokenKind::kCBrace:
                    return Check(lex_.Consume(TokenKind::kCBrace));
                case TokenKind::kOBrace:
                    if (!Reference(ref) || !reference(ref)) return false;
                    break;
                case TokenKind::kName:
                    if (!Header(type, name) || !child(type, name)) return false;
                    break;
                case TokenKind::kEnd:
                    return Fail(endsInside);
                default:
                    return Fail(tooMuch);
            }
        }
    }
    bool SkipChild() { return Check(lex_.SkipBody()); }
    static bool IgnoreReference(std::string_view) { return true; }

    // Skips every child of an object the reader has taken its fields from, and its end.
    bool Finish() {
        return Children(
            "the file ends inside an object", "an object has more data than its template holds",
            [this](const std::string&, const std::string&) { return SkipChild(); },
            IgnoreReference);
    }

    bool TopObject() {
        std::string type, name;
        if (!Header(type, name)) return false;
        if (Is(type, "Mesh")) {
            XMesh mesh;
            mesh.name = name;
            if (!Mesh(mesh)) return false;
            file_.meshes.push_back(std::move(mesh));
            return true;
        }
        if (Is(type, "Frame")) {
            file_.frames.emplace_back();
            file_.frames.back().name = name;
            return Frame(file_.frames.back(), 1);
        }
        if (Is(type, "Material")) {
            XMaterial material;
            if (!Material(material)) return false;
            if (!name.empty()) materials_[name] = std::move(material);
            return true;
        }
        return Check(lex_.SkipBody());
    }

    bool Floats(float* out, size_t n) {
        for (size_t i = 0; i < n; ++i)
            if (!Check(lex_.ReadFloat(out[i]))) return false;
        return true;
    }

    bool Vectors(std::vector<XVector>& out) {
        uint32_t n;
        if (!Check(lex_.ReadUint(n)) || !Fits(n, 3)) return false;
        out.resize(n);
        for (XVector& v : out)
            if (!Check(lex_.ReadFloat(v.x) && lex_.ReadFloat(v.y) && lex_.ReadFloat(v.z)))
                return false;
        return true;
    }

    // Faces as count-prefixed index runs, each index below `limit`; `shape` when given is a
    // face list whose vertex counts these faces must repeat (the normals' faces).
    bool Faces(std::vector<uint32_t>& out, uint32_t& count, uint32_t limit,
               const std::vector<uint32_t>* shape) {
        if (!Check(lex_.ReadUint(count)) || !Fits(count, 2)) return false;
        out.clear();
        out.reserve(std::min<size_t>(size_t(count) * 4, lex_.Remaining() / Lexer::kMinNumberBytes));
        size_t at = 0;
        for (uint32_t f = 0; f < count; ++f) {
            uint32_t k;
            if (!Check(lex_.ReadUint(k))) return false;
            if (k == 0) return Fail("a face has no vertices");
            if (!Fits(k, 1)) return false;
            if (shape) {
                if (at >= shape->size() || (*shape)[at] != k)
                    return Fail("normal faces do not match the faces");
                at += 1 + k;
            }
            out.push_back(k);
            for (uint32_t i = 0; i < k; ++i) {
                uint32_t index;
                if (!Check(lex_.ReadUint(index))) return false;
                if (index >= limit) return Fail("a face index lies beyond its list");
                out.push_back(index);
            }
        }
        return true;
    }

    bool Mesh(XMesh& mesh) {
        if (!Vectors(mesh.vertices)) return false;
        if (!Faces(mesh.faceData, mesh.faceCount, uint32_t(mesh.vertices.size()), nullptr))
            return false;
        auto child = [&](const std::string& type, const std::string&) {
            if (Is(type, "MeshNormals")) return Normals(mesh);
            if (Is(type, "MeshTextureCoords")) return TextureCoords(mesh);
            if (Is(type, "MeshMaterialList")) return MaterialList(mesh);
            if (Is(type, "MeshVertexColors")) return VertexColors(mesh);
            if (Is(type, "MeshFaceWraps")) return FaceWraps(mesh);
            return SkipChild();
        };
        return Children("the file ends inside a mesh",
                        "a mesh has more data than its template holds", child, IgnoreReference);
    }

    bool Normals(XMesh& mesh) {
        if (!Vectors(mesh.normals)) return false;
        uint32_t count;
        if (!Faces(mesh.faceNormalData, count, uint32_t(mesh.normals.size()), &mesh.faceData))
            return false;
        if (count != mesh.faceCount) return Fail("normal faces do not match the faces");
        return Finish();
    }

    bool TextureCoords(XMesh& mesh) {
        uint32_t n;
        if (!Check(lex_.ReadUint(n)) || !Fits(n, 2)) return false;
        if (n != mesh.vertices.size()) return Fail("texture coordinates do not match the vertices");
        mesh.textureCoords.resize(n);
        for (XCoords2d& c : mesh.textureCoords)
            if (!Check(lex_.ReadFloat(c.u) && lex_.ReadFloat(c.v))) return false;
        return Finish();
    }

    bool VertexColors(XMesh& mesh) {
        uint32_t n;
        if (!Check(lex_.ReadUint(n)) || !Fits(n, 5)) return false;
        mesh.vertexColors.assign(mesh.vertices.size(), XColorRgba{});
        for (uint32_t i = 0; i < n; ++i) {
            uint32_t index;
            XColorRgba c;
            if (!Check(lex_.ReadUint(index) && lex_.ReadFloat(c.r) && lex_.ReadFloat(c.g) &&
                       lex_.ReadFloat(c.b) && lex_.ReadFloat(c.a)))
                return false;
            if (index >= mesh.vertexColors.size())
                return Fail("a vertex colour names a vertex beyond the list");
            mesh.vertexColors[index] = c;
        }
        return Finish();
    }

    bool FaceWraps(XMesh& mesh) {
        uint32_t n;
        if (!Check(lex_.ReadUint(n)) || !Fits(n, 2)) return false;
        if (n != mesh.faceCount) return Fail("face wraps do not match the faces");
        mesh.faceWraps.resize(n);
        for (XFaceWrap& w : mesh.faceWraps) {
            uint32_t u, v;
            if (!Check(lex_.ReadUint(u) && lex_.ReadUint(v))) return false;
            w.u = u != 0;
            w.v = v != 0;
        }
        return Finish();
    }

    bool MaterialList(XMesh& mesh) {
        uint32_t count, indexCount;
        if (!Check(lex_.ReadUint(count) && lex_.ReadUint(indexCount)) || !Fits(indexCount, 1))
            return false;
        // Some exporters write fewer indices than faces (often one for all): the last one
        // holds for the rest. Extra indices are dropped.
        mesh.materials.clear();
        mesh.faceMaterials.assign(mesh.faceCount, 0);
        uint32_t last = 0;
        for (uint32_t i = 0; i < indexCount; ++i) {
            if (!Check(lex_.ReadUint(last))) return false;
            if (last >= count) return Fail("a face names a material beyond the list");
            if (i < mesh.faceCount) mesh.faceMaterials[i] = last;
        }
        for (uint32_t i = indexCount; i < mesh.faceCount; ++i) mesh.faceMaterials[i] = last;
        if (count == 0) mesh.faceMaterials.clear();

        auto reference = [&](std::string_view name) {
            auto it = materials_.find(std::string(name));
            if (it == materials_.end())
                return Fail("a material list refers to an unknown material");
            if (!Spend(sizeof(XMaterial) + it->second.textureFile.size())) return false;
            mesh.materials.push_back(it->second);
            return true;
        };
        auto child = [&](const std::string& type, const std::string& name) {
            if (!Is(type, "Material")) return SkipChild();
            XMaterial material;
            if (!Material(material)) return false;
            if (!name.empty()) materials_[name] = material;
            mesh.materials.push_back(std::move(material));
            return true;
        };
        if (!Children("the file ends inside a material list",
                      "a material list has more data than its template holds", child, reference))
            return false;
        if (mesh.materials.size() < count)
            return Fail("a material list holds fewer materials than it counts");
        return true;
    }

    bool Material(XMaterial& m) {
        if (!Floats(&m.r, 1) || !Floats(&m.g, 1) || !Floats(&m.b, 1) || !Floats(&m.a, 1) ||
            !Floats(&m.power, 1) || !Floats(m.specular, 3) || !Floats(m.emissive, 3))
            return false;
        auto child = [&](const std::string& type, const std::string&) {
            if (!Is(type, "TextureFilename")) return SkipChild();
            std::string texture;
            if (!Check(lex_.ReadString(texture)) || !Finish()) return false;
            if (m.textureFile.empty()) m.textureFile = texture;
            NoteTexture(texture);
            return true;
        };
        return Children("the file ends inside a material",
                        "a material has more data than its template holds", child, IgnoreReference);
    }

    void NoteTexture(const std::string& texture) {
        if (texturesSeen_.insert(texture).second) file_.textureFiles.push_back(texture);
        if (options_.onTexture) options_.onTexture(texture);
    }

    bool Frame(XFrame& frame, int depth) {
        if (depth > kMaxFrameDepth) return Fail("frames are nested too deeply");
        const uint32_t number = frameCount_++;
        auto reference = [&](std::string_view name) {
            pending_.push_back({number, name});
            return true;
        };
        auto child = [&](const std::string& type, const std::string& name) {
            if (Is(type, "FrameTransformMatrix")) return Floats(frame.transform.m, 16) && Finish();
            if (Is(type, "Mesh")) {
                XMesh mesh;
                mesh.name = name;
                if (!Mesh(mesh)) return false;
                frame.meshes.push_back(std::move(mesh));
                return true;
            }
            if (Is(type, "Frame")) {
                frame.children.emplace_back();
                XFrame& childFrame = frame.children.back();
                childFrame.name = name;
                return Frame(childFrame, depth + 1);
            }
            return SkipChild();
        };
        return Children("the file ends inside a frame",
                        "a frame has more data than its template holds", child, reference);
    }

    // References copy what they name; the copies are bounded by the input's size so that a
    // thousand references to one big object cannot eat memory.
    bool Spend(size_t bytes) {
        if (bytes > copyBudget_) return Fail("references copy more data than the file holds");
        copyBudget_ -= bytes;
        return true;
    }

    static size_t Weight(const XMesh& m) {
        return m.vertices.size() * sizeof(XVector) + m.faceData.size() * 4 +
               m.normals.size() * sizeof(XVector) + m.faceNormalData.size() * 4 +
               m.textureCoords.size() * sizeof(XCoords2d) +
               m.vertexColors.size() * sizeof(XColorRgba) + m.materials.size() * sizeof(XMaterial) +
               m.faceMaterials.size() * 4 + m.faceWraps.size() * sizeof(XFaceWrap) + 64;
    }

    static void CollectMeshes(XFrame& frame,
                              std::unordered_map<std::string_view, const XMesh*>& out) {
        for (const XMesh& m : frame.meshes)
            if (!m.name.empty()) out.emplace(m.name, &m);
        for (XFrame& c : frame.children) CollectMeshes(c, out);
    }

    // The frames in the order Frame() numbered them.
    static void NumberFrames(XFrame& frame, std::vector<XFrame*>& out) {
        out.push_back(&frame);
        for (XFrame& c : frame.children) NumberFrames(c, out);
    }

    // Copies referenced meshes into their frames.
    bool ResolveReferences() {
        if (pending_.empty()) return true;
        std::unordered_map<std::string_view, const XMesh*> named;
        for (const XMesh& m : file_.meshes)
            if (!m.name.empty()) named.emplace(m.name, &m);
        for (XFrame& f : file_.frames) CollectMeshes(f, named);
        std::vector<XFrame*> frames;
        frames.reserve(frameCount_);
        for (XFrame& f : file_.frames) NumberFrames(f, frames);
        // Resolve into a side list first: appending to a frame while other references point
        // at its meshes would move them.
        std::vector<std::pair<XFrame*, XMesh>> copies;
        for (const PendingReference& ref : pending_) {
            auto it = named.find(ref.name);
            if (it == named.end() || ref.frame >= frames.size())
                continue;  // a reference to something other than a mesh
            const size_t w = Weight(*it->second);
            if (!Spend(w)) return false;
            copies.emplace_back(frames[ref.frame], *it->second);
        }
        for (auto& [frame, mesh] : copies) frame->meshes.push_back(std::move(mesh));
        return true;
    }

    Lexer& lex_;
    XFile& file_;
    const XReadOptions& options_;
    size_t copyBudget_;  // bytes that references may still copy
    const char* error_ = nullptr;
    size_t errorOffset_ = 0;
    std::unordered_map<std::string, XMaterial> materials_;
    std::unordered_set<std::string> texturesSeen_;
    uint32_t frameCount_ = 0;
    std::vector<PendingReference> pending_;
};

// Text: Peek reports the keyword without consuming it, so it is read as a name.
template <>
bool Parser<TextLexer>::SkipTemplate() {
    std::string keyword, name;
    return Check(lex_.ReadName(keyword) && lex_.ReadName(name) &&
                 lex_.Consume(TokenKind::kOBrace) && lex_.SkipBody());
}
template <>
bool Parser<BinaryLexer>::SkipTemplate() {
    std::string name;
    return Check(lex_.Consume(TokenKind::kTemplate) && lex_.ReadName(name) &&
                 lex_.Consume(TokenKind::kOBrace) && lex_.SkipBody());
}

template <class Lexer>
XReadResult Parse(Lexer& lex, XFile file, const XReadOptions& options, size_t bodySize) {
    XReadResult result;
    Parser<Lexer> parser(lex, file, options, bodySize);
    if (!parser.Run()) {
        result.error = parser.Error();
        return result;
    }
    result.file = std::move(file);
    return result;
}

XReadResult Failure(std::string why) {
    XReadResult r;
    r.error = std::move(why);
    return r;
}

bool IsDigits(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

XReadResult ReadXData(std::string_view bytes, const XReadOptions& options) {
    if (bytes.size() < kHeaderSize) return Failure("the file is shorter than its header");
    const std::string_view magic = bytes.substr(0, 4), version = bytes.substr(4, 4),
                           kind = bytes.substr(8, 4), floats = bytes.substr(12, 4);
    if (magic != "xof " || !IsDigits(version)) return Failure("not a DirectX file");
    XFile file;
    if (floats == "0032") {
        file.floatBits = 32;
    } else if (floats == "0064") {
        file.floatBits = 64;
    } else {
        return Failure("unknown float size");
    }
    bool binary, zipped;
    if (kind == "txt ") {
        binary = false, zipped = false, file.format = XFormat::kText;
    } else if (kind == "bin ") {
        binary = true, zipped = false, file.format = XFormat::kBinary;
    } else if (kind == "tzip") {
        binary = false, zipped = true, file.format = XFormat::kTextZip;
    } else if (kind == "bzip") {
        binary = true, zipped = true, file.format = XFormat::kBinaryZip;
    } else {
        return Failure("unknown format");
    }

    std::string inflated;
    std::string_view body = bytes.substr(kHeaderSize);
    if (zipped) {
        std::string error;
        if (!InflateMsZip(body, inflated, error)) return Failure(error);
        body = inflated;
    }
    if (binary) {
        BinaryLexer lex(body, file.floatBits);
        return Parse(lex, std::move(file), options, body.size());
    }
    TextLexer lex(body);
    return Parse(lex, std::move(file), options, body.size());
}

XReadResult ReadXFile(const std::string& path, const XReadOptions& options) {
    std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!f) return Failure("cannot open " + path);
    // Only regular files: a directory or a device has no size to read up to.
    struct stat info;
    if (::fstat(::fileno(f.get()), &info) != 0 || !S_ISREG(info.st_mode))
        return Failure("not a regular file: " + path);
    std::string bytes;
    char buffer[1 << 16];
    bytes.reserve(size_t(info.st_size));
    // Read to the end rather than trusting the size: the file may change meanwhile.
    while (size_t n = std::fread(buffer, 1, sizeof buffer, f.get())) bytes.append(buffer, n);
    if (std::ferror(f.get())) return Failure("cannot read " + path);
    return ReadXData(bytes, options);
}

const XMesh* FirstTopLevelMesh(const XFile& file) {
    return file.meshes.empty() ? nullptr : &file.meshes.front();
}

}  // namespace xfile
