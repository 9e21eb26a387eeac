// The step with AVX2, four words of cells at a time. This file alone is compiled for AVX2, and
// the engine calls it only on a processor that has it.

#include "engine/stepkernel.h"

#if defined(GOL_WITH_AVX2)

namespace {

using TLanes4 = std::uint64_t __attribute__((vector_size(32)));

} // namespace

bool StepAvx2(const TStepPlan& Plan) {
    const TLanes4 Changes = StepKernel::StepStrips<TLanes4>(Plan);
    return (Changes[0] | Changes[1] | Changes[2] | Changes[3]) != 0;
}

#endif
