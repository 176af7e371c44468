#include "modeller/ops/sheet_steps.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <map>

#include "model/free_run.h"
#include "model/vector_text.h"
#include "viewport/model_parse.h"

namespace modeller::ops {

namespace {

bool IsValidPoint(const model::PointSheet& points, size_t i) {
    return i < points.lineFlags.size() && (points.lineFlags[i] & model::PointSheet::kFlagValid);
}

uint32_t KeyBits(float f) {
    return f == 0 ? 0u : std::bit_cast<uint32_t>(f);  // -0 and 0 are the same place
}

}  // namespace

void JoinCornersInto(std::span<const int32_t> corners, std::string& out) {
    out.clear();
    char digits[16];
    for (size_t i = 0; i < corners.size(); ++i) {
        if (i) out += ", ";
        const auto end = std::to_chars(digits, digits + sizeof digits, corners[i]).ptr;
        out.append(digits, end);
    }
}

void ParseSheets(model::MeshModel& m) {
    viewport::ParsePointLines(m.points, true);
    ParseFaces(m);
}

void ParseFaces(model::MeshModel& m) {
    viewport::ParseFaceLines(m.faces, m.points, viewport::UsedPointCount(m.points));
}

void RewriteFaces(model::MeshModel& m, const PointMapping& mapping) {
    std::vector<int32_t> corners;
    std::string joined;
    auto& lines = m.faces.lines;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string& line = lines[i];
        if (line.find(',') == std::string::npos) continue;
        corners.clear();
        model::ParseFaceCornersInto(line, corners);
        bool keep = true;
        for (int32_t& c : corners) {
            if (c < 0 || static_cast<size_t>(c) >= mapping.size() ||
                mapping[static_cast<size_t>(c)] < 0) {
                keep = false;
                break;
            }
            c = mapping[static_cast<size_t>(c)];
        }
        if (keep) {
            JoinCornersInto(corners, joined);
            if (line != joined) line = joined;
        } else {
            line.clear();
            m.textureAssignment.faceTextureMap.erase(static_cast<int32_t>(i));
        }
    }
}

void CompactPoints(model::MeshModel& m) {
    model::PointSheet& p = m.points;
    const size_t count = p.lines.size();
    PointMapping mapping(count, -1);
    p.lineFlags.resize(count, 0);
    p.parsedVertices.resize(count);
    int32_t next = 0;
    for (size_t i = 0; i < count; ++i) {
        if (!IsValidPoint(p, i)) continue;
        mapping[i] = next;
        if (static_cast<size_t>(next) != i) {
            p.lines[static_cast<size_t>(next)] = std::move(p.lines[i]);
            p.lines[i].clear();
            p.lineFlags[static_cast<size_t>(next)] = p.lineFlags[i];
            p.lineFlags[i] = 0;
            p.parsedVertices[static_cast<size_t>(next)] = p.parsedVertices[i];
        }
        ++next;
    }
    // Coordinates travel with their point; those of lines that go would otherwise land on
    // whichever point takes the number.
    std::map<int32_t, model::TexCoord> uv;
    for (const auto& [v, c] : m.textureAssignment.uvMap)
        if (v >= 0 && static_cast<size_t>(v) < count && mapping[static_cast<size_t>(v)] >= 0)
            uv.emplace(mapping[static_cast<size_t>(v)], c);
    m.textureAssignment.uvMap = std::move(uv);

    RewriteFaces(m, mapping);
    p.SetMaxLine(next - 1);
    if (next == 0) {
        p.lines[0].clear();
        p.lineFlags[0] = 0;
    }
    // The moved lines kept their parse: only the faces need reading again.
    p.parsedVertices.resize(p.lines.size());
    p.parsedCount = static_cast<int32_t>(p.lines.size());
    ParseFaces(m);
}

