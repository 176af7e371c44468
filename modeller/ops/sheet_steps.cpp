#include "modeller/ops/sheet_steps.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <map>

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

}  // namespace modeller::ops
