// Control kinds that are not built yet contribute no controls.
#include "SkinDialog.h"

void SkinDialog::ReadTextLabels(IniFile) {}
void SkinDialog::SetLabelText(const std::string&, const std::string&) {}
