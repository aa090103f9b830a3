#pragma once
// The discbuild command:
//   discbuild [--iso OUT.iso] [--usb OUT.img] [--volume ID] [--label TEXT]
//             [--medium NAME|SIZE] [--date EPOCH] [--sign-pfx FILE [--sign-password-file FILE]]
//             [--present PATH]... DISC
// Checks the disc folder with every skincheck check and its own (names on the
// medium, size, [autorun]), then writes the images, reads them back and prints
// a summary. Returns 0 built, 1 refused (errors: nothing written), 2 could not
// run (bad arguments, a missing tool).
#include <ostream>
#include <string>
#include <vector>

int RunDiscbuild(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
