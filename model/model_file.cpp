#include "model/model_file.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <unordered_map>
#include <vector>

#include "model/byte_stream.h"
#include "model/path_rules.h"
#include "model/vector_text.h"
#include "platform/shell.h"
#include "platform/text/cp932.h"

namespace model {

namespace {

constexpr std::string_view kSeparatorLine = "\\n";  // backslash, "n"

// ---- writing ----

void WriteGroups(ByteWriter& out, const MeshModel& model) {
    out.Line("GROUP");
    out.Put(static_cast<int32_t>(model.faces.FaceGroup.size()));
    out.PutArray(model.faces.FaceGroup);
    out.Line("");
    out.Line(kSeparatorLine);
    out.Put(static_cast<int32_t>(model.groups.size()));
    for (const GroupEntry& g : model.groups.entries) {
        out.Line(g.name);
        out.Put(g.color);
        out.Put(g.hasMaterial);
        if (g.hasMaterial != 0) {
            const GroupMaterial m = g.material.value_or(GroupMaterial{});
            out.Put(m.power);
            for (float v : m.specular) out.Put(v);
            for (float v : m.emissive) out.Put(v);
            for (float v : m.ambient) out.Put(v);
        }
    }
    out.Line("");
    out.Line("GROUP_END");
}

void WriteTextures(ByteWriter& out, const MeshModel& model) {
    const std::string directory = text::Utf8ToCp932(model.currentFile.ModelDirectory);
    out.Line("TEXTURE");
    out.Put(static_cast<int32_t>(model.textures.size()));
    for (const TextureEntry& t : model.textures) {
        out.Line(MakeRelativePath(t.path, directory));
        out.Line(t.name);
        out.Put(t.transparent);
        out.Put(t.transparentColor);
    }
    const TextureAssignment& a = model.textureAssignment;
    out.Line("TYPE3");
    out.Put(static_cast<int32_t>(a.textureNames.empty() ? 0 : a.textureNames.size() - 1));
    for (size_t i = 1; i < a.textureNames.size(); ++i) out.Line(a.textureNames[i]);
    out.Put(static_cast<int32_t>(a.faceTextureMap.size()));
    for (const auto& [face, index] : a.faceTextureMap) {
        out.Put(face);
        out.Put(index);
    }
    out.Line("");
    out.Put(static_cast<int32_t>(a.uvMap.size()));
    for (const auto& [vertex, uv] : a.uvMap) {
        out.Put(vertex);
        out.Put(uv.u);
        out.Put(uv.v);
    }
    out.Line("");
    out.Line("TEXTURE_END");
}

void WriteWrap(ByteWriter& out, const WrapSettings& w) {
    out.Line("WRAP");
    out.Line(w.textureName);
    out.Put(w.wrapType);
    for (float v : w.origin) out.Put(v);
    for (float v : w.direction) out.Put(v);
    for (float v : w.up) out.Put(v);
    out.Put(w.uOffset);
    out.Put(w.vOffset);
    out.Put(w.uScale);
    out.Put(w.vScale);
    out.Put(w.wrapFlag);
    out.Line("");
    out.Line("WRAP_END");
}

// ---- reading ----

enum class Section { Ok, Failed, Broken };  // Broken: the stream can't be followed further

class SectionReader {
public:
    SectionReader(ByteReader& in, MeshModel& model, const std::vector<std::string>& faceLines)
        : in_(in), model_(model), faceLines_(faceLines) {}

    Section Run(const std::string& tag);

private:
    // A count that is negative or that the rest of the file cannot hold, at `minBytes` per
    // item, breaks the section before anything is allocated for it.
    bool Count(int32_t& n, uint64_t minBytes) {
        if (!in_.Read(n) || n < 0) return false;
        return static_cast<uint64_t>(n) * minBytes <= in_.Remaining();
    }
    Section EndTag(std::string_view tag) {
        std::string line;
        in_.ReadLine(line);
        const bool more = in_.ReadLine(line);
        if (!more) return Section::Broken;
        return line == tag ? Section::Ok : Section::Failed;
    }
    template <typename T>
    bool ReadArray(std::vector<T>& values, int32_t n) {
        std::vector<T> read(static_cast<size_t>(n));
        if (n > 0 && !in_.ReadBytes(read.data(), read.size() * sizeof(T))) return false;
        values = std::move(read);
        return true;
    }
    bool ReadFloats(float* out, size_t n) { return in_.ReadBytes(out, n * sizeof(float)); }

    Section Status();
    Section Color();
    Section Group();
    Section Texture();
    Section OlderTextures(bool withCoordinates);
    Section Wrap();
    Section Joint();
    Section Other();
    Section Directory();
    Section Mirror();

