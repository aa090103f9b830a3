// Control kinds that are not built yet contribute no controls.
#include "SkinDialog.h"

void SkinDialog::ReadButtonExButtons(IniFile) {}
void SkinDialog::ReadTrackbars(IniFile) {}
void SkinDialog::ReadProgressControls(IniFile) {}
