// The steps the modelling operations share: parsing the sheets as a rebuild does, closing
// the gaps of the point and face sheets, rewriting face lines through a point mapping, and
// finding coincident points.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/mesh_model.h"
#include "model/vector_text.h"
#include "modeller/ops/ops_host.h"
#include "platform/rm/mesh_builder.h"

namespace modeller::ops {

// Point line flags and vertices, then face validity (FaceStatus bit 0), as the render
// rebuild parses them; no render objects are touched.
void ParseSheets(model::MeshModel& model);
// Face validity alone, over the points as last parsed.
void ParseFaces(model::MeshModel& model);

// Corners as a face line ("a, b, c") into `out`, reusing its storage.
void JoinCornersInto(std::span<const int32_t> corners, std::string& out);

// Old point number -> new point number, -1 for a point that goes.
using PointMapping = std::vector<int32_t>;

// Every face line holding a comma is rewritten through the mapping, or emptied (with its
// texture) when one of its items maps to -1 or lies outside the mapping.
void RewriteFaces(model::MeshModel& model, const PointMapping& mapping);

// Valid point lines (line flag bit 0, as last parsed) move down over the others, each with
// its flags, parsed vertex and texture coordinates; faces follow through RewriteFaces;
// maxLine becomes the last valid point. Leaves the sheets parsed.
void CompactPoints(model::MeshModel& model);

// Invalid face lines go; valid ones (FaceStatus bit 0, as last parsed) move down with their
// status, colour, group, parsed corners and texture. Leaves the sheets parsed.
void CompactFaces(model::MeshModel& model);

// For each point, the first point with exactly the same stored coordinates (-0 equals 0):
// itself or an earlier one. Points whose line flag is clear map to themselves. Linear time.
PointMapping CoincidentPoints(const model::PointSheet& points);

// A face of the render mesh as the sweep operations read it: its point numbers, positions
// and front normal.
struct FaceGeometry {
    std::vector<int32_t> q;
    std::vector<rm::Vector3> p;
    rm::Vector3 normal{};
};
// False for a face the mesh does not hold or with no corners.
bool ReadFace(const rm::MeshBuilder& mesh, size_t face, FaceGeometry& g);

// Copies of faces, each copy with its own new points, added one line at a time into the
// first exactly empty line of each sheet (or appended): the rotate copy and the face copy.
struct FaceCopies {
    int64_t copies = 0;      // per face, numbered 1..copies
    bool backFaces = false;  // the reversed source and the reversed copies as well
    // A texture entry naming index 0 ("無し") is carried over too.
    bool carryNoTexture = true;
    // With a name: one group for the whole run, made at the first valid face (its colour
    // is that face's effective colour, its material that of the face's group); each source
    // face moves into it and loses its own colour. CP932.
    std::optional<std::string> newGroup;
    // Where copy k puts a point of the source face.
    std::function<model::Vertex(const model::Vertex&, int64_t k)> place;
};
// Checks the room first: a run beyond kMaxNewLines or a full group table changes nothing
// and returns kTooLargeText. Parses the sheets itself; leaves the final step to the caller.
OpsResult CopyFaces(model::MeshModel& model, const model::FaceIndexList& list,
                    const FaceCopies& copies);

// The sweep and copy dialogs' check of an empty face index list.
inline constexpr const char* kNoFaceListText = "面インデックスを入力してください";

// More new lines than one run may write to either sheet: the command fails with "Error!"
// before anything is written.
inline constexpr int64_t kMaxNewLines = 10'000'000;
inline constexpr const char* kTooLargeText = "Error!";

}  // namespace modeller::ops
