// The font the platform lays its property sheets out in.
#pragma once

#include <optional>

#include "resources/dialog_template.h"

// The font of the common-controls library's own property-sheet template; under a Japanese user
// interface with "MS UI Gothic" installed, of its Japanese variant. Nothing when the template
// cannot be read.
std::optional<DialogFont> AfxGetPropertySheetFont();
