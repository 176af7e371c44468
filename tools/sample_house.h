// The bundled sample: a little house with walls, a roof with a material, a door and a
// chimney, each in its own group.
#pragma once

#include "model/mesh_model.h"

namespace tools {

model::MeshModel MakeSampleHouse();

}  // namespace tools
