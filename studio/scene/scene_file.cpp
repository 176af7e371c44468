#include "studio/scene/scene_file.h"

#include <algorithm>
#include <array>
#include <climits>
#include <map>

#include "model/byte_stream.h"
#include "model/current_file.h"
#include "model/path_rules.h"
#include "platform/fileio/path_name.h"
#include "platform/interchange/interchange.h"
#include "platform/text/cp932.h"
#include "platform/xfile/x_engine.h"
#include "platform/xfile/x_writer.h"
#include "studio/scene/object_mesh.h"
#include "viewport/interchange_model.h"

namespace studio {

namespace {

constexpr std::string_view kSeparatorLine = "\\n";  // backslash, "n"
// The smallest record (a FOLDER with an empty name): a count beyond what the bytes left
// could hold is refused before anything is made for it.
constexpr uint64_t kMinRecordBytes = 8 + 2 + 4;

// ---- reading ----

class Reader {
public:
    explicit Reader(model::ByteReader& in) : in_(in) {}

    bool Line(std::string& line) { return in_.ReadLine(line); }
    bool Skip() {
        std::string line;
        return in_.ReadLine(line);
    }
    template <typename T>
    bool Get(T& value) {
        return in_.Read(value);
    }
    bool Floats(float* out, size_t n) { return in_.ReadBytes(out, n * sizeof(float)); }
    bool Vector(rm::Vector3& v) {
        float f[3];
        if (!Floats(f, 3)) return false;
        v = {f[0], f[1], f[2]};
        return true;
    }
    bool Place(Placement& p) { return Vector(p.position) && Vector(p.direction) && Vector(p.up); }
    uint64_t Remaining() const { return in_.Remaining(); }

private:
    model::ByteReader& in_;
};

bool ReadObject(Reader& r, SceneItem& item, Placement& place) {
    uint8_t kind = 0;
    if (!r.Get(kind) || !r.Line(item.path) || !r.Line(item.name) || !r.Place(place) ||
        !r.Floats(item.scale.data(), 3))
        return false;
    uint8_t flips[3];
    if (!r.Get(flips) || !r.Get(item.displayMode) || !r.Get(item.depth) || !r.Get(item.axisLock) ||
        !r.Get(item.positionLock))
        return false;
    item.kind = kind == kMissingObject ? kMissingObject : kObject;
    item.flipX = flips[0] != 0;
    item.flipY = flips[1] != 0;
    item.flipZ = flips[2] != 0;
    return r.Skip();  // "OBJECT_END", not checked
}

bool ReadLight(Reader& r, SceneItem& item, Placement& place) {
    LightValues& v = item.lightValues;
    if (!r.Get(item.kind) || !IsLightKind(item.kind) || !r.Line(item.name) || !r.Get(item.depth) ||
        !r.Get(v.color))
        return false;
    float f[6];
    if (!r.Floats(f, 6) || !r.Place(place) || !r.Get(item.positionLock)) return false;
    v.range = f[0];
    v.umbra = f[1];
    v.penumbra = f[2];
    v.constant = f[3];
    v.linear = f[4];
    v.quadratic = f[5];
    return true;
}

bool ReadItems(Reader& r, SceneFileContents& c, std::string& why) {
    r.Skip();  // "ITEM"
    int32_t n = 0;
    if (!r.Get(n) || n < 0 || static_cast<uint64_t>(n) * kMinRecordBytes > r.Remaining()) {
        why = "the item count does not fit the file";
        return false;
    }
    c.items.reserve(static_cast<size_t>(n));
    std::string tag;
    for (int32_t i = 0; i < n; ++i) {
        PendingItem p;
        bool ok = false;
        if (!r.Line(tag)) {
            why = "the file ends inside item " + std::to_string(i);
            return false;
        }
        if (tag == "OBJECT") {
            ok = ReadObject(r, p.item, p.placement);
        } else if (tag == "LIGHT") {
            ok = ReadLight(r, p.item, p.placement);
        } else if (tag == "FOLDER") {
            p.item.kind = kFolder;
            ok = r.Line(p.item.name) && r.Get(p.item.depth);
        } else {
            // Fewer records than the count says: the next line is no record's tag.
            why = "item " + std::to_string(i) + " of " + std::to_string(n) + " has no record";
            return false;
        }
        if (!ok) {
            why = "item " + std::to_string(i) + " is cut short or damaged";
            return false;
        }
        c.items.push_back(std::move(p));
    }
    if (!r.Line(tag) || tag != "ITEM_END") {
        why = "more item records follow than the count of " + std::to_string(n) + " says";
        return false;
    }
    return true;
}

// False when the line that ended the section was "ENVIRONMENT" (already consumed).
void ReadJoints(Reader& r, SceneFileContents& c, bool& environmentTagRead) {
    r.Skip();  // "JOINT"
    std::string line;
    while (true) {
        if (!r.Line(line)) {
            c.jointsOk = false;
            return;
        }
        if (line == "JOINT_END") return;
        if (line != kSeparatorLine) {
            c.jointsOk = false;
            environmentTagRead = line == "ENVIRONMENT";
            return;
        }
        PendingJoint j;
        if (!r.Get(j.type) || !r.Get(j.target) || !r.Get(j.owner) || !r.Get(j.partner) ||
            !r.Place(j.placement)) {
            c.jointsOk = false;
            return;
        }
        c.joints.push_back(j);
    }
}

void ReadEnvironment(Reader& r, SceneFileContents& c, bool tagRead) {
    std::string line;
    if (!tagRead && (!r.Line(line) || line != "ENVIRONMENT")) {
        c.environmentOk = false;
        return;
    }
    SceneEnvironment e;
    int32_t right = 0;  // the third value repeats left: the right edge is not stored
    if (!r.Get(e.screenWidth) || !r.Get(e.screenHeight) || !r.Get(e.fitToView) ||
        !r.Get(e.freeSize) || !r.Get(e.backgroundColor) || !r.Line(e.backgroundImagePath) ||
        !r.Get(e.regionLeft) || !r.Get(e.regionTop) || !r.Get(right) || !r.Get(e.regionBottom) ||
        !r.Get(e.keepAspect) || !r.Get(e.imageMode) || !r.Get(e.hasImage)) {
        c.environmentOk = false;
        return;
    }
    e.regionLeft = right;
    c.environment = e;
    c.hasEnvironment = true;

    if (!r.Line(line)) {
        c.environmentOk = false;
        return;
    }
    if (line == kSeparatorLine) return;  // the older form: no camera, no fog
    if (line != "CAMERA") {
        c.environmentOk = false;
        return;
    }
    int32_t look = 0;
    float values[2];
    Placement camera;
    rm::Vector3 lookAt;
    if (!r.Get(look) || !r.Floats(values, 2) || !r.Place(camera) || !r.Vector(lookAt)) {
        c.environmentOk = false;
        return;
    }
    c.environment.cameraLook = look;
    c.environment.cameraValue = values[0];
    c.environment.cameraSpeed = values[1];
    c.camera = camera;
    c.lookAt = lookAt;
    c.hasCamera = true;

    if (!r.Line(line)) {
        c.environmentOk = false;
        return;
    }
    if (line == kSeparatorLine) return;  // a camera without fog
    if (line != "FOG") {
        c.environmentOk = false;
        return;
    }
    int32_t own = 0, enabled = 0;
    uint32_t color = 0;
    float range[2];
    if (!r.Get(own) || !r.Get(enabled) || !r.Get(color) || !r.Floats(range, 2)) {
        c.environmentOk = false;
        return;
    }
    c.environment.fogOwnColor = own;
    c.environment.fogEnabled = enabled;
    c.environment.fogColor = color;
    c.environment.fogStart = range[0];
    c.environment.fogEnd = range[1];
    c.hasFog = true;
    r.Skip();  // the closing "\n"
}

// ---- writing ----

void PutPlacement(model::ByteWriter& out, const Placement& p) {
    for (const rm::Vector3& v : {p.position, p.direction, p.up}) {
        out.Put(v.x);
        out.Put(v.y);
        out.Put(v.z);
    }
}

void WriteItem(model::ByteWriter& out, const CSceneDoc& doc, const SceneItem& item,
               const std::string& directory) {
    if (IsObjectKind(item.kind)) {
        out.Line("OBJECT");
        out.Put<uint8_t>(item.kind);
        out.Line(model::MakeRelativePath(item.path, directory));
        out.Line(item.name);
        PutPlacement(out, doc.PlacementOf(item));
        for (float s : item.scale) out.Put(s);
        out.Put<uint8_t>(item.flipX != 0);
        out.Put<uint8_t>(item.flipY != 0);
        out.Put<uint8_t>(item.flipZ != 0);
        out.Put(item.displayMode);
        out.Put(item.depth);
        out.Put(item.axisLock);
        out.Put(item.positionLock);
        out.Line("OBJECT_END");
    } else if (IsLightKind(item.kind)) {
        const LightValues& v = item.lightValues;
        out.Line("LIGHT");
        out.Put<uint8_t>(item.kind);
        out.Line(item.name);
        out.Put(item.depth);
        out.Put(v.color);
        for (float f : {v.range, v.umbra, v.penumbra, v.constant, v.linear, v.quadratic})
            out.Put(f);
        PutPlacement(out, doc.PlacementOf(item));
        out.Put(item.positionLock);
    } else {
        out.Line("FOLDER");
        out.Line(item.name);
        out.Put(item.depth);
    }
}

void WriteEnvironment(model::ByteWriter& out, const CSceneDoc& doc) {
    const SceneEnvironment& e = doc.environment;
    out.Line("ENVIRONMENT");
    out.Put(e.screenWidth);
    out.Put(e.screenHeight);
    out.Put(e.fitToView);
    out.Put(e.freeSize);
    out.Put(e.backgroundColor);
    out.Line(e.backgroundImagePath);
    out.Put(e.regionLeft);
    out.Put(e.regionTop);
    out.Put(e.regionLeft);  // the format's third value repeats left
    out.Put(e.regionBottom);
    out.Put(e.keepAspect);
    out.Put(e.imageMode);
    out.Put(e.hasImage);
    out.Line("CAMERA");
    out.Put(e.cameraLook);
    out.Put(e.cameraValue);
    out.Put(e.cameraSpeed);
    PutPlacement(out, doc.CameraPlacement());
    const rm::Vector3 lookAt = doc.LookAtFrame()->Position(doc.Root());
    out.Put(lookAt.x);
    out.Put(lookAt.y);
    out.Put(lookAt.z);
    out.Line("FOG");
    out.Put(e.fogOwnColor);
    out.Put(e.fogEnabled);
    out.Put(e.fogColor);
    out.Put(e.fogStart);
    out.Put(e.fogEnd);
    out.Line(kSeparatorLine);
}

SceneFileResult Failure(SceneFileError error, std::string detail, std::string message = {}) {
    SceneFileResult r;
    r.error = error;
    r.detail = std::move(detail);
    r.message = std::move(message);
    return r;
}

// Face lines that are no face stand in the meshes as degenerate faces on one vertex, so
// that face i stays line i; in a written file they would come back as faces of their own.
std::vector<bool> RealFaces(const rm::MeshBuilder& mesh) {
    std::vector<bool> keep(mesh.FaceCount(), true);
    for (size_t f = 0; f < keep.size(); ++f) {
        const int corners = mesh.FaceVertexCount(f);
        bool degenerate = true;
        for (int k = 1; k < corners && degenerate; ++k)
            degenerate =
                mesh.FaceVertexIndex(f, static_cast<size_t>(k)) == mesh.FaceVertexIndex(f, 0);
        keep[f] = !degenerate;
    }
    return keep;
}

// The objects of the range as one mesh, each placed as its frame is in the scene.
SceneFileResult ExportX(CSceneDoc& doc, const std::string& path, size_t first, size_t end,
                        const SaveOptions& options) {
    const rm::FramePtr holder = rm::Frame::Create();
    for (size_t i = first; i < end; ++i) {
        const SceneItem& item = doc.Items()[i];
        if (!item.visual || !item.frame) continue;
        const rm::FramePtr copy = rm::Frame::Create(holder);
        copy->AddTransform(rm::Combine::kReplace, item.frame->WorldTransform());
        copy->AddVisual(item.visual);
    }
    auto mesh = rm::MeshBuilder::Create();
    mesh->AddFrame(*holder);
    const std::vector<bool> keep = RealFaces(*mesh);
    std::string reason;
    if (!xfile::SaveMeshBuilder(*mesh, path, options.binaryX, xfile::kSaveAll, keep, &reason))
        return Failure(SceneFileError::kWriteFailed, reason);
    SceneFileResult ok;
    ok.ok = true;
    return ok;
}

// The items of the range as a glTF scene: each object a node with its placement, scale and
// flips (as negative scale, over the model's own mesh, which objects of one file share),
// each light but the ambient one a KHR_lights_punctual light. glTF has no ambient light.
SceneFileResult ExportGltf(CSceneDoc& doc, const std::string& path, size_t first, size_t end,
                           bool binary) {
    interchange::GltfWriter writer;
    std::map<std::string, int> meshes;  // by model path
    // An object's textures were loaded for its model file, which names each by a path of its
    // own; the engine texture keeps only the file name, found again beside the model.
    std::string modelDirectory;
    const interchange::TextureUri uri = [&](const rm::Texture& texture) -> std::string {
        if (texture.Name().empty()) return {};
        const std::string image = modelDirectory + texture.Name();
        if (!ModelFileExists(image)) return {};
        return viewport::ImageReference(image, path);
    };
    for (size_t i = first; i < end; ++i) {
        const SceneItem& item = doc.Items()[i];
        if (!item.frame || !(IsObjectKind(item.kind) || IsLightKind(item.kind))) continue;
        if (item.kind == kAmbientLight) continue;
        rm::Vector3 direction, up;
        item.frame->GetOrientation(doc.Root(), direction, up);
        const rm::Vector3 position = item.frame->Position(doc.Root());
        const std::string name = text::Cp932ToUtf8(item.name);
        if (IsLightKind(item.kind)) {
            interchange::PunctualLight light;
            light.kind = item.kind == kDirectionalLight ? interchange::PunctualLight::kDirectional
                         : item.kind == kPointLight     ? interchange::PunctualLight::kPoint
                                                        : interchange::PunctualLight::kSpot;
            light.name = name;
            const uint32_t c = item.lightValues.color;
            light.r = static_cast<float>((c >> 16) & 0xFF) / 255.0f;
            light.g = static_cast<float>((c >> 8) & 0xFF) / 255.0f;
            light.b = static_cast<float>(c & 0xFF) / 255.0f;
            light.range = item.lightValues.range;
            // The studio's cone angles are whole angles; glTF's run from the axis.
            light.innerCone = item.lightValues.umbra * 0.5f;
            light.outerCone = std::max(item.lightValues.umbra, item.lightValues.penumbra) * 0.5f;
            writer.AddLight(
                light, interchange::PlacementFromLeftHanded(position, direction, up, {1, 1, 1}));
            continue;
        }
        int mesh = -1;
        if (item.visual) {
            auto found = meshes.find(item.path);
            if (found == meshes.end()) {
                modelDirectory = model::AbsoluteDirectoryOf(text::Cp932ToUtf8(item.path));
                if (!modelDirectory.empty() && modelDirectory.back() != '/') modelDirectory += '/';
                // The item's mesh carries its flips; the file's own mesh is that mirrored back.
                rm::MeshBuilderPtr own = CopyMesh(*item.visual);
                FlipMesh(*own, item.flipX != 0, item.flipY != 0, item.flipZ != 0);
                const std::string stem(fileio::StemOf(text::Cp932ToUtf8(item.path)));
                found = meshes.emplace(item.path, writer.AddMesh(*own, RealFaces(*own), uri, stem))
                            .first;
            }
            mesh = found->second;
        }
        const std::array<float, 3> scale{item.scale[0] * (item.flipX ? -1.0f : 1.0f),
                                         item.scale[1] * (item.flipY ? -1.0f : 1.0f),
                                         item.scale[2] * (item.flipZ ? -1.0f : 1.0f)};
        writer.AddNode(name, mesh,
                       interchange::PlacementFromLeftHanded(position, direction, up, scale));
    }
    std::string reason;
    if (!writer.Write(path, binary, &reason)) return Failure(SceneFileError::kWriteFailed, reason);
    SceneFileResult ok;
    ok.ok = true;
    return ok;
}

SceneFileError ReadSceneStream(model::ByteReader& in, const std::string& nativePath,
                               bool readEnvironment, SceneFileContents& contents,
                               std::string* detail) {
    const std::string extension = fileio::ExtensionOf(nativePath);
    if (extension != "stg" && extension != "ktb") return SceneFileError::kUnknownExtension;
    Reader r(in);
    std::string why;
    for (int i = 0; i < 4; ++i) r.Skip();  // three header lines and "DIRECTORY"
    if (!r.Line(contents.savedDirectory)) why = "the file ends in its header";
    if (why.empty() && !ReadItems(r, contents, why)) {
        contents.items.clear();
    }
    if (!why.empty()) {
        if (detail) *detail = nativePath + ": " + why;
        return SceneFileError::kItemsDamaged;
    }
    bool environmentTagRead = false;
    ReadJoints(r, contents, environmentTagRead);
    if (readEnvironment) {
        ReadEnvironment(r, contents, environmentTagRead);
        r.Skip();  // "END", not checked
    }
    if (detail && !contents.jointsOk)
        *detail = nativePath + ": the joints end in a wrong line";
    else if (detail && !contents.environmentOk)
        *detail = nativePath + ": the environment is cut short or damaged";
    return SceneFileError::kNone;
}

// `in` is null when the file could not be opened.
SceneFileResult LoadScene(CSceneDoc& doc, model::ByteReader* in, const std::string& nativePath,
                          bool readEnvironment) {
    doc.SceneDirectory = model::AbsoluteDirectoryOf(nativePath);
    SceneFileContents c;
    std::string detail;
    const SceneFileError read = in ? ReadSceneStream(*in, nativePath, readEnvironment, c, &detail)
                                   : SceneFileError::kFileNotFound;
    switch (read) {
        case SceneFileError::kFileNotFound:
            return Failure(read, nativePath + ": cannot be opened", kMsgSceneFileNotFound);
        case SceneFileError::kUnknownExtension:
            return Failure(read, nativePath + ": neither a scene file (.stg) nor a parts file");
        case SceneFileError::kItemsDamaged:
            return Failure(read, detail);
        default:
            break;
    }
    doc.SavedSceneDirectory = c.savedDirectory;
    // An inserted block keeps its shape but starts at the top level, so that it does not
    // land inside whatever item happens to be last.
    if (!readEnvironment && !c.items.empty()) {
        int32_t top = INT32_MAX;
        for (const PendingItem& p : c.items) top = std::min(top, p.item.depth);
        if (top > 0)
            for (PendingItem& p : c.items) p.item.depth -= top;
    }
    SceneFileResult result;
    result.report =
        doc.AppendItems(std::move(c.items), c.joints, doc.SceneDirectory, c.savedDirectory);
    if (readEnvironment) {
        if (c.hasEnvironment) {
            SceneEnvironment& e = doc.environment;
            const SceneEnvironment old = e;
            e = c.environment;
            if (!c.hasCamera) {
                e.cameraLook = old.cameraLook;
                e.cameraValue = old.cameraValue;
                e.cameraSpeed = old.cameraSpeed;
            }
            if (!c.hasFog) {
                e.fogOwnColor = old.fogOwnColor;
                e.fogEnabled = old.fogEnabled;
                e.fogColor = old.fogColor;
                e.fogStart = old.fogStart;
                e.fogEnd = old.fogEnd;
            }
            e.regionRight = old.regionRight;
        }
        if (c.hasCamera) {
            doc.SetCameraPlacement(c.camera);
            doc.LookAtFrame()->SetPosition(doc.Root(), c.lookAt);
        }
        doc.ApplyEnvironment();
    }
    result.ok = c.jointsOk && c.environmentOk;
    if (!c.jointsOk)
        result.error = SceneFileError::kJointsDamaged;
    else if (!c.environmentOk)
        result.error = SceneFileError::kEnvironmentDamaged;
    result.detail = result.ok ? std::string() : detail;
    return result;
}

}  // namespace

SceneFileError ReadSceneFile(const std::string& nativePath, bool readEnvironment,
                             SceneFileContents& contents, std::string* detail) {
    model::ByteReader in;
    if (!in.Open(nativePath)) return SceneFileError::kFileNotFound;
    return ReadSceneStream(in, nativePath, readEnvironment, contents, detail);
}

SceneFileResult LoadSceneFile(CSceneDoc& doc, const std::string& nativePath, bool readEnvironment) {
    model::ByteReader in;
    return LoadScene(doc, in.Open(nativePath) ? &in : nullptr, nativePath, readEnvironment);
}

SceneFileResult LoadSceneBytes(CSceneDoc& doc, std::string_view bytes,
                               const std::string& nativePath, bool readEnvironment) {
    model::ByteReader in;
    in.OpenBytes(bytes);
    return LoadScene(doc, &in, nativePath, readEnvironment);
}

SceneFileResult SaveSceneFile(CSceneDoc& doc, const std::string& nativePath, int first, int last,
                              const SaveOptions& options) {
    const std::string extension = fileio::ExtensionOf(nativePath);
    const int count = static_cast<int>(doc.Items().size());
    first = std::max(first, 0);
    if (last < 0 || last >= count) last = count - 1;
    const size_t begin = static_cast<size_t>(std::min(first, count));
    const size_t end = static_cast<size_t>(std::max(last + 1, static_cast<int>(begin)));
    if (extension == "x") return ExportX(doc, nativePath, begin, end, options);
    if (extension == "glb" || extension == "gltf")
        return ExportGltf(doc, nativePath, begin, end, extension == "glb");
    const bool scene = extension == "stg";
    if (!scene && extension != "ktb")
        return Failure(SceneFileError::kUnknownExtension,
                       nativePath + ": neither .stg, .ktb, .x, .glb nor .gltf");

    doc.SceneDirectory = model::AbsoluteDirectoryOf(nativePath);
    const std::string directory = text::Utf8ToCp932(doc.SceneDirectory);
    model::ByteWriter out;
    if (!out.Open(nativePath)) return Failure(SceneFileError::kWriteFailed, out.Error());
    out.Line(scene ? "Stagora" : "Kitbits of Stagora");
    out.Line(scene ? ".stg" : ".ktb");
    out.Line("1");
    out.Line("DIRECTORY");
    out.Line(directory);

    const std::vector<SceneItem>& items = doc.Items();
    out.Line("ITEM");
    out.Put(static_cast<int32_t>(end - begin));
    for (size_t i = begin; i < end; ++i) WriteItem(out, doc, items[i], directory);
    out.Line("ITEM_END");

    // Owners and partners as positions among the written items; a partner outside them is
    // written as none.
    auto position = [&](int64_t id) -> int32_t {
        const int index = doc.IndexOf(id);
        if (index < 0 || static_cast<size_t>(index) < begin || static_cast<size_t>(index) >= end)
            return -1;
        return static_cast<int32_t>(static_cast<size_t>(index) - begin);
    };
    out.Line("JOINT");
    for (const SceneJoint& j : doc.Joints()) {
        const int32_t owner = position(j.owner);
        if (owner < 0) continue;
        out.Line(kSeparatorLine);
        out.Put(j.type);
        out.Put(j.target);
        out.Put(owner);
        out.Put(position(j.partner));
        PutPlacement(out, doc.PlacementOf(j));
    }
    out.Line("JOINT_END");
    WriteEnvironment(out, doc);
    out.Line("END");
    if (!out.Commit()) return Failure(SceneFileError::kWriteFailed, out.Error());
    SceneFileResult ok;
    ok.ok = true;
    return ok;
}

}  // namespace studio
