// discbuild: makes the ISO and the USB image of a checked start-menu disc folder.
#include "tools/discbuild/Discbuild.h"

#include <iostream>

int main(int argc, char** argv)
{
    return RunDiscbuild(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
