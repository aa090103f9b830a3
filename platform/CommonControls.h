#pragma once
// Windows' common controls (tooltips, trackbars) must be registered once
// per process before their windows can be created.
namespace platform {
void EnsureCommonControls();
}
