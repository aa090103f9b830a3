#pragma once
// Names that are nearly right: what an author probably meant by a name that
// the programs do not know (a misspelt section, a command in British spelling).
#include <string>
#include <vector>

// Upper case, without blanks, underscores and hyphens, and "ISE" read as "IZE":
// names that a person reads as the same give the same text.
std::string LooseName(const std::string& name);

// The candidate most probably meant by `name`, compared loosely: equal, or a
// letter or two added, dropped, changed or swapped (one for names of four to
// seven letters, none below). Empty when no candidate is that near; the first
// of equally near ones.
std::string ProbablyMeant(const std::string& name, const std::vector<std::string>& candidates);

// ID_BUTTON followed by a number, loosely written: a program button, in range or not.
bool LooksLikeProgramButton(const std::string& name);
