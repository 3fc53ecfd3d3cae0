// The one place that names the frame the control hosts around the camera view.
#pragma once

#include "ui/CMainFrame.h"

using CWorkstationFrame = CMainFrame;
