#pragma once
// Display scale: how a skin drawn for 96 DPI is laid out on a monitor of
// another DPI. The scale s is dpi / 96; at 96 DPI every rule is the identity,
// so the skin stays pixel-exact. Sizes are computed in integers from the DPI,
// so that halves round the same way on every machine.
#include "skin/PixelImage.h"
#include "skin/SkinFile.h"

#include <cstdint>
#include <string>
#include <vector>

inline constexpr int kBaseDpi = 96;

// round(value × dpi / (96 × sourceScale)), halves away from zero: a length or
// an edge of a picture drawn at `sourceScale` (1, or 2 for an @2x picture).
std::int32_t ScaleLength(std::int32_t value, int dpi, int sourceScale = 1);

// A control's rectangle scaled by its edges, so neighbours stay neighbours;
// its width and height stay within 32 bits, however far its edges lie.
SkinRect ScaleRect(const SkinRect& rect, int dpi);

// A label's font height scaled; its sign (cell or character height) is kept.
std::int32_t ScaleFontHeight(std::int32_t height, int dpi);

// The name of a picture's twice-as-large version beside it: "main.jpg" →
// "main@2x.jpg"; a name without an extension gets "@2x" at its end.
std::string TwoXPictureName(const std::string& name);

// Which picture a scaled skin draws from: the @2x one above 96 DPI when it is
// exactly twice the 1x picture, otherwise the 1x one.
enum class TwoXVerdict { NotUsed, Used, Missing, WrongSize };
TwoXVerdict JudgeTwoX(int dpi, PixelSize oneX, const PixelSize* twoX);
inline int SourceScale(TwoXVerdict verdict) { return verdict == TwoXVerdict::Used ? 2 : 1; }
PixelSize TargetSize(PixelSize source, int dpi, int sourceScale);

// A mask by nearest neighbour, so the cut colour still cuts exactly: target
// pixel (x, y) takes source pixel (floor((x + ½)·q), floor((y + ½)·q)) with
// q = sourceScale / s.
PixelImage ScaleMask(const PixelImage& source, int dpi, int sourceScale);

// A colour picture: area averaging when shrinking, bilinear when enlarging; the
// picture itself when no scaling is needed.
PixelImage ScalePicture(const PixelImage& source, int dpi, int sourceScale);
