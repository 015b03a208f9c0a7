#include "batch/BatchMain.h"

int main(int argc, char** argv) {
    return batchMain(argc, argv);
}
