#include "app/Startup.h"

int main(int argc, char** argv) {
    return lumotrix::RunProgram(argc, argv);
}