void CompactFaces(model::MeshModel& m) {
    model::FaceSheet& f = m.faces;
    f.ResizeFaceArrays();
    f.parsedFaces.resize(f.lines.size());
    std::map<int32_t, uint16_t> textures;
    const auto& oldTextures = m.textureAssignment.faceTextureMap;
    size_t next = 0;
    for (size_t i = 0; i < f.lines.size(); ++i) {
        if (!(f.FaceStatus[i] & model::FaceSheet::kStatusValid)) continue;
        if (auto t = oldTextures.find(static_cast<int32_t>(i)); t != oldTextures.end())
            textures.emplace(static_cast<int32_t>(next), t->second);
        if (next != i) {
            f.lines[next] = std::move(f.lines[i]);
            f.FaceStatus[next] = f.FaceStatus[i];
            f.FaceColor[next] = f.FaceColor[i];
            f.FaceGroup[next] = f.FaceGroup[i];
            if (i < f.parsedFaces.size()) f.parsedFaces[next] = std::move(f.parsedFaces[i]);
        }
        ++next;
    }
    m.textureAssignment.faceTextureMap = std::move(textures);
    f.SetMaxLine(static_cast<int32_t>(next) - 1);
    if (next == 0) {
        f.lines[0].clear();
        f.FaceStatus[0] = 0;
        f.FaceColor[0] = model::FaceSheet::kNoColor;
        f.FaceGroup[0] = 0;
    }
    f.ResizeFaceArrays();
    f.parsedFaces.resize(f.lines.size());
}

PointMapping CoincidentPoints(const model::PointSheet& p) {
    const size_t count = p.lines.size();
    PointMapping mapping(count);
    // Open addressing over point numbers: the table holds the first point of each place.
    size_t capacity = 16;
    while (capacity < count * 2) capacity *= 2;
    std::vector<int32_t> table(capacity, -1);
    struct Key {
        uint32_t x, y, z;
        bool operator==(const Key&) const = default;
    };
    auto keyOf = [&](size_t i) {
        const model::Vertex& v = p.parsedVertices[i];
        return Key{KeyBits(v.x), KeyBits(v.y), KeyBits(v.z)};
    };
    for (size_t i = 0; i < count; ++i) {
        mapping[i] = static_cast<int32_t>(i);
        if (!IsValidPoint(p, i) || i >= p.parsedVertices.size()) continue;
        const model::Vertex& v = p.parsedVertices[i];
        if (std::isnan(v.x) || std::isnan(v.y) || std::isnan(v.z)) continue;  // never equal
        const Key k = keyOf(i);
        uint64_t h = (uint64_t{k.x} * 0x9E3779B97F4A7C15ull) ^
                     (uint64_t{k.y} * 0xC2B2AE3D27D4EB4Full) ^
                     (uint64_t{k.z} * 0x165667B19E3779F9ull);
        h ^= h >> 29;
        for (size_t slot = h & (capacity - 1);; slot = (slot + 1) & (capacity - 1)) {
            const int32_t held = table[slot];
            if (held < 0) {
                table[slot] = static_cast<int32_t>(i);
                break;
            }
            if (keyOf(static_cast<size_t>(held)) == k) {
                mapping[i] = held;
                break;
            }
        }
    }
    return mapping;
}

bool ReadFace(const rm::MeshBuilder& mesh, size_t f, FaceGeometry& g) {
    if (f >= mesh.FaceCount()) return false;
    const int k = mesh.FaceVertexCount(f);
    if (k < 1) return false;
    g.q.resize(static_cast<size_t>(k));
    g.p.resize(static_cast<size_t>(k));
    for (size_t j = 0; j < static_cast<size_t>(k); ++j) {
        g.q[j] = mesh.FaceVertexIndex(f, j);
        mesh.GetFaceVertex(f, j, g.p[j]);
    }
    return mesh.GetFaceFrontNormal(f, g.normal);
}

