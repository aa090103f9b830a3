#include "tools/skincheck/DiscModel.h"

#include "app/AppPaths.h"
#include "platform/FileSystem.h"
#include "platform/Profile.h"
#include "skin/MaskRuns.h"
#include "skin/PictureAtDpi.h"
#include "skin/SkinFile.h"
#include "tools/skincheck/ModelBuilder.h"
#include "tools/skincheck/PictureDecoder.h"

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

std::size_t ConfigFile::LineFor(const std::string& section, const std::string& key) const
{
    const std::size_t line = doc.KeyLine(section, key);
    return line ? line : SectionLine(section);
}

std::string ConfigFile::Raw(const std::string& section, const std::string& key) const
{
    return doc.GetString(section, key, "", std::numeric_limits<std::size_t>::max());
}

std::string ConfigFile::Value(const std::string& section, const std::string& key, std::size_t bufferChars) const
{
    return platform::ReadProfileString(file.hostPath, section, key, "", bufferChars);
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
    std::vector<const ConfigFile*> files{&skin};
    if (autorun)
        files.push_back(&*autorun);
    for (const LaunchPlan& plan : plans)
        files.push_back(&plan.config);
    return files;
}

ConfigFile ModelBuilder::Open(const std::string& fullPath, const std::string& fallbackName) const
{
    ConfigFile config;
    config.file = m_disc.Find(fullPath, false);
    config.shown = config.file.relative.empty() ? fallbackName : config.file.relative;
    if (config.Present())
        if (auto bytes = platform::ReadWholeFile(config.file.hostPath)) {
            config.doc = platform::IniDocument::Parse(*bytes);
            config.read = true;
            config.ansiBeyondAscii = config.doc.Encoding() == platform::TextEncoding::Ansi &&
                                     std::any_of(bytes->begin(), bytes->end(),
                                                 [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
        }
    return config;
}

const PictureLoad& ModelBuilder::Decode(const DiscFile& file)
{
    auto it = m_model.decoded.find(file.hostPath);
    if (it == m_model.decoded.end()) {
        PictureLoad load;
        if (auto bytes = platform::ReadWholeFile(file.hostPath, kMaxPictureFileBytes))
            load = DecodePicture(*bytes);
        else
            load.problem = "the file cannot be read, or is too large";
        it = m_model.decoded.emplace(file.hostPath, std::move(load)).first;
    }
    return it->second;
}

DiscFile ModelBuilder::FindPicture(const std::string& name) const
{
    return m_disc.Find(PicturePath(m_model.skin.file.hostPath, name), false);
}

PictureRef ModelBuilder::Reference(const std::string& name, std::size_t line)
{
    PictureRef ref;
    ref.name = name;
    ref.line = line;
    if (name.empty())
        return ref;
    ref.file = FindPicture(name);
    if (ref.file.state != DiscFile::Present)
        return ref;
    ref.load = &Decode(ref.file);
    const PixelImage* oneX = ref.Picture();
    if (!oneX)
        return ref;
    // Drawn from at display scales above 100 % only when it loads and is exactly twice the size.
    ref.twoXName = TwoXPictureName(name);
    ref.twoXFile = FindPicture(ref.twoXName);
    if (ref.twoXFile.state == DiscFile::Present) {
        ref.twoXLoad = &Decode(ref.twoXFile);
        const PixelImage* twoX = ref.twoXLoad->picture ? &*ref.twoXLoad->picture : nullptr;
        if (twoX && JudgeTwoX(2 * kBaseDpi, oneX->size, &twoX->size) != TwoXVerdict::WrongSize)
            ref.twoX = twoX;
    }
    return ref;
}

std::optional<PixelImage> ModelBuilder::AtDpi(const std::string& name, PictureUse use)
{
    const PictureAtDpiResult scaled =
        PictureAtDpi(name, m_dpi, use, [this](const std::string& path) -> std::optional<PixelImage> {
            const DiscFile file = FindPicture(path);
            const PictureLoad* load = file.state == DiscFile::Present ? &Decode(file) : nullptr;
            if (!load || !load->picture)
                return std::nullopt;
            return *load->picture;
        });
    if (scaled.image.pixels.empty())
        return std::nullopt;
    return scaled.image;
}

void ModelBuilder::ReadScreen()
{
    const std::size_t screenLine = m_model.skin.SectionLine("Screen");
    if (!screenLine)
        return;
    // As the skin dialog reads them: the other four default to Main.
    const IniFile ini(m_model.skin.file.hostPath);
    const std::string main = ini.GetString("Screen", "Main", "");
    m_model.screen.reserve(5); // their references are pointed at
    for (const char* role : {"Main", "Mask", "Over", "Down", "Disabled"}) {
        const std::size_t keyLine = m_model.skin.doc.KeyLine("Screen", role);
        const bool written = role == std::string("Main") || keyLine;
        m_model.screen.push_back({role, written,
                                  written ? Reference(ini.GetString("Screen", role, main), keyLine ? keyLine : screenLine)
                                          : m_model.screen.front().ref});
        if (written)
            NoteTwoX(m_model.screen.back().ref);
    }
    // Without its Mask picture the window keeps the Main picture's size and no outline.
    const PixelImage* shape = m_model.Screen("Mask")->ref.Picture();
    const PixelImage* frame = shape ? shape : m_model.Screen("Main")->ref.Picture();
    if (frame)
        m_model.outline = LayOutWindow(*frame, shape);
}

void ModelBuilder::NoteTwoX(const PictureRef& ref)
{
    auto& set = m_model.twoXSet;
    if (ref.Picture() && std::none_of(set.begin(), set.end(), [&](const PictureRef* r) {
            return r->file.hostPath == ref.file.hostPath;
        }))
        set.push_back(&ref);
}

DiscModel BuildDiscModel(const DiscFolder& disc, int dpi)
{
    return ModelBuilder(disc, dpi).Build();
}

DiscModel ModelBuilder::Build()
{
    m_model.disc = &m_disc;
    m_paths = PathsFromModule(m_disc.ProgramDir() + "autorun.exe");
    m_model.skin = Open(m_paths.skinPath, "Data/main.ini");
    if (m_model.skin.Present()) {
        ReadScreen();
        for (const auto& kind : ControlKinds())
            for (const ControlLine& line : ReadControlLines(IniFile(m_model.skin.file.hostPath), kind))
                AddControl(line);
        for (const ModelControl& c : m_model.controls)
            for (const auto& [field, ref] : c.pictures)
                NoteTwoX(ref);
    }
    ReadAutorun();
    ReadPlan(m_disc.ProgramDir());
    ScaleWindow();
    NameFiles();
    return std::move(m_model);
}
