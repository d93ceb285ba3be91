// Prints the resource-file code of each catalogue named on the command line, one a line, or
// "!" and the reason. The build runs it at configure time to name the translation files, so
// that the names come from the same function as those of lumotrix-res.
#include "CatalogueName.h"

#include <cstdio>

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        std::string error;
        const std::string code = lumotrix::ResourceCodeOfCatalogue(argv[i], error);
        std::printf("%s\n", code.empty() ? ("!" + error).c_str() : code.c_str());
    }
    return 0;
}
