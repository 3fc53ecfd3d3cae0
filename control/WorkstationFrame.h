// The one place that names the frame the control hosts around the camera view.
#pragma once

#include "control/HostFrame.h"

using CWorkstationFrame = CHostFrame;
