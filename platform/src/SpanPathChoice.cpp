// Which span table the device draws with: chosen once from the processor's
// features, or forced by a test.
#include <atomic>

#include "SpanKernels.h"
#include "platform/SoftwareDevice.h"

namespace {

bool ProcessorHasAvx2()
{
#if defined(__x86_64__) || defined(__i386__)
    return __builtin_cpu_supports("avx2");
#else
    return false;
#endif
}

const SpanKernels* Avx2IfRunnable()
{
    return ProcessorHasAvx2() ? Avx2SpanKernels() : nullptr;
}

const SpanKernels& Widest()
{
    static const SpanKernels& widest = Avx2IfRunnable() != nullptr    ? *Avx2IfRunnable()
                                       : Sse2SpanKernels() != nullptr ? *Sse2SpanKernels()
                                                                      : ScalarSpanKernels();
    return widest;
}

std::atomic<const SpanKernels*> forced{nullptr};

} // namespace

const SpanKernels& ChosenSpanKernels()
{
    const SpanKernels* kernels = forced.load(std::memory_order_relaxed);
    return kernels != nullptr ? *kernels : Widest();
}

namespace plat {

bool ForceSpanPath(SpanPath path)
{
    const SpanKernels* kernels = nullptr;
    switch (path) {
    case SpanPath::Widest:
        break;
    case SpanPath::Scalar:
        kernels = &ScalarSpanKernels();
        break;
    case SpanPath::Sse2:
        kernels = Sse2SpanKernels();
        if (kernels == nullptr)
            return false;
        break;
    case SpanPath::Avx2:
        kernels = Avx2IfRunnable();
        if (kernels == nullptr)
            return false;
        break;
    }
    forced.store(kernels, std::memory_order_relaxed);
    return true;
}

const char* ChosenSpanPathName()
{
    return ChosenSpanKernels().name;
}

} // namespace plat
