// The parts of DiscModel that follow the Screen pictures: the controls with
// their looks and clicks, AUTORUN.INF, verpick's plans, the window at the
// preview's scale and the files the disc names.
#include "tools/skincheck/ModelBuilder.h"

#include "launcher/LaunchPlan.h"

#include <algorithm>

void ModelBuilder::AddControl(const ControlLine& line)
{
    const ControlKind& kind = *line.kind;
    ModelControl c;
    c.kind = &kind;
    c.fields = line;
    c.line = m_model.skin.doc.KeyLine(kind.section, std::to_string(line.key));
    for (int field = 1; field <= kind.FieldCount(); ++field)
        if (kind.Format(field).type == FieldType::Picture)
            c.pictures.emplace_back(field, Reference(line.Field(field), c.line));
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
    if (!programButtons.empty() || m_model.HasImageButton(kHomePageCommand))
        m_model.autorun = Open(m_paths.autorunInfPath, kAutorunInfName);
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
    plan.config = Open(dir + launcher::kConfigFileName, launcher::kConfigFileName);
    if (!plan.config.Present())
        return plan;
    const std::pair<launcher::VersionClass, const char*> versions[] = {
        {launcher::VersionClass::VistaOrLater, "Windows Vista and later"},
        {launcher::VersionClass::WindowsXp, "Windows XP and older"}};
    for (const auto& [version, windows] : versions) {
        LaunchPlan::Choice choice{launcher::ChooseConfigKey(version), windows,
                                  version == launcher::VersionClass::VistaOrLater};
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
    if (main.Picture())
        scaled.main = asDrawn ? *main.Picture() : AtDpi(main.name, PictureUse::Colour);
    const std::optional<PixelImage> shape =
        !mask.Picture() ? std::nullopt : asDrawn ? *mask.Picture() : AtDpi(mask.name, PictureUse::Mask);
    const PixelImage* frame = mask.Picture() ? (shape ? &*shape : nullptr) : (scaled.main ? &*scaled.main : nullptr);
    if (!frame) { // too large to draw at this scale
        scaled = ScaledWindow{m_dpi, std::nullopt, {}, {}, {}};
        return;
    }
    scaled.outline = LayOutWindow(*frame, shape ? &*shape : nullptr);
    for (const ModelControl& c : m_model.controls) {
        scaled.rects.push_back(ScaleRect(c.fields.rect, m_dpi));
        scaled.thumbs.push_back(!c.thumb ? std::nullopt
                                : asDrawn ? *c.thumb->Picture()
                                          : AtDpi(c.thumb->name, PictureUse::Colour));
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
    if (m_model.autorun && m_model.autorun->Present())
        for (const ModelControl& c : m_model.controls)
            if (c.Is(ControlKindId::ImageButton) && c.Name().rfind(kProgramButtonPrefix, 0) == 0)
                name(m_model.autorun->Value(kRunFilesSection, c.Name(), kInfValueBufferChars), c.clickTarget,
                     *m_model.autorun, m_model.autorun->LineFor(kRunFilesSection, c.Name()));
    for (const LaunchPlan& plan : m_model.plans)
        for (const LaunchPlan::Choice& choice : plan.choices)
            name(choice.value, choice.program, plan.config, plan.config.LineFor(launcher::kConfigSection, choice.key));
}
