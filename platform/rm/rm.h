// The retained-mode 3D engine: include this for all of it.
#pragma once

#include "platform/rm/color.h"
#include "platform/rm/device.h"
#include "platform/rm/error.h"
#include "platform/rm/frame.h"
#include "platform/rm/light.h"
#include "platform/rm/material.h"
#include "platform/rm/matrix.h"
#include "platform/rm/mesh_builder.h"
#include "platform/rm/texture.h"
#include "platform/rm/vector.h"
#include "platform/rm/viewport.h"
#include "platform/rm/visual.h"
#include "platform/rm/wrap.h"
