#include "skin/SkinPictures.h"

#include "skin/PictureAtDpiWin32.h"

SkinPictures::SkinPictures()
    : m_decoder([this](const std::string& path, CBitmap& bitmap) {
          // At 96 DPI the loader's own bitmap, as LoadPicture gives it.
          LoadPictureAtDpi(path, m_dpi, PictureUse::Colour, bitmap);
      })
{
}

void SkinPictures::Load(const std::string& main, const std::string& over, const std::string& down,
                        const std::string& disabled, int dpi)
{
    Free();
    m_dpi = dpi;
    const std::array<const std::string*, kLooks> paths{&main, &over, &down, &disabled};
    for (std::size_t i = 0; i < kLooks; ++i) {
        Slot& slot = m_slots[i];
        slot.path = *paths[i];
        slot.source = i;
        for (std::size_t earlier = 0; earlier < i; ++earlier)
            if (m_slots[earlier].path == slot.path) {
                slot.source = m_slots[earlier].source;
                break;
            }
        slot.decoded = slot.source != i; // a shared look waits for nothing of its own
    }
    Decoded(0);
}

const CBitmap& SkinPictures::Decoded(std::size_t index)
{
    Slot& slot = m_slots[m_slots[index].source];
    if (!slot.decoded) {
        slot.decoded = true;
        m_decoder(slot.path, slot.bitmap);
    }
    return slot.bitmap;
}

const CBitmap& SkinPictures::Get(SkinLook look)
{
    return Decoded(static_cast<std::size_t>(look));
}

bool SkinPictures::Waiting() const
{
    for (const Slot& slot : m_slots)
        if (!slot.decoded)
            return true;
    return false;
}

bool SkinPictures::DecodeNext()
{
    for (std::size_t i = 0; i < kLooks; ++i)
        if (!m_slots[i].decoded) {
            Decoded(i);
            break;
        }
    return Waiting();
}

void SkinPictures::DecodeWaiting()
{
    while (DecodeNext()) {
    }
}

void SkinPictures::Free()
{
    for (Slot& slot : m_slots) {
        slot.bitmap.DeleteObject();
        slot.decoded = true;
        slot.path.clear();
        slot.source = 0;
    }
}
