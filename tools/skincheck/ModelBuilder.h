#pragma once
// How DiscModel is built: each part of the disc read once, in the order the
// programs read them. Only BuildDiscModel uses it.
#include "app/AppPaths.h"
#include "skin/PictureAtDpi.h"
#include "tools/skincheck/DiscModel.h"

class ModelBuilder {
public:
    ModelBuilder(const DiscFolder& disc, int dpi) : m_disc(disc), m_dpi(dpi) {}

    DiscModel Build();

private:
    ConfigFile Open(const std::string& fullPath, const std::string& fallbackName) const;
    const PictureLoad& Decode(const DiscFile& file);
    DiscFile FindPicture(const std::string& name) const;
    PictureRef Reference(const std::string& name, std::size_t line);
    void NoteTwoX(const PictureRef& ref);
    // The picture `name` at the preview's DPI, by the menu's rules; none when it does not load.
    std::optional<PixelImage> AtDpi(const std::string& name, PictureUse use);

    void ReadScreen();
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
};
