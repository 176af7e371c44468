// The steps the modelling operations share: parsing the sheets as a rebuild does, closing
// the gaps of the point and face sheets, rewriting face lines through a point mapping, and
// finding coincident points.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/mesh_model.h"

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

}  // namespace modeller::ops
