#pragma once
// ImageButton: a skin button made from one line of BUTTONINFO. It reports a
// click (left button released inside it) by its index, and every pointer move
// over it by its name, to its host.
#include "controls/HostedControl.h"
#include "controls/SkinButton.h"

class ImageButton : public HostedButton<SkinButton, &ControlHost::ReportButtonClick> {};
