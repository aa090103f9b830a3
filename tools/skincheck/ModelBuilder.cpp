// DiscModel built: each part of the disc read once, in the order the
// programs read them: main.ini with the Screen pictures and the controls
// with their looks and clicks, AUTORUN.INF, verpick's plans, then the window
// at the preview's scale and the files the disc names.
#include "app/AppPaths.h"
#include "launcher/LaunchPlan.h"
#include "platform/LanguageSections.h"
#include "skin/SkinFile.h"
#include "tools/skincheck/DiscFiles.h"

#include <algorithm>

namespace {

class ModelBuilder {
public:
    ModelBuilder(const DiscFolder& disc, int dpi, const std::string& language) : m_disc(disc), m_dpi(dpi)
    {
        m_model.language = language;
        if (!language.empty())
            m_model.languages = platform::ChooseLanguages({language});
    }

    DiscModel Build();

private:
    void NoteTwoX(const PictureRef& ref);

    IniFile Skin() const { return IniFile(m_model.skin.file.hostPath, m_model.languages); }
    void ReadScreen();
    void ReadBaseWindow();
    void AddControl(const ControlLine& line);
    void ReadClick(ModelControl& control) const;
    void ReadAutorun();
    const LaunchPlan& ReadPlan(const std::string& dir);
    void ScaleWindow();
    void NameFiles();

    const DiscFolder& m_disc;
    const int m_dpi; // the preview's
    AppPaths m_paths;
    DiscModel m_model;
    PictureReader m_pictures{m_disc, m_model.skin.file.hostPath, m_model.decoded, m_dpi};
};

} // namespace

