#include "tools/skincheck/DiscFiles.h"

#include "platform/FileSystem.h"
#include "skin/SkinFile.h"
#include "tools/skincheck/PictureDecoder.h"

#include <algorithm>

ConfigFile ReadConfigFile(const DiscFolder& disc, const std::string& fullPath, const std::string& fallbackName)
{
    ConfigFile config;
    config.file = disc.Find(fullPath, false);
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

const PictureLoad& PictureReader::Decode(const DiscFile& file)
{
    auto it = m_decoded.find(file.hostPath);
    if (it == m_decoded.end()) {
        PictureLoad load;
        if (auto bytes = platform::ReadWholeFile(file.hostPath, kMaxPictureFileBytes))
            load = DecodePicture(*bytes);
        else
            load.problem = "the file cannot be read, or is too large";
        it = m_decoded.emplace(file.hostPath, std::move(load)).first;
    }
    return it->second;
}

DiscFile PictureReader::FindPicture(const std::string& name) const
{
    return m_disc.Find(PicturePath(m_skinPath, name), false);
}

PictureRef PictureReader::Reference(const std::string& name, std::size_t line)
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

std::optional<PixelImage> PictureReader::AtDpi(const std::string& name, PictureUse use)
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
