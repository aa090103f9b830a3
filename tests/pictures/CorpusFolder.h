#pragma once
// The corpus programs' shared parts: their one argument, the folder of the
// generated corpus, and the list of its files.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

// The folder named on the command line, or "" after printing how to call `program`.
inline std::string CorpusFolder(int argc, char** argv, const char* program)
{
    if (argc == 2 && *argv[1])
        return argv[1];
    std::fprintf(stderr, "usage: %s DIR\n", program);
    return {};
}

// The corpus files in the order the generator wrote them (DIR/corpus.txt).
inline std::vector<std::string> CorpusNames(const std::string& dir)
{
    std::vector<std::string> names;
    std::ifstream list(dir + "/corpus.txt");
    for (std::string name; std::getline(list, name);)
        names.push_back(name);
    return names;
}
