#include "battery/qelt_controller_win32.h"

#include "qelt/qelt.h"

int QeltController::Evaluate(std::uint8_t command, std::uint8_t* input, int inputCount,
                             std::uint8_t* output, int outputCount) {
    return QeltEvaluate(command, input, inputCount, output, outputCount);
}
