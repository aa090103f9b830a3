#pragma once
// Hand-written INI layouts with what the platform's profile reader makes of
// them (settled by running them through GetPrivateProfileStringA under Wine,
// and, for the section headers where Wine differs, by a public test suite
// recorded on Windows). Values are UTF-8. Shared by the portable reader's unit
// tests and the differential test.
#include <string>
#include <vector>

struct IniLayout {
    const char* what;
    std::string text;
    const char* section;
    const char* key;
    const char* expected; // the value read with the default "<def>"
    const char* wine = nullptr; // what Wine 8 reads instead, where it differs from Windows
};

inline std::vector<IniLayout> IniLayouts()
{
    return {
        IniLayout{"plain", "[s]\nk=v\n", "s", "k", "v"},
        IniLayout{"names ignore case", "[Screen]\nMain=v\n", "sCREEN", "MAIN", "v"},
        IniLayout{"blanks around value", "[s]\nk =  \t v w \t \n", "s", "k", "v w"},
        IniLayout{"blanks around asked names", "[s]\nk=v\n", " s ", " k\t", "v"},
        IniLayout{"CRLF", "[s]\r\nk=v\r\n", "s", "k", "v"},
        IniLayout{"CR only", "[s]\rk=v\r", "s", "k", "v"},
        IniLayout{"no final line end", "[s]\nk=v", "s", "k", "v"},
        IniLayout{"UTF-8 mark", "\xEF\xBB\xBF[s]\nk=v\n", "s", "k", "v"},
        IniLayout{"indented lines", "  [s]\n\tk=v\n", "s", "k", "v"},
        IniLayout{"missing key", "[s]\nk=v\n", "s", "x", "<def>"},
        IniLayout{"missing section", "[s]\nk=v\n", "t", "k", "<def>"},
        IniLayout{"empty value", "[s]\nk=\n", "s", "k", ""},
        IniLayout{"line without =", "[s]\nk\n", "s", "k", "<def>"},
        IniLayout{"double quotes", "[s]\nk=\"a b\"\n", "s", "k", "a b"},
        IniLayout{"single quotes", "[s]\nk='a'\n", "s", "k", "a"},
        IniLayout{"unmatched quote", "[s]\nk=\"a\n", "s", "k", "\"a"},
        IniLayout{"lone quote", "[s]\nk=\"\n", "s", "k", "\""},
        IniLayout{"inner quotes stay", "[s]\nk=a\"b\"\n", "s", "k", "a\"b\""},
        IniLayout{"semicolon in value stays", "[s]\nk=v ; note\n", "s", "k", "v ; note"},
        IniLayout{"comment line", "[s]\n;k=c\nk=v\n", "s", "k", "v"},
        IniLayout{"first duplicate key wins", "[s]\nk=1\nk=2\n", "s", "k", "1"},
        IniLayout{"only the first duplicate section", "[s]\na=1\n[s]\nb=2\n", "s", "b", "<def>"},
        IniLayout{"key before any section", "k=v\n[s]\n", "", "k", "v"},
        IniLayout{"section name trimmed", "[ s ]\nk=v\n", "s", "k", "v"},
        IniLayout{"text after ]", "[s] junk\nk=v\n", "s", "k", "v"},
        // Wine ends the name at the last ']' and reads a header without ']' as a key line.
        IniLayout{"first ] closes", "[a]b]\nk=v\n", "a", "k", "v", "<def>"},
        IniLayout{"[ without ] opens the section", "[s\nk=v\n", "s", "k", "v", "<def>"},
        IniLayout{"[ without ] is no key", "[s]\n[x=1\n", "s", "[x", "<def>", "1"},
        IniLayout{"second = belongs to the value", "[s]\nk=a=b\n", "s", "k", "a=b"},
        IniLayout{"Ctrl-Z is blank", "[s]\nk=v\x1a\n", "s", "k", "v"},
        IniLayout{"tab inside a key name", "[s]\nk\tx = v\n", "s", "k\tx", "v"},
        IniLayout{"no-break space is not blank", "[s]\nk=v\xA0\n", "s", "k", "v\xC2\xA0"},
        IniLayout{"ANSI high bytes", "[s]\nk=Caf\xE9\n", "s", "k", "Caf\xC3\xA9"},
        IniLayout{"empty name line", "[s]\n=v\n", "s", "", "v"}
    };
}
