#include "tools/cli/subcommand.h"

namespace tools {

std::span<const Subcommand> Subcommands() {
    static const Subcommand table[] = {
        {"info", "Print what a model file (.mkl) or X file (.x) holds", DefineInfo},
        {"convert", "Convert between .mkl and .x, as the modeller opens and saves", DefineConvert},
        {"resave", "Load a model file and save it again", DefineResave},
        {"render", "Draw a model file or X file to a picture (.bmp, .jpg, .png)", DefineRender},
        {"revolve", "Sweep faces around an axis into a solid of revolution", DefineRevolve},
        {"rotate-copy", "Copy faces turned about an axis in equal steps", DefineRotateCopy},
        {"face-copy", "Copy faces moved along a vector in equal steps", DefineFaceCopy},
    };
    return table;
}

}  // namespace tools
