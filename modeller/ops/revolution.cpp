#include "modeller/ops/revolution.h"

#include <algorithm>
#include <numbers>

#include "model/free_run.h"
#include "model/vector_text.h"
#include "modeller/ops/join_points.h"
#include "modeller/ops/sheet_steps.h"
#include "platform/text/cp932.h"
#include "viewport/model_pane.h"

namespace modeller::ops {

namespace {

using V3 = rm::Vector3;

constexpr const char* kGroupNameStem = "回転体";
constexpr size_t kMaxGroups = 65536;  // FaceGroup holds 16 bits

// Exactly on the axis: the cross product of the direction with the offset from the axis
// point has no component at all.
bool OnAxis(const V3& a, const V3& c, const V3& p) {
    const V3 x = rm::Cross(a, p - c);
    return x.x == 0 && x.y == 0 && x.z == 0;
}

struct Axis {
    V3 a{}, c{};
};

Axis ReadAxis(const std::string& text) {
    // Three to five numbers leave the point short: the missing coordinates are 0.
    std::vector<float> n = model::ParseNumberList(text, 6);
    n.resize(6, 0.0f);
    return {{n[0], n[1], n[2]}, {n[3], n[4], n[5]}};
}

// Group names in the table are CP932; a line break in one would break the file's line.
std::string TableName(const std::string& utf8) {
    std::string name = text::Sjis(utf8);
    std::erase_if(name, [](char ch) { return ch == '\r' || ch == '\n'; });
    return name;
}

int32_t FindGroup(const model::GroupTable& groups, const std::string& tableName) {
    for (size_t i = 1; i < groups.size(); ++i)
        if (groups[i].name == tableName) return static_cast<int32_t>(i);
    return -1;
}

// What one face of the sweep takes: new point lines and face lines.
struct Counts {
    int64_t points = 0, faces = 0;
};

Counts CountFace(const FaceGeometry& g, const Axis& axis, int64_t n, bool cap,
                 std::vector<char>& on) {
    const size_t k = g.q.size();
    on.resize(k);
    int64_t onCount = 0, perStep = 0;
    for (size_t j = 0; j < k; ++j) onCount += on[j] = OnAxis(axis.a, axis.c, g.p[j]);
    for (size_t j = 0; j < k; ++j) perStep += 2 - on[j] - on[(j + 1) % k];
    return {n * (static_cast<int64_t>(k) - onCount), n * perStep + (cap ? 1 : 0)};
}

}  // namespace

std::string GeneratedGroupName(const model::GroupTable& groups) {
    int number = 1;
    while (number < 9999 &&
           FindGroup(groups, TableName(kGroupNameStem + std::to_string(number))) >= 0)
        ++number;
    return kGroupNameStem + std::to_string(number);
}

RevolutionSettings OpenRevolution(const RevolutionSettings& remembered,
                                  const model::GroupTable& groups) {
    RevolutionSettings s = remembered;
    s.newGroup = false;
    s.groupName = GeneratedGroupName(groups);
    return s;
}

std::string ValidateRevolution(const model::MeshModel& m, const RevolutionSettings& s) {
    if (s.faceList.empty()) return kNoFaceListText;
    if (s.newGroup && FindGroup(m.groups, TableName(s.groupName)) >= 0) return kGroupExistsText;
    if (model::ParseNumberList(s.axis, 6).size() < 3) return kBadAxisVectorText;
    return {};
}

OpsResult ApplyRevolution(model::MeshModel& m, OpsHost& host, const RevolutionSettings& s) {
    if (std::string message = ValidateRevolution(m, s); !message.empty()) return {false, message};
    const model::FaceIndexList list = model::ParseFaceIndexList(s.faceList);
    const Axis axis = ReadAxis(s.axis);
    const V3 unit = rm::Normalize(axis.a);
    const auto n = static_cast<int64_t>(s.divisions);
    const bool fullTurn = s.angle == 360 || s.angle == -360;
    const bool cap = s.caps && !fullTurn;
    float step = s.angle / static_cast<float>(s.divisions) / 360.0f *
                 static_cast<float>(2 * std::numbers::pi);
    if (s.counterClockwise) step = -step;

    host.RebuildPointMarkers(viewport::kReparseAll | viewport::kNoRender);
    const rm::MeshBuilder& mesh = host.ModelMesh();
    // Validity as this rebuild found it: faces written below are never swept themselves.
    const std::vector<uint8_t> status = m.faces.FaceStatus;
    const int32_t lastFace = m.faces.maxLine;
    auto valid = [&](int32_t f) {
        return f >= 0 && f <= lastFace && static_cast<size_t>(f) < status.size() &&
               (status[static_cast<size_t>(f)] & model::FaceSheet::kStatusValid) &&
               static_cast<size_t>(f) < mesh.FaceCount();
    };
    auto forEachListed = [&](auto&& run) {
        if (list.all) {
            for (int32_t f = 0; f <= lastFace; ++f) run(f);
        } else {
            for (int32_t f : list.indices) run(f);
        }
    };

    // What the sheets and the group table would have to hold, before anything is written.
    FaceGeometry g;
    std::vector<char> on;
    Counts total;
    size_t newGroups = 0;
    forEachListed([&](int32_t f) {
        if (!valid(f) || !ReadFace(mesh, static_cast<size_t>(f), g)) return;
        const Counts c = CountFace(g, axis, n, cap, on);
        total.points += c.points;
        total.faces += c.faces;
        ++newGroups;
    });
    if (total.points > kMaxNewLines || total.faces > kMaxNewLines) return {false, kTooLargeText};
    if (s.newGroup && m.groups.size() + newGroups > kMaxGroups) return {false, kTooLargeText};

    model::FreeRunIndex pointRuns(m.points), faceRuns(m.faces);
    std::vector<size_t> offAxis, edges;  // point and edge numbers j of the face
    std::vector<int32_t> slot, capItems;
    const std::string groupName = TableName(s.groupName);
    auto& faceTextures = m.textureAssignment.faceTextureMap;

    forEachListed([&](int32_t f) {
        if (!valid(f) || !ReadFace(mesh, static_cast<size_t>(f), g)) return;
        const size_t uk = g.q.size();
        const Counts c = CountFace(g, axis, n, cap, on);

        // Flag 1: the face's front looks along the sweep, so new faces turn the other way.
        bool flag = false;
        for (size_t j = 0; j < uk; ++j) {
            if (on[j]) continue;
            const V3 t = rm::Normalize(rm::Cross(axis.a, g.p[j] - axis.c));
            flag = rm::Dot(t, rm::Normalize(g.normal)) >= 0;
            break;
        }
        if (step < 0) flag = !flag;

        const auto pointCount = static_cast<int32_t>(c.points);
        const auto faceCount = static_cast<int32_t>(c.faces);
        const int32_t first = pointRuns.Find(pointCount);
        if (pointCount > 0) {
            m.points.GrowTo(first + pointCount - 1);
            pointRuns.Filled(first, pointCount);
        }
        int32_t f0 = faceRuns.Find(faceCount);
        bool blankSource = false;
        if (faceCount > 0) {
            // A full turn replaces the source face; with nothing written it stays.
            const bool deleteSource = fullTurn && s.deleteSourceAtFullTurn;
            // The index learns of a block once the sheet holds it.
            if (deleteSource && f0 == f + 1) {
                f0 = f;
                m.faces.GrowTo(f0 + faceCount - 1);
                faceRuns.Filled(f + 1, faceCount - 1);
                faceTextures.erase(f);
            } else {
                m.faces.GrowTo(f0 + faceCount - 1);
                faceRuns.Filled(f0, faceCount);
                blankSource = deleteSource;
            }
            m.faces.ResizeFaceArrays();
        }

        // Ring 0 is the face itself; ring r (1..n) takes new points, in order, for the
        // points off the axis and shares those on it. Only the off-axis points and the edges
        // with an end off the axis are walked, so a huge division count costs no more than
        // the lines it writes.
        offAxis.clear();
        edges.clear();
        for (size_t j = 0; j < uk; ++j) {
            if (!on[j]) offAxis.push_back(j);
            if (!on[j] || !on[(j + 1) % uk]) edges.push_back(j);
        }
        const auto perRing = static_cast<int64_t>(offAxis.size());
        slot.assign(uk, 0);
        for (size_t i = 0; i < offAxis.size(); ++i) slot[offAxis[i]] = static_cast<int32_t>(i);
        auto point = [&](int64_t r, size_t j) -> int32_t {
            if (r == 0 || on[j]) return g.q[j];
            return first + static_cast<int32_t>((r - 1) * perRing + slot[j]);
        };
        for (int64_t r = 1; r <= n && perRing > 0; ++r) {
            const float angle = static_cast<float>(r) * step;
            for (size_t j : offAxis) {
                std::string& line = m.points.lines[static_cast<size_t>(point(r, j))];
                if (fullTurn && r == n) {
                    // The closing ring lies on the face itself: the same coordinates exactly,
                    // so the join closes the solid (rotating by 2π in floats drifts off it).
                    line = model::FormatVector(g.p[j].x, g.p[j].y, g.p[j].z);
                    const auto back = model::ParseVector(line);
                    if (!back || !(*back == model::Vertex{g.p[j].x, g.p[j].y, g.p[j].z}))
                        line = m.points.lines[static_cast<size_t>(g.q[j])];
                } else {
                    const V3 p = axis.c + rm::Rotate(g.p[j] - axis.c, unit, angle);
                    line = model::FormatVector(p.x, p.y, p.z);
                }
            }
        }

        int32_t nextFace = f0;
        auto write = [&](std::span<int32_t> face, bool reverse) {
            if (reverse) std::reverse(face.begin(), face.end());
            JoinCornersInto(face, m.faces.lines[static_cast<size_t>(nextFace++)]);
        };
        for (int64_t r = 0; r < n && !edges.empty(); ++r) {
            for (size_t j : edges) {
                const size_t j2 = (j + 1) % uk;
                int32_t items[4] = {point(r, j2), point(r, j), point(r + 1, j), point(r + 1, j2)};
                // A repeated item makes a triangle: of two equal neighbours in A, B, C, D order
                // the first goes, otherwise D goes; a later repeat decides.
                int drop = -1;
                for (int x = 0; x < 3; ++x)
                    for (int y = x + 1; y < 4; ++y)
                        if (items[y] == items[x]) {
                            drop = y == x + 1 ? x : 3;
                            break;
                        }
                if (drop < 0) {
                    if (flag) std::reverse(std::begin(items), std::end(items));
                    int32_t a[] = {items[0], items[1], items[2]};
                    int32_t b[] = {items[0], items[2], items[3]};
                    write(a, false);
                    write(b, false);
                } else {
                    int32_t tri[3];
                    for (int i = 0, o = 0; i < 4; ++i)
                        if (i != drop) tri[o++] = items[i];
                    write(tri, flag);
                }
            }
        }
        if (cap) {
            capItems.resize(uk);
            for (size_t j = 0; j < uk; ++j) capItems[j] = point(n, j);
            write(capItems, !flag);
        }
        if (!fullTurn && flag && s.flipSource) {
            std::string& line = m.faces.lines[static_cast<size_t>(f)];
            line = model::ReverseFaceLine(line);
        }

        // The new faces, and the source, go to the target group without an own colour.
        model::FaceSheet& faces = m.faces;
        const auto src = static_cast<size_t>(f);
        uint16_t target = faces.FaceGroup[src];
        if (s.newGroup) {
            const size_t old = target < m.groups.size() ? target : 1;
            model::GroupEntry entry = m.groups[old];
            if (faces.FaceStatus[src] & model::FaceSheet::kStatusOwnColor)
                entry.color = faces.FaceColor[src];
            entry.name = groupName;
            m.groups.entries.push_back(std::move(entry));
            target = static_cast<uint16_t>(m.groups.size() - 1);
            faces.FaceStatus[src] &= static_cast<uint8_t>(~model::FaceSheet::kStatusOwnColor);
        }
        faces.FaceGroup[src] = target;
        for (int32_t line = f0; line < nextFace; ++line) {
            const auto i = static_cast<size_t>(line);
            faces.FaceGroup[i] = target;
            faces.FaceStatus[i] &= static_cast<uint8_t>(~model::FaceSheet::kStatusOwnColor);
            if (!faceTextures.empty()) faceTextures.erase(line);
        }
        if (blankSource) {
            faces.lines[src].clear();
            faceTextures.erase(f);
            faceRuns.Freed(f);
        }
    });

    FinishWithJoin(m, host, s.noJoin);
    return {};
}

}  // namespace modeller::ops
