// The step on plain 64-bit words: every processor and compiler has it.

#include "engine/stepkernel.h"

bool StepPlain(const TStepPlan& Plan) {
    return StepKernel::StepStrips<std::uint64_t>(Plan) != 0;
}
