// The display name of a camera from its model code and variant.
#pragma once

#include <cstddef>

// Writes "<family> <model>" (modelOnly 0) or the model alone into out, always terminated and cut to
// outSize. Unknown codes have empty family and model, so the first form is a single space.
void NameCamera(int modelCode, int variant, char* out, std::size_t outSize, int modelOnly);