OpsResult CopyFaces(model::MeshModel& m, const model::FaceIndexList& list, const FaceCopies& c) {
    if (c.copies <= 0) return {};
    ParseSheets(m);
    model::PointSheet& points = m.points;
    model::FaceSheet& faces = m.faces;
    const int32_t lastFace = faces.maxLine;
    std::vector<int32_t> corners;
    auto cornersOf = [&](int32_t f) -> size_t {
        if (f < 0 || f > lastFace ||
            !(faces.FaceStatus[static_cast<size_t>(f)] & model::FaceSheet::kStatusValid))
            return 0;
        corners.clear();
        return model::ParseFaceCornersInto(faces.lines[static_cast<size_t>(f)], corners);
    };
    auto forEachListed = [&](auto&& run) {
        if (list.all) {
            for (int32_t f = 0; f <= lastFace; ++f) run(f);
        } else {
            for (int32_t f : list.indices) run(f);
        }
    };
    // The room first: a division count no sheet could hold fails before anything changes.
    int64_t newPoints = 0, newFaces = 0;
    const int64_t facesPerSource = c.copies * (c.backFaces ? 2 : 1) + (c.backFaces ? 1 : 0);
    forEachListed([&](int32_t f) {
        const auto k = static_cast<int64_t>(cornersOf(f));
        if (k == 0) return;
        newPoints += c.copies * k;
        newFaces += facesPerSource;
    });
    if (newPoints > kMaxNewLines || newFaces > kMaxNewLines) return {false, kTooLargeText};
    if (c.newGroup && newFaces > 0 && m.groups.size() >= 65536) return {false, kTooLargeText};

    model::EmptyLineCursor pointPlace(points), facePlace(faces);
    auto& uv = m.textureAssignment.uvMap;
    auto& textures = m.textureAssignment.faceTextureMap;
    int32_t group = -1;  // the run's new group, once made
    std::string line;
    std::vector<int32_t> copy;

    auto addFace = [&](int32_t source, std::span<const int32_t> items, bool reverse,
                       uint16_t faceGroup, std::optional<uint16_t> texture) {
        const int32_t at = facePlace.Next();
        if (at > faces.maxLine) {
            faces.GrowTo(at);
            faces.ResizeFaceArrays();
        }
        const auto i = static_cast<size_t>(at);
        JoinCornersInto(items, faces.lines[i]);
        if (reverse) faces.lines[i] = model::ReverseFaceLine(faces.lines[i]);
        faces.FaceGroup[i] = faceGroup;
        faces.FaceColor[i] = faces.FaceColor[static_cast<size_t>(source)];
        faces.FaceStatus[i] &= static_cast<uint8_t>(~model::FaceSheet::kStatusOwnColor);
        if (texture)
            textures[at] = *texture;
        else
            textures.erase(at);
    };

    forEachListed([&](int32_t f) {
        const size_t k = cornersOf(f);
        if (k == 0) return;
        const auto src = static_cast<size_t>(f);
        if (c.newGroup) {
            if (group < 0) {
                const uint16_t old = faces.FaceGroup[src];
                model::GroupEntry entry;
                entry.name = *c.newGroup;
                const bool own = faces.FaceStatus[src] & model::FaceSheet::kStatusOwnColor;
                if (old < m.groups.size()) {
                    entry.color = m.groups[old].color;
                    entry.hasMaterial = m.groups[old].hasMaterial;
                    entry.material = m.groups[old].material;
                }
                if (own) entry.color = faces.FaceColor[src];
                m.groups.entries.push_back(std::move(entry));
                group = static_cast<int32_t>(m.groups.size() - 1);
            }
            faces.FaceGroup[src] = static_cast<uint16_t>(group);
            faces.FaceStatus[src] &= static_cast<uint8_t>(~model::FaceSheet::kStatusOwnColor);
        }
        const uint16_t faceGroup = faces.FaceGroup[src];
        std::optional<uint16_t> texture;
        if (auto t = textures.find(f); t != textures.end() && (c.carryNoTexture || t->second != 0))
            texture = t->second;
        const std::vector<int32_t> source = corners;
        if (c.backFaces) addFace(f, source, true, faceGroup, texture);
        copy.resize(k);
        for (int64_t n = 1; n <= c.copies; ++n) {
            for (size_t j = 0; j < k; ++j) {
                const int32_t q = source[j];
                const int32_t at = pointPlace.Next();
                points.GrowTo(at);
                const model::Vertex p = c.place(points.parsedVertices[static_cast<size_t>(q)], n);
                points.lines[static_cast<size_t>(at)] = model::FormatVector(p);
                if (auto t = uv.find(q); t != uv.end())
                    uv[at] = t->second;
                else
                    uv.erase(at);
                copy[j] = at;
            }
            addFace(f, copy, false, faceGroup, texture);
            if (c.backFaces) addFace(f, copy, true, faceGroup, texture);
        }
    });
    return {};
}

}  // namespace modeller::ops
