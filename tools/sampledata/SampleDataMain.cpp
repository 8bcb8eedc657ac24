// sampledata RUN_FOLDER: writes RUN_FOLDER/Data/Pack.dat and RUN_FOLDER/Midi/*.mid.
#include <cstdio>

#include "SampleData.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: sampledata RUN_FOLDER\n");
        return 2;
    }
    if (!sampledata::WriteSampleData(argv[1])) {
        std::fprintf(stderr, "sampledata: cannot write the sample data into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
