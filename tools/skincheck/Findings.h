#pragma once
// What the rules find, and the phrases their messages share.
#include "tools/skincheck/DiscModel.h"

#include <cstddef>
#include <string>
#include <vector>

// Notes tell what the menu does with something unusual but harmless; they
// count neither as errors nor as warnings.
enum class Severity { Error, Warning, Note };

struct Finding {
    std::string file;     // below the disc folder, '/'-separated
    std::size_t line = 0; // 0: the file as a whole
    Severity severity = Severity::Warning;
    std::string message;
    const char* rule = ""; // a stable id, "family.what"
    std::string language{}; // found as a user of this language sees the disc; empty: the base sections
};

// The findings of one family, in the order it finds them.
class Findings {
public:
    void Add(const ConfigFile& file, std::size_t line, Severity severity, const char* rule, const std::string& message)
    {
        m_list.push_back(Finding{file.shown, line, severity, message, rule});
    }
    std::vector<Finding>& List() { return m_list; }

private:
    std::vector<Finding> m_list;
};

std::string Quote(const std::string& s);
std::string Size(int w, int h);
std::string WithArticle(const std::string& noun);
// "the a", "the a and the b", "the a, the b and the c"
std::string JoinFields(const std::vector<std::string>& names);
// "image button \"ID_EXIT\"": how messages name a control.
std::string Subject(const ModelControl& control);