    ByteReader& in_;
    MeshModel& model_;
    const std::vector<std::string>& faceLines_;
};

Section SectionReader::Run(const std::string& tag) {
    if (tag == "BSTATUS") return Status();
    if (tag == "COLOR") return Color();
    if (tag == "GROUP") return Group();
    if (tag == "TEXTURE") return Texture();
    if (tag == "WRAP") return Wrap();
    if (tag == "JOINT") return Joint();
    if (tag == "DIRECTORY") return Directory();
    if (tag == "MIRROR") return Mirror();
    if (tag == "OTHER") return Other();
    return Section::Broken;
}

Section SectionReader::Status() {
    int32_t n;
    if (!Count(n, 1) || !ReadArray(model_.faces.FaceStatus, n)) return Section::Broken;
    return EndTag("BSTATUS_END");
}

Section SectionReader::Color() {
    int32_t n;
    if (!Count(n, 4) || !ReadArray(model_.faces.FaceColor, n)) return Section::Broken;
    return EndTag("COLOR_END");
}

Section SectionReader::Group() {
    int32_t n;
    if (!Count(n, 2) || !ReadArray(model_.faces.FaceGroup, n)) return Section::Broken;
    std::string line;
    in_.ReadLine(line);
    in_.ReadLine(line);  // the "\n" line, not checked
    int32_t m;
    if (!Count(m, 2 + 8)) return Section::Broken;
    std::vector<GroupEntry> entries(static_cast<size_t>(m));
    for (GroupEntry& g : entries) {
        if (!in_.ReadLine(g.name) || !in_.Read(g.color) || !in_.Read(g.hasMaterial))
            return Section::Broken;
        if (g.hasMaterial != 0) {
            GroupMaterial mat;
            float v[10];
            if (!ReadFloats(v, 10)) return Section::Broken;
            mat.power = v[0];
            std::copy(v + 1, v + 4, mat.specular.begin());
            std::copy(v + 4, v + 7, mat.emissive.begin());
            std::copy(v + 7, v + 10, mat.ambient.begin());
            g.material = mat;
        }
    }
    model_.groups.entries = std::move(entries);
    model_.groups.EnsureDefaults();
    return EndTag("GROUP_END");
}

Section SectionReader::Texture() {
    int32_t n;
    if (!Count(n, 4 + 8)) return Section::Broken;
    TextureList list(static_cast<size_t>(n));
    for (TextureEntry& t : list) {
        if (!in_.ReadLine(t.path) || !in_.ReadLine(t.name) || !in_.Read(t.transparent) ||
            !in_.Read(t.transparentColor))
            return Section::Broken;
    }
    model_.textures = std::move(list);

    std::string variant;
    if (!in_.ReadLine(variant)) return Section::Broken;
    if (variant == kSeparatorLine) return OlderTextures(false);
    if (variant == "TYPE2") return OlderTextures(true);
    if (variant != "TYPE3") {
        EndTag("TEXTURE_END");
        return Section::Failed;
    }

    TextureAssignment a;
    int32_t k;
    if (!Count(k, 2)) return Section::Broken;
    for (int32_t i = 0; i < k; ++i) {
        std::string name;
        if (!in_.ReadLine(name)) return Section::Broken;
        a.textureNames.push_back(std::move(name));
    }
    int32_t f;
    if (!Count(f, 6)) return Section::Broken;
    for (int32_t i = 0; i < f; ++i) {
        int32_t face;
        uint16_t index;
        if (!in_.Read(face) || !in_.Read(index)) return Section::Broken;
        a.faceTextureMap[face] = index;
    }
    std::string line;
    in_.ReadLine(line);
    int32_t u;
    if (!Count(u, 12)) return Section::Broken;
    for (int32_t i = 0; i < u; ++i) {
        int32_t vertex;
        TexCoord uv;
        if (!in_.Read(vertex) || !in_.Read(uv.u) || !in_.Read(uv.v)) return Section::Broken;
        a.uvMap[vertex] = uv;
    }
    model_.textureAssignment = std::move(a);
    return EndTag("TEXTURE_END");
}

// The two forms before TYPE3 kept a texture name per face (and, in TYPE2, the face's corner
// coordinates); they become names per face and coordinates per vertex.
Section SectionReader::OlderTextures(bool withCoordinates) {
    int32_t count;
    if (!Count(count, withCoordinates ? 4 + 2 + 4 : 4 + 2 + 2)) return Section::Broken;
    TextureAssignment& a = model_.textureAssignment;
    a.uvMap.clear();
    // Each face line is parsed once however many entries name it: entries of a few bytes
    // that all name one long face line would otherwise cost its length each.
    std::unordered_map<int32_t, std::vector<int32_t>> parsed;
    // Names are found through an index too: the names list's own search, once per entry,
    // is quadratic in a file of thousands of distinct names.
    std::unordered_map<std::string, int32_t> nameIndex;
    for (size_t i = a.textureNames.size(); i-- > 0;)
        nameIndex[a.textureNames[i]] = static_cast<int32_t>(i);  // the first of equal names
    for (int32_t e = 0; e < count; ++e) {
        int32_t face;
        std::string name;
        if (!in_.Read(face) || !in_.ReadLine(name)) return Section::Broken;
        std::vector<float> coords;
        if (withCoordinates) {
            int32_t c;
            if (!Count(c, 4)) return Section::Broken;
            coords.resize(static_cast<size_t>(c));
            if (c > 0 && !ReadFloats(coords.data(), coords.size())) return Section::Broken;
        } else {
            std::string note;  // a comment text with "\n" for line breaks; unused
            in_.ReadLine(note);
        }
        int32_t index = -1;
        if (auto known = nameIndex.find(name); known != nameIndex.end()) {
            index = known->second;
        } else if (a.textureNames.size() <= UINT16_MAX) {  // the 16-bit index space
            index = static_cast<int32_t>(a.textureNames.size());
            a.textureNames.push_back(name);
            nameIndex.emplace(std::move(name), index);
        }
        if (index >= 0) a.faceTextureMap[face] = static_cast<uint16_t>(index);
        if (!withCoordinates || coords.size() < 6 || face < 0 ||
            static_cast<size_t>(face) >= faceLines_.size())
            continue;
        auto [it, added] = parsed.try_emplace(face);
        if (added) it->second = ParseFaceCorners(faceLines_[static_cast<size_t>(face)]);
        const std::vector<int32_t>& corners = it->second;
        if (corners.size() < 3 || coords.size() != corners.size() * 2) continue;
        for (size_t k = 0; k < corners.size(); ++k)
            a.uvMap[corners[k]] = TexCoord{coords[2 * k], coords[2 * k + 1]};
    }
    return EndTag("TEXTURE_END");
}

Section SectionReader::Wrap() {
    WrapSettings w;
    float v[13];
    if (!in_.ReadLine(w.textureName) || !in_.Read(w.wrapType) || !ReadFloats(v, 13) ||
        !in_.Read(w.wrapFlag))
        return Section::Broken;
    std::copy(v, v + 3, w.origin.begin());
    std::copy(v + 3, v + 6, w.direction.begin());
    std::copy(v + 6, v + 9, w.up.begin());
    w.uOffset = v[9];
    w.vOffset = v[10];
    w.uScale = v[11];
    w.vScale = v[12];
    model_.wrap = w;
    return EndTag("WRAP_END");
}

Section SectionReader::Joint() {
    model_.joints.clear();
    int32_t n;
    if (!Count(n, 12)) return Section::Broken;
    JointList joints(static_cast<size_t>(n));
    for (Vertex& p : joints)
        if (!in_.Read(p.x) || !in_.Read(p.y) || !in_.Read(p.z)) return Section::Broken;
    model_.joints = std::move(joints);
    return EndTag("JOINT_END");
}

Section SectionReader::Other() {
    std::string line;
    while (in_.ReadLine(line)) {
        if (line == "OTHER_END") return Section::Ok;
        if (line == "DEVICETYPE" && !in_.Read(model_.deviceType)) return Section::Broken;
    }
    return Section::Broken;  // the file ended inside the section
}

Section SectionReader::Directory() {
    in_.ReadLine(model_.SavedModelDirectory);
    return Section::Ok;
}

Section SectionReader::Mirror() {
    MirrorSettings m;
    if (!in_.Read(m.mirrorAxis) || !in_.Read(m.mirrorPosition)) return Section::Broken;
    model_.mirror = m;
    std::string line;
    in_.ReadLine(line);
    return Section::Ok;
}

bool IsSectionTag(const std::string& line) {
    static const char* const kTags[] = {"BSTATUS", "COLOR",     "GROUP",  "TEXTURE", "WRAP",
                                        "JOINT",   "DIRECTORY", "MIRROR", "OTHER"};
    for (const char* tag : kTags)
        if (line == tag) return true;
    return false;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// count + 1 lines, or nothing when the file ends first. Each line takes at least its LF,
// so a count beyond the bytes left is refused before reading.
bool ReadSheetLines(ByteReader& in, int32_t maxLine, std::vector<std::string>& lines) {
    if (maxLine < 0 || static_cast<uint64_t>(maxLine) >= in.Remaining()) return false;
    lines.resize(static_cast<size_t>(maxLine) + 1);
    for (std::string& line : lines)
        if (!in.ReadLine(line)) return false;
    return true;
}

bool FileExists(const std::string& cp932Path) {
    if (cp932Path.empty()) return false;
    return ::access(text::Cp932ToUtf8(cp932Path).c_str(), R_OK) == 0;
}

}  // namespace

bool SaveModelFile(MeshModel& model, const std::string& path, std::string* error) {
    model.currentFile.Set(path);
    ByteWriter out;
    if (!out.Open(path)) {
        if (error) *error = out.Error();
        return false;
    }

    const PointSheet& points = model.points;
    const FaceSheet& faces = model.faces;
    out.Line("Mokkel");
    out.Line(".mkl");
    out.Line("1");
    char counts[32];
    std::snprintf(counts, sizeof counts, "%d,%d", points.maxLine, faces.maxLine);
    out.Line(counts);
    for (int32_t i = 0; i <= points.maxLine; ++i) out.Line(points.lines[static_cast<size_t>(i)]);
    out.Line(kSeparatorLine);
    for (int32_t i = 0; i <= faces.maxLine; ++i) out.Line(faces.lines[static_cast<size_t>(i)]);

    out.Line("BSTATUS");
    out.Put(static_cast<int32_t>(faces.FaceStatus.size()));
    out.PutArray(faces.FaceStatus);
    out.Line("");
    out.Line("BSTATUS_END");

    out.Line("COLOR");
    out.Put(static_cast<int32_t>(faces.FaceColor.size()));
    out.PutArray(faces.FaceColor);
    out.Line("");
    out.Line("COLOR_END");

    WriteGroups(out, model);
    WriteTextures(out, model);
    WriteWrap(out, model.wrap);

    if (!model.joints.empty()) {
        out.Line("JOINT");
        out.Put(static_cast<int32_t>(model.joints.size()));
        for (const Vertex& p : model.joints) {
            out.Put(p.x);
            out.Put(p.y);
            out.Put(p.z);
        }
        out.Line("");
        out.Line("JOINT_END");
    }

    out.Line("OTHER");
    out.Line("DEVICETYPE");
    out.Put(model.deviceType);
    out.Line("OTHER_END");

    out.Line("DIRECTORY");
    out.Line(text::Utf8ToCp932(model.currentFile.ModelDirectory));

    out.Line("MIRROR");
    out.Put(model.mirror.mirrorAxis);
    out.Put(model.mirror.mirrorPosition);
    out.Line("");

    out.Line("END");
    if (out.Commit()) return true;
    if (error) *error = out.Error();
    return false;
}

bool LoadModelFile(MeshModel& model, const std::string& path, shell::Prompt* prompt,
                   const LoadOptions& options) {
    model.currentFile.Set(path);
    ByteReader in;
    if (!in.Open(path)) {
        if (prompt && options.reportMissingFile) prompt->Tell(kMsgFileNotFound);
        return false;
    }
    std::string line;
    in.ReadLine(line);
    in.ReadLine(line);
    if (!EqualsIgnoringCase(line, ".mkl")) {
        if (prompt) prompt->Tell(kMsgInvalidFormat);
        return false;
    }
    in.ReadLine(line);
    in.ReadLine(line);
    const size_t comma = line.rfind(',');
    if (comma == std::string::npos || comma == 0) return false;
    const int32_t maxPoint = ParseLeadingInt(line);
    const int32_t maxFace = ParseLeadingInt(std::string_view(line).substr(comma + 1));

    std::vector<std::string> pointLines, faceLines;
    if (!ReadSheetLines(in, maxPoint, pointLines)) return false;
    if (!in.ReadLine(line) || line != kSeparatorLine) return false;
    if (!ReadSheetLines(in, maxFace, faceLines)) return false;

    bool ok = true;
    SectionReader sections(in, model, faceLines);
    while (true) {
        if (!in.ReadLine(line)) {
            ok = false;  // the file ended without "END"
            break;
        }
        if (!IsSectionTag(line)) {
            ok = ok && line == "END";
            break;
        }
        const Section result = sections.Run(line);
        if (result != Section::Ok) ok = false;
        if (result == Section::Broken) break;
    }
    if (!ok && prompt) prompt->Tell(kMsgDataMayBeInvalid);

    model.points.ReplaceLines(std::move(pointLines));
    model.faces.ReplaceLines(std::move(faceLines));
    model.faces.ResizeFaceArrays();
    ResolveTexturePaths(model);
    return true;
}

void ResolveTexturePaths(MeshModel& model) {
    const std::string directory = text::Utf8ToCp932(model.currentFile.ModelDirectory);
    for (TextureEntry& t : model.textures) {
        std::string candidate = JoinPath(directory, t.path);
        if (FileExists(candidate)) {
            t.path = std::move(candidate);
            continue;
        }
        candidate = JoinPath(model.SavedModelDirectory, t.path);
        if (FileExists(candidate)) t.path = std::move(candidate);
    }
}

}  // namespace model
