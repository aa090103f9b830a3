#pragma once
// The texts of the message boxes the start menu shows, each written once: the
// programs show them and skincheck quotes them.

inline constexpr const char* kMaskRegionFailedText = "Resimden Region Oluurulamad"; // no region from the mask
inline constexpr const char* kRegionRefusedText = "Region Oluurulamad";             // the window refused it
// The captions of those boxes: the dialog's own outline, a shaped button's.
inline constexpr const char* kDialogRegionCaption = "Hata";
inline constexpr const char* kButtonExRegionCaption = "ButtonEx";

inline constexpr const char* kFileNotFoundText = "File Not Found !"; // a program button's file is not there
