// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/vector_state.h"

#if defined(__x86_64__) || defined(__i386__)

namespace {

__attribute__((target("avx"))) void clearUpperVectorHalves()
{
    __builtin_ia32_vzeroupper();
}

}  // namespace

void settleVectorState()
{
    // Asked once; the answer includes whether the system saves the AVX state.
    static const bool hasAvx = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx");
    }();
    if (hasAvx) clearUpperVectorHalves();
}

#else

void settleVectorState() {}

#endif
