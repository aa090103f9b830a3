#pragma once
// The skin's four window-sized pictures, shared by the dialog and every
// control that shows a part of them. Only Main is needed for the first paint:
// it is decoded at once. Over, Down and Disabled are shown only once the
// pointer reaches a control, so they wait: all of them are decoded when the
// dialog calls DecodeNext, one look at a time, once its first frame shows, or
// one alone at the first drawing that asks for it, whichever comes first. Either way each look shows
// the same pixels as if it had been decoded at once, and none of them shows a
// message. A look named by the same file as an earlier one shares its picture.
// The looks are decoded at the DPI given to Load (PictureAtDpiWin32.h).
#include "platform/Bitmap.h"
#include "skin/DisplayScale.h"

#include <array>
#include <functional>
#include <string>

enum class SkinLook { Main, Over, Down, Disabled };

class SkinPictures {
public:
    // Fills `bitmap` from the file at `path`, or leaves it empty.
    using Decoder = std::function<void(const std::string& path, CBitmap& bitmap)>;

    SkinPictures(); // the system's picture decoder, at the DPI of the last Load
    explicit SkinPictures(Decoder decoder) : m_decoder(std::move(decoder)) {}
    SkinPictures(const SkinPictures&) = delete;
    SkinPictures& operator=(const SkinPictures&) = delete;

    // Forgets the pictures held, decodes Main and names the files of the other looks.
    void Load(const std::string& main, const std::string& over, const std::string& down, const std::string& disabled,
              int dpi = kBaseDpi);
    // The picture of `look`, decoded now if it was waiting; empty when its
    // file did not load (or nothing was loaded).
    const CBitmap& Get(SkinLook look);
    // Whether a look still waits to be decoded.
    bool Waiting() const;
    // Decodes the first look that waits; true while another still waits.
    bool DecodeNext();
    void DecodeWaiting();
    void Free();

private:
    static constexpr std::size_t kLooks = 4;
    struct Slot {
        std::string path;
        std::size_t source = 0; // the slot whose picture this look shows: itself, or an earlier one of the same file
        bool decoded = true;
        CBitmap bitmap;
    };
    const CBitmap& Decoded(std::size_t index);

    Decoder m_decoder;
    int m_dpi = kBaseDpi;
    std::array<Slot, kLooks> m_slots;
};
