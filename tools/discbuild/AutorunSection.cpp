#include "tools/discbuild/AutorunSection.h"

#include "platform/IniDocument.h"
#include "platform/Text.h"
#include "platform/TextCodec.h"

namespace {

constexpr std::size_t kValueChars = 1024; // what the shell reads of one entry
constexpr std::size_t kLabelChars = 32;   // what Explorer shows of label=

using platform::TextEncoding;

// The program of an open= line: a quoted path, or the text up to the first blank.
std::string ProgramOf(const std::string& command)
{
    if (!command.empty() && command.front() == '"') {
        const std::size_t close = command.find('"', 1);
        return command.substr(1, close == std::string::npos ? std::string::npos : close - 1);
    }
    return command.substr(0, command.find_first_of(" \t"));
}

std::string Normalised(std::string path)
{
    for (char& c : path)
        if (c == '/')
            c = '\\';
    while (path.size() >= 2 && path.compare(0, 2, ".\\") == 0)
        path.erase(0, 2);
    while (!path.empty() && path.front() == '\\')
        path.erase(0, 1);
    return path;
}

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('\\');
    return slash == std::string::npos ? "" : path.substr(0, slash);
}

void Add(AutorunPlan& plan, std::size_t line, Severity severity, std::string message)
{
    plan.findings.push_back({"", line, severity, std::move(message)});
}

void CheckSection(const platform::IniDocument& ini, AutorunPlan& plan, const DiscFileExists& exists)
{
    const auto get = [&](const char* key) { return ini.GetString("autorun", key, "", kValueChars); };
    plan.open = Normalised(ProgramOf(get("open")));
    const std::string icon = get("icon");
    plan.icon = Normalised(icon.substr(0, icon.rfind(',') == std::string::npos ? icon.size() : icon.rfind(',')));
    if (!plan.open.empty() && !exists(plan.open))
        Add(plan, ini.KeyLine("autorun", "open"), Severity::Error,
            "open= names " + plan.open + ", which is not on the disc");
    if (!plan.icon.empty() && !exists(plan.icon))
        Add(plan, ini.KeyLine("autorun", "icon"), Severity::Error,
            "icon= names " + plan.icon + ", which is not on the disc");
    // Microsoft's Autorun.inf reference: the icon file must be in the directory of the open= file.
    if (!plan.open.empty() && !plan.icon.empty() && !platform::EqualNoCase(FolderOf(plan.open), FolderOf(plan.icon)))
        Add(plan, ini.KeyLine("autorun", "icon"), Severity::Error,
            "icon= names a file in another folder than the open= program: Windows takes the icon only from the "
            "program's folder");
    if (plan.open.empty() && get("shellexecute").empty())
        Add(plan, 0, Severity::Warning, "[autorun] has no open=: Windows offers no program when the disc is inserted");
    if (get("UseAutoPlay") == "1")
        Add(plan, ini.KeyLine("autorun", "UseAutoPlay"), Severity::Error,
            "UseAutoPlay=1 takes the program's task out of the AutoPlay dialog (Windows Vista and later)");
    for (const auto& key : ini.GetKeyNamesWithLines("autorun", 32767)) {
        std::string verb;
        if (platform::EqualNoCase(key.name, "shell"))
            verb = get("shell");
        else if (key.name.size() > 6 && platform::EqualNoCase(key.name.substr(0, 6), "shell\\"))
            verb = key.name.substr(6, key.name.find('\\', 6) - 6);
        if (verb.find_first_of(" \t") != std::string::npos)
            Add(plan, key.line, Severity::Error, "the shell verb '" + verb + "' holds a blank: Windows does not offer it");
    }
    const std::string label = get("label");
    plan.label = label;
    plan.openLine = ini.KeyLine("autorun", "open");
    plan.iconLine = ini.KeyLine("autorun", "icon");
    if (platform::Utf16Length(label) > kLabelChars)
        Add(plan, ini.KeyLine("autorun", "label"), Severity::Warning,
            "label= has " + std::to_string(platform::Utf16Length(label)) + " characters: Windows shows 32");
}

