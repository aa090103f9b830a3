#pragma once
// How the disc's model reads the disc's files: configuration files through
// the one INI reader, pictures through skincheck's decoders, each picture
// file decoded once.
#include "skin/PictureAtDpi.h"
#include "tools/skincheck/DiscModel.h"

// The file at `fullPath` (as a program composes it), named `fallbackName` in reports when it is not there.
ConfigFile ReadConfigFile(const DiscFolder& disc, const std::string& fullPath, const std::string& fallbackName);

// The pictures beside main.ini.
class PictureReader {
public:
    PictureReader(const DiscFolder& disc, const std::string& skinPath, std::map<std::string, PictureLoad>& decoded,
                  int dpi)
        : m_disc(disc), m_skinPath(skinPath), m_decoded(decoded), m_dpi(dpi)
    {
    }

    // The picture `name` named on `line`, with its @2x version when it loads.
    PictureRef Reference(const std::string& name, std::size_t line);
    // The picture `name` at the preview's DPI, by the menu's rules; none when it does not load.
    std::optional<PixelImage> AtDpi(const std::string& name, PictureUse use);

private:
    const PictureLoad& Decode(const DiscFile& file);
    DiscFile FindPicture(const std::string& name) const;

    const DiscFolder& m_disc;
    const std::string& m_skinPath;
    std::map<std::string, PictureLoad>& m_decoded; // by host path
    const int m_dpi;
};
