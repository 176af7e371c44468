#include "tools/cli/subcommand.h"

namespace tools {

std::span<const Subcommand> Subcommands() {
    static const Subcommand table[] = {
        {"info", "Print what a model file (.mkl) or X file (.x) holds", DefineInfo},
        {"convert", "Convert between .mkl and .x, as the modeller opens and saves", DefineConvert},
        {"resave", "Load a model file and save it again", DefineResave},
        {"render", "Draw a model file or X file to a picture (.bmp, .jpg, .png)", DefineRender},
        {"tidy", "Remove blank lines and unused points, and renumber", DefineTidy},
        {"join", "Join points with the same coordinates, then tidy", DefineJoin},
        {"flip", "Turn every face to show its other side", DefineFlip},
        {"transform", "Move, scale, rotate or flip the whole model", DefineTransform},
        {"extrude", "Extrude faces into prisms or cones", DefineExtrude},
        {"mirror", "Set or clear the model's mirror", DefineMirror},
        {"mirror-bake", "Write the mirror image into the model and clear the mirror",
         DefineMirrorBake},
        {"figure", "Draw a rectangle or ellipse polygon on a plane into a model", DefineFigure},
        {"calc", "The vector calculator: OPERAND1 OPERATOR [OPERAND2]", DefineCalc},
        {"revolve", "Sweep faces around an axis into a solid of revolution", DefineRevolve},
        {"rotate-copy", "Copy faces turned about an axis in equal steps", DefineRotateCopy},
        {"face-copy", "Copy faces moved along a vector in equal steps", DefineFaceCopy},
        {"scene-move", "Move an item of a scene with everything linked to it", DefineSceneMove},
        {"scene-turn", "Turn an item of a scene with everything linked to it", DefineSceneTurn},
    };
    return table;
}

}  // namespace tools
