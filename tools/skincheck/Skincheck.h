#pragma once
// The skincheck command: skincheck [--preview OUT.png] [--present PATH]... DISC_FOLDER
// Prints one line per finding, "file:line: error|warning: message", then a
// summary. Returns the exit status: 0 without errors, 1 with errors, 2 when
// it could not run (bad arguments, no such folder, preview not written).
#include <ostream>
#include <string>
#include <vector>

int RunSkincheck(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
