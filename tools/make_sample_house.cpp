// Writes the sample house model: make-sample-house OUT.mkl
#include <iostream>

#include "model/model_file.h"
#include "tools/sample_house.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make-sample-house OUT.mkl\n";
        return 2;
    }
    model::MeshModel house = tools::MakeSampleHouse();
    if (!model::SaveModelFile(house, argv[1])) {
        std::cerr << "make-sample-house: cannot write " << argv[1] << '\n';
        return 1;
    }
    return 0;
}
