#pragma once
// The texts of the message boxes the start menu shows, each written once: the
// programs show them and skincheck quotes them.

// A mask from which no window region could be made.
inline constexpr const char* kMaskRegionFailedText = "Resimden Region Oluurulamad";
// A region that the window refused.
inline constexpr const char* kRegionRefusedText = "Region Oluurulamad";
// The captions of those boxes: the dialog's own outline, a shaped button's.
inline constexpr const char* kDialogRegionCaption = "Hata";
inline constexpr const char* kButtonExRegionCaption = "ButtonEx";

// A program button whose file is not there.
inline constexpr const char* kFileNotFoundText = "File Not Found !";
