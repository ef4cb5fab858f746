// The embedded controller reached through the maker's library, bound at start-up.
#pragma once

#include "battery/embedded_controller.h"

class QeltController final : public EmbeddedController {
public:
    int Evaluate(std::uint8_t command, std::uint8_t* input, int inputCount, std::uint8_t* output,
                 int outputCount) override;
};
