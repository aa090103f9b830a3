// skincheck: checks a start-menu disc folder before it is burned.
#include "tools/skincheck/Skincheck.h"

#include <iostream>

int main(int argc, char** argv)
{
    return RunSkincheck(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
