// Framing a whole model: the camera keeps a chosen view direction and steps back until every
// vertex lies inside a given share of the picture.
#pragma once

#include <optional>
#include <span>

#include "platform/rm/vector.h"

namespace viewport {

struct CameraFit {
    rm::Vector3 position;
    rm::Vector3 lookAt;  // the centre of the vertices' bounding box
    rm::Vector3 up;      // the world's y made square to the view direction
};

struct FitView {
    rm::Vector3 direction{-1, -1, 5};  // the default pose's line of sight, (1, 1, -5) to 0
    int width = 640, height = 480;     // the viewport's rectangle in pixels
    float front = 0.0625f, field = 0.03125f;
    float fill = 0.8f;  // share of the picture's width and height the model may use
};

// The up vector of a camera looking along `direction` without roll: the world's y made square
// to it (z when looking straight up or down). Zero for a zero direction.
rm::Vector3 LevelUpVector(rm::Vector3 direction);

// The camera that shows every vertex of every list within `fill` of the picture, looking at
// the bounding box's centre along the view direction. Nothing when there is no finite vertex
// or the view is unusable.
std::optional<CameraFit> FitCamera(std::span<const std::span<const rm::Vector3>> vertexLists,
                                   const FitView& view);

}  // namespace viewport
