// Choice of the SHA-1 engine for key derivation at run time: the x86 SHA
// extensions where the processor reports them (CPUID leaf 7, EBX bit 29,
// plus SSE4.1 in leaf 1, ECX bit 19), the portable code everywhere else.
#include "crypto/Pbkdf2Engine.h"

#if CORVANE_CRYPTO_HAVE_SHANI
#include <cpuid.h>
#endif

namespace corvane::detail {
namespace {

bool DetectShaNi() {
#if CORVANE_CRYPTO_HAVE_SHANI
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx)) return false;
    const bool sse41 = (ecx >> 19) & 1;
    if (!__get_cpuid_count(7, 0, &eax, &ebx, &ecx, &edx)) return false;
    const bool sha = (ebx >> 29) & 1;
    return sse41 && sha;
#else
    return false;
#endif
}

}  // namespace

bool ShaNiSupported() {
    static const bool supported = DetectShaNi();
    return supported;
}

Sha1Engine DefaultSha1Engine() {
    return ShaNiSupported() ? Sha1Engine::ShaNi : Sha1Engine::Portable;
}

void Pbkdf2Iterate(Sha1Engine engine, const uint32_t innerState[5], const uint32_t outerState[5],
                   int rounds, uint32_t (*t)[5], int blocks) {
    if (rounds <= 0 || blocks <= 0) return;
    if (engine == Sha1Engine::ShaNi && ShaNiSupported()) {
        Pbkdf2IterateShaNi(innerState, outerState, rounds, t, blocks);
    } else {
        Pbkdf2IteratePortable(innerState, outerState, rounds, t, blocks);
    }
}

}  // namespace corvane::detail
