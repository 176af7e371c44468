#include "tools/cli/subcommand.h"

namespace tools {

std::span<const Subcommand> Subcommands() {
    static const Subcommand table[] = {
        {"info", "Print what a model file (.mkl) or X file (.x) holds", DefineInfo},
        {"convert", "Convert between .mkl and .x, as the modeller opens and saves", DefineConvert},
        {"resave", "Load a model file and save it again", DefineResave},
        {"render", "Draw a model file or X file to a picture (.bmp, .jpg, .png)", DefineRender},
        {"figure", "Draw a rectangle or ellipse polygon on a plane into a model", DefineFigure},
        {"calc", "The vector calculator: OPERAND1 OPERATOR [OPERAND2]", DefineCalc},
    };
    return table;
}

}  // namespace tools