void ModelBuilder::ReadScreen()
{
    const std::size_t screenLine = m_model.skin.SectionLine("Screen");
    if (!screenLine)
        return;
    // As the skin dialog reads them: the other four default to Main.
    const IniFile ini = Skin();
    const std::string main = ini.GetString("Screen", "Main", "");
    m_model.screen.reserve(5); // their references are pointed at
    for (const char* role : {"Main", "Mask", "Over", "Down", "Disabled"}) {
        const std::size_t keyLine = m_model.skin.KeyLine("Screen", role);
        const bool written = role == std::string("Main") || keyLine;
        m_model.screen.push_back({role, written,
                                  written ? m_pictures.Reference(ini.GetString("Screen", role, main), keyLine ? keyLine : screenLine)
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

// The window of the base sections, which every user whose language no
// section names sees: its Mask picture's size, else its Main picture's.
void ModelBuilder::ReadBaseWindow()
{
    const IniFile base(m_model.skin.file.hostPath);
    const std::string main = base.GetString("Screen", "Main", "");
    for (const std::string& name : {base.GetString("Screen", "Mask", main), main})
        if (const PixelImage* picture = m_pictures.Reference(name, 0).Picture()) {
            m_model.baseWindow = picture->size;
            return;
        }
}

void ModelBuilder::NoteTwoX(const PictureRef& ref)
{
    auto& set = m_model.twoXSet;
    if (ref.Picture() && std::none_of(set.begin(), set.end(), [&](const PictureRef* r) {
            return r->file.hostPath == ref.file.hostPath;
        }))
        set.push_back(&ref);
}

void ModelBuilder::AddControl(const ControlLine& line)
{
    const ControlKind& kind = *line.kind;
    ModelControl c;
    c.kind = &kind;
    c.fields = line;
    c.line = m_model.skin.KeyLine(kind.section, std::to_string(line.key));
    for (int field = 1; field <= kind.FieldCount(); ++field)
        if (kind.Format(field).type == FieldType::Picture)
            c.pictures.emplace_back(field, m_pictures.Reference(line.Field(field), c.line));
    for (const auto& [field, ref] : c.pictures) {
        if (!ref.Picture())
            continue;
        if (kind.Format(field).role == FieldRole::Thumb)
            c.thumb = &ref;
        if (kind.Format(field).role == FieldRole::Mask)
            c.ownMask = ref.Picture();
    }
    if (kind.FieldOf(FieldRole::Position)) {
        c.position = std::clamp<std::int32_t>(line.Number(FieldRole::Position), 0, 100);
        c.horizontal = line.Flag(FieldRole::Horizontal);
    }
    // Every look is the control's rectangle cut from one full-window picture;
    // a button with a static look shows its Main crop whatever its state.
    if ((c.Is(ControlKindId::ImageButton) || c.Is(ControlKindId::ButtonEx)) && !m_model.screen.empty()) {
        const bool still = line.Flag(FieldRole::StaticLook);
        const std::pair<const char*, const char*> states[] = {
            {"normal", "Main"}, {"hovered", "Over"}, {"pressed", "Down"}, {"disabled", "Disabled"}};
        for (const auto& [state, role] : states)
            c.looks.push_back({state, m_model.Screen(still ? "Main" : role)->ref.name, line.rect});
    }
    m_model.controls.push_back(std::move(c));
}

// What a click on an image button does, decided by the menu's own dispatch.
void ModelBuilder::ReadClick(ModelControl& control) const
{
    const ConfigFile* inf = m_model.autorun && m_model.autorun->Present() ? &*m_model.autorun : nullptr;
    const auto readInf = [&](const std::string& section, const std::string& key) {
        return inf ? inf->Value(section, key, kInfValueBufferChars) : std::string();
    };
    const auto exists = [&](const std::string& path) {
        control.clickTarget = m_disc.Find(path, true);
        return control.clickTarget.IsThere();
    };
    control.click = DecideMenuClick(control.Name(), m_disc.ProgramDir(), readInf, exists);
}

void ModelBuilder::ReadAutorun()
{
    std::vector<std::string> programButtons;
    for (char n = kFirstProgramButton; n <= kLastProgramButton; ++n)
        if (m_model.HasImageButton(kProgramButtonPrefix + std::string(1, n)))
            programButtons.push_back(kProgramButtonPrefix + std::string(1, n));
    // Nothing in the menu reads AUTORUN.INF without these buttons.
    if (!programButtons.empty() || m_model.HasImageButton(kHomePageCommand)) {
        m_model.autorun = ReadConfigFile(m_disc, m_paths.autorunInfPath, kAutorunInfName);
        m_model.autorun->languages = m_model.languages;
    }
    for (ModelControl& c : m_model.controls)
        if (c.Is(ControlKindId::ImageButton))
            ReadClick(c);
    if (!m_model.autorun || !m_model.autorun->Present())
        return;
    // A button that starts verpick.exe: it reads config.ini beside itself.
    for (const std::string& name : programButtons) {
        const std::string value = m_model.autorun->Value(kRunFilesSection, name, kInfValueBufferChars);
        const std::size_t slash = value.find_last_of("\\/");
        const std::string folder = slash == std::string::npos ? "" : value.substr(0, slash + 1);
        if (!platform::EqualNoCase(value.substr(folder.size()), "verpick.exe"))
            continue;
        const std::string dir = m_disc.ProgramDir() + folder;
        LauncherButton button{name, value, nullptr};
        if (m_disc.Find(dir + launcher::kConfigFileName, false).IsThere())
            button.plan = &ReadPlan(dir);
        m_model.launchers.push_back(button);
    }
}

const LaunchPlan& ModelBuilder::ReadPlan(const std::string& dir)
{
    for (const LaunchPlan& plan : m_model.plans)
        if (plan.dir == dir)
            return plan;
    LaunchPlan& plan = m_model.plans.emplace_back();
    plan.dir = dir;
    plan.config = ReadConfigFile(m_disc, dir + launcher::kConfigFileName, launcher::kConfigFileName);
    if (!plan.config.Present())
        return plan;
    const std::pair<launcher::VersionClass, const char*> versions[] = {
        {launcher::VersionClass::VistaOrLater, "Windows Vista and later"},
        {launcher::VersionClass::WindowsXp, "Windows XP and older"}};
    for (const auto& [version, windows] : versions) {
        LaunchPlan::Choice choice;
        choice.key = launcher::ChooseConfigKey(version);
        choice.windows = windows;
        choice.required = version == launcher::VersionClass::VistaOrLater;
        choice.value = plan.config.Value(launcher::kConfigSection, choice.key, launcher::kConfigValueBufferChars);
        // The launcher's own rule finds the program within the command line.
        if (!choice.value.empty())
            choice.commandLine = launcher::BuildCommandLine(dir, choice.value, [&](const std::string& path) {
                if (!choice.found)
                    choice.program = m_disc.Find(path, false);
                choice.found = choice.found || choice.program.IsThere();
                return choice.found;
            });
        plan.choices.push_back(choice);
    }
    return plan;
}

// The window for the preview at the preview's display scale: every picture by
// the menu's rules, every rectangle by its edges.
void ModelBuilder::ScaleWindow()
{
    ScaledWindow& scaled = m_model.scaled;
    scaled.dpi = m_dpi;
    if (m_model.outline.width == 0)
        return;
    const PictureRef& main = m_model.Screen("Main")->ref;
    const PictureRef& mask = m_model.Screen("Mask")->ref;
    const bool asDrawn = m_dpi == kBaseDpi;
    const auto atScale = [&](const PictureRef* ref, PictureUse use) -> std::optional<PixelImage> {
        if (!ref || !ref->Picture())
            return std::nullopt;
        return asDrawn ? std::optional<PixelImage>(*ref->Picture()) : m_pictures.AtDpi(ref->name, use);
    };
    scaled.main = atScale(&main, PictureUse::Colour);
    const std::optional<PixelImage> shape = atScale(&mask, PictureUse::Mask);
    const PixelImage* frame = mask.Picture() ? (shape ? &*shape : nullptr) : (scaled.main ? &*scaled.main : nullptr);
    if (!frame) { // too large to draw at this scale
        scaled = ScaledWindow{};
        scaled.dpi = m_dpi;
        return;
    }
    scaled.outline = LayOutWindow(*frame, shape ? &*shape : nullptr);
    scaled.over = atScale(&m_model.Screen("Over")->ref, PictureUse::Colour);
    scaled.down = atScale(&m_model.Screen("Down")->ref, PictureUse::Colour);
    for (const ModelControl& c : m_model.controls) {
        const auto field = [&](FieldRole role) -> const PictureRef* {
            for (const auto& [number, ref] : c.pictures)
                if (c.kind->Format(number).role == role)
                    return &ref;
            return nullptr;
        };
        scaled.rects.push_back(ScaleRect(c.fields.rect, m_dpi));
        scaled.thumbs.push_back(atScale(c.thumb, PictureUse::Colour));
        scaled.thumbDowns.push_back(atScale(field(FieldRole::ThumbDown), PictureUse::Colour));
        scaled.ownMasks.push_back(atScale(field(FieldRole::Mask), PictureUse::Mask));
    }
}

void ModelBuilder::NameFiles()
{
    const auto name = [&](const std::string& written, const DiscFile& file, const ConfigFile& by, std::size_t line) {
        if (!written.empty())
            m_model.files.push_back({written, file, by.shown, line});
    };
    for (const ScreenPicture& s : m_model.screen)
        if (s.written)
            name(s.ref.name, s.ref.file, m_model.skin, s.ref.line);
    for (const ModelControl& c : m_model.controls)
        for (const auto& [field, ref] : c.pictures)
            name(ref.name, ref.file, m_model.skin, ref.line);
    // What the program buttons open, each once.
    for (char n = kFirstProgramButton; m_model.autorun && m_model.autorun->Present() && n <= kLastProgramButton; ++n) {
        const std::string button = kProgramButtonPrefix + std::string(1, n);
        const auto c = std::find_if(m_model.controls.begin(), m_model.controls.end(), [&](const ModelControl& m) {
            return m.Is(ControlKindId::ImageButton) && m.Name() == button;
        });
        if (c != m_model.controls.end())
            name(m_model.autorun->Value(kRunFilesSection, button, kInfValueBufferChars), c->clickTarget,
                 *m_model.autorun, m_model.autorun->LineFor(kRunFilesSection, button));
    }
    for (const LaunchPlan& plan : m_model.plans)
        for (const LaunchPlan::Choice& choice : plan.choices)
            name(choice.value, choice.program, plan.config, plan.config.LineFor(launcher::kConfigSection, choice.key));
}

DiscModel BuildDiscModel(const DiscFolder& disc, int dpi, const std::string& language)
{
    return ModelBuilder(disc, dpi, language).Build();
}

DiscModel ModelBuilder::Build()
{
    m_model.disc = &m_disc;
    m_paths = PathsFromModule(m_disc.ProgramDir() + "autorun.exe");
    m_model.skin = ReadConfigFile(m_disc, m_paths.skinPath, "Data/main.ini");
    m_model.skin.languages = m_model.languages;
    if (m_model.skin.Present()) {
        ReadScreen();
        if (!m_model.languages.empty() && m_model.skin.SectionLine("Screen"))
            ReadBaseWindow();
        for (const auto& kind : ControlKinds())
            for (const ControlLine& line : ReadControlLines(Skin(), kind))
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
