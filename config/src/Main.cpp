#include "ConfigProgram.h"

int main(int argc, char** argv)
{
    return config::RunConfigProgram(argc, argv);
}
