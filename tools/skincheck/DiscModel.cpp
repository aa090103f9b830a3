#include "tools/skincheck/DiscModel.h"

#include "platform/LanguageSections.h"
#include "platform/Profile.h"
#include "skin/MaskRuns.h"

#include <algorithm>
#include <limits>

using platform::EqualNoCase;

std::size_t ConfigFile::SectionLine(const std::string& section) const
{
    for (const auto& header : doc.SectionHeaders())
        if (EqualNoCase(header.name, section))
            return header.line;
    return 0;
}

std::string ConfigFile::SectionFor(const std::string& section, const std::string& key) const
{
    return platform::LanguageSectionFor(doc, languages, section, key);
}

std::size_t ConfigFile::LanguageSectionLine(const std::string& section) const
{
    for (const std::string& language : languages)
        for (const auto& header : doc.SectionHeaders()) {
            const auto split = platform::SplitLanguageSection(header.name);
            if (split && EqualNoCase(split->base, section) && platform::NormalLanguageTag(split->tag) == language &&
                platform::JudgeLanguageSection(doc, header.name) == platform::LanguageSectionState::Read)
                return header.line;
        }
    return 0;
}

std::size_t ConfigFile::KeyLine(const std::string& section, const std::string& key) const
{
    return doc.KeyLine(SectionFor(section, key), key);
}

std::size_t ConfigFile::LineFor(const std::string& section, const std::string& key) const
{
    const std::size_t line = KeyLine(section, key);
    return line ? line : SectionLine(section);
}

std::string ConfigFile::Raw(const std::string& section, const std::string& key) const
{
    return doc.GetString(SectionFor(section, key), key, "", std::numeric_limits<std::size_t>::max());
}

std::string ConfigFile::Value(const std::string& section, const std::string& key, std::size_t bufferChars) const
{
    return platform::ReadProfileString(file.hostPath, section, key, "", bufferChars, languages);
}

WindowOutline LayOutWindow(const PixelImage& frame, const PixelImage* shape)
{
    WindowOutline outline;
    outline.width = frame.size.width;
    outline.height = frame.size.height;
    outline.shaped = shape != nullptr;
    outline.any = !shape;
    outline.inside.assign(static_cast<std::size_t>(frame.size.width) * static_cast<std::size_t>(frame.size.height),
                          shape ? 0 : 1);
    if (!shape)
        return outline;
    // The same run scan that shapes the window.
    const MaskPixels pixels{shape->pixels.data(), static_cast<std::ptrdiff_t>(shape->size.width) * 4,
                            shape->size.width, shape->size.height};
    RunBuffer runs([&](const RunBatch& batch) {
        for (std::size_t i = 0; i < batch.count; ++i) {
            const SkinRect& r = batch.rects[i];
            std::fill_n(outline.inside.begin() + static_cast<std::ptrdiff_t>(r.top) * shape->size.width + r.left,
                        r.Width(), std::uint8_t(1));
            outline.any = true;
        }
        return true;
    });
    CollectMaskRuns(pixels, TransparentRange(kSkinCutColour, kSkinCutTolerance), runs);
    return outline;
}

const ScreenPicture* DiscModel::Screen(const char* role) const
{
    for (const ScreenPicture& s : screen)
        if (std::string(s.role) == role)
            return &s;
    return nullptr;
}

std::vector<std::string> DiscModel::LanguageBases(const ConfigFile& file) const
{
    std::vector<std::string> bases;
    if (&file == &skin) {
        bases.push_back("Screen");
        for (const auto& kind : ControlKinds())
            bases.push_back(kind.section);
    } else if (autorun && &file == &*autorun) {
        bases = {kRunFilesSection, kTextInfoSection};
    }
    return bases;
}

std::vector<std::string> DiscModel::LanguagesFound() const
{
    std::map<std::string, std::string> found; // by normal tag
    for (const ConfigFile* file : {&skin, autorun ? &*autorun : nullptr}) {
        const std::vector<std::string> bases = file ? LanguageBases(*file) : std::vector<std::string>{};
        for (std::size_t i = 0; file && i < file->doc.SectionCount(); ++i) {
            const std::string& name = file->doc.SectionName(i);
            const auto split = platform::SplitLanguageSection(name);
            if (split && platform::JudgeLanguageSection(file->doc, name) == platform::LanguageSectionState::Read &&
                std::any_of(bases.begin(), bases.end(), [&](const std::string& b) { return EqualNoCase(b, split->base); }))
                found.emplace(platform::NormalLanguageTag(split->tag), std::string(split->tag));
        }
    }
    std::vector<std::string> tags;
    for (const auto& [normal, tag] : found)
        tags.push_back(tag);
    return tags;
}

bool DiscModel::HasImageButton(const std::string& name) const
{
    return std::any_of(controls.begin(), controls.end(),
                       [&](const ModelControl& c) { return c.Is(ControlKindId::ImageButton) && c.Name() == name; });
}

const ModelControl* DiscModel::InfoLabel() const
{
    for (const ModelControl& c : controls)
        if (c.Is(ControlKindId::TextLabel) && c.Name() == kInfoLabelName)
            return &c;
    return nullptr;
}

std::vector<const ConfigFile*> DiscModel::Files() const
{
    std::vector<const ConfigFile*> read{&skin};
    if (autorun)
        read.push_back(&*autorun);
    for (const LaunchPlan& plan : plans)
        read.push_back(&plan.config);
    return read;
}
