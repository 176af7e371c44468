// Turning the sheets' text into geometry for the render meshes.
#pragma once

#include <cstdint>

#include "model/sheet.h"

namespace viewport {

// Parses point lines into parsedVertices and line-flag bit 0: all of them, or only those in
// the change list and those added since the last parse. The change list is emptied. True
// when a vertex or a line's validity changed.
bool ParsePointLines(model::PointSheet& points, bool all);

// The highest point number whose line is a vertex, plus one (0 for an empty model).
int32_t UsedPointCount(const model::PointSheet& points);

// Parses every face line into parsedFaces: at least three corners, each a point below
// pointCount whose line is a vertex. Other lines become the degenerate face 0, 0, 0, so
// that render face i stays face line i. FaceStatus bit 0 tells which is which; the face
// arrays are brought to the sheet's size first.
void ParseFaceLines(model::FaceSheet& faces, const model::PointSheet& points, int32_t pointCount);

}  // namespace viewport