// The section's text in the file's encoding.
std::string Encode(const std::string& text, TextEncoding encoding, bool& lossy)
{
    std::string out;
    switch (encoding) {
    case TextEncoding::Utf16Le:
        for (char16_t unit : platform::Utf8ToUtf16(text)) {
            out += static_cast<char>(unit & 0xFF);
            out += static_cast<char>(unit >> 8);
        }
        return out;
    case TextEncoding::Utf8:
    case TextEncoding::Utf8Bom:
        return text;
    case TextEncoding::Ansi:
        break;
    }
    platform::ForEachCodePoint(text, [&](char32_t c) {
        const char b = c < 0x80 ? static_cast<char>(c) : platform::CodePointToCp1252(c);
        lossy = lossy || (b == '?' && c != '?');
        out += b;
    });
    return out;
}

bool EndsWithLineEnd(const std::string& bytes, TextEncoding encoding)
{
    if (encoding == TextEncoding::Utf16Le)
        return bytes.size() >= 2 && (bytes[bytes.size() - 2] == '\n' || bytes[bytes.size() - 2] == '\r') &&
               bytes.back() == 0;
    return !bytes.empty() && (bytes.back() == '\n' || bytes.back() == '\r');
}

std::size_t MarkSize(TextEncoding encoding)
{
    return encoding == TextEncoding::Utf8Bom ? 3 : encoding == TextEncoding::Utf16Le ? 2 : 0;
}

} // namespace

std::string AutorunSectionText(const std::string& label)
{
    return "[autorun]\r\nopen=autorun.exe\r\nicon=autorun.exe,0\r\nlabel=" + label + "\r\n";
}

AutorunPlan PlanAutorun(const std::optional<std::string>& bytes, const std::string& label,
                        const DiscFileExists& exists)
{
    AutorunPlan plan;
    const std::string original = bytes.value_or("");
    const auto shell = platform::IniDocument::ParseAsWindows(original);
    for (const auto& header : shell.SectionHeaders())
        if (platform::EqualNoCase(header.name, "autorun")) {
            CheckSection(shell, plan, exists);
            return plan;
        }

    const TextEncoding encoding = bytes ? platform::DetectEncoding(original)
                                        : (platform::Utf16Length(label) == label.size() ? TextEncoding::Ansi
                                                                                          : TextEncoding::Utf16Le);
    // The menu's reader reads past a UTF-8 mark, the shell does not: a section
    // of the author's on that first line only needs to move down one line.
    const auto menu = platform::IniDocument::Parse(original);
    if (encoding == TextEncoding::Utf8Bom && !menu.SectionHeaders().empty() &&
        platform::EqualNoCase(menu.SectionHeaders().front().name, "autorun") && menu.SectionHeaders().front().line == 1) {
        plan.image = original.substr(0, 3) + "\r\n" + original.substr(3);
        Add(plan, 1, Severity::Warning,
            "[autorun] stands on the first line of a file with a UTF-8 mark, where Windows' shell does not read it: "
            "the image's copy has an empty line before it");
        CheckSection(platform::IniDocument::ParseAsWindows(*plan.image), plan, exists);
        // Lines as the author counts them in the folder's file.
        for (std::size_t* line : {&plan.openLine, &plan.iconLine})
            *line -= *line > 1;
        for (auto& f : plan.findings)
            f.line -= f.line > 1;
        return plan;
    }

    bool lossy = false;
    std::string text = original;
    if (!bytes && encoding == TextEncoding::Utf16Le)
        text = "\xFF\xFE";
    if (encoding == TextEncoding::Utf16Le && text.size() % 2)
        text += '\0'; // a file cut in the middle of a unit: the section starts on a whole one
    // A header on the first line after a UTF-8 mark is lost to the shell, and
    // one glued to the author's last line would not be a header.
    const bool bare = text.size() == MarkSize(encoding);
    if ((!bare && !EndsWithLineEnd(text, encoding)) || (bare && encoding == TextEncoding::Utf8Bom))
        text += Encode("\r\n", encoding, lossy);
    text += Encode(AutorunSectionText(label), encoding, lossy);
    plan.image = text;
    if (lossy)
        Add(plan, 0, Severity::Warning,
            "label= holds letters that the file's ANSI code page lacks: the shell shows them as '?'");
    else if ((encoding == TextEncoding::Utf8 || encoding == TextEncoding::Utf8Bom) &&
             platform::Utf16Length(label) != label.size())
        Add(plan, 0, Severity::Warning,
            "label= holds letters beyond ASCII in a UTF-8 file: Windows' shell reads it in the ANSI code page");
    const auto written = platform::IniDocument::ParseAsWindows(text);
    CheckSection(written, plan, exists);
    return plan;
}
