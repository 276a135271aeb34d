// SPDX-License-Identifier: GPL-3.0-or-later
// After Qt has painted, the trace's and the dial's arithmetic must find the AVX upper halves settled, as the
// processor reports them (XGETBV with ECX = 1, bit 2): this executable's cos and sincos, called instead of the
// C library's by the program's code (a sine and a cosine of one angle make one sincos), note the state.
#include "bench/bench_window.h"
#include "common/bench_driver.h"
#include "toolkit/image_control.h"
#include "widgets/angular_gauge.h"

#include <QApplication>
#include <QTest>
#include <cpuid.h>
#include <dlfcn.h>
#include <utility>

static std::pair<int, int> *watch = nullptr;  // the program's calls, and those that found the upper halves in use
extern "C" const char __executable_start[], etext[];  // this executable's code, the program's among it

// Notes the state at a call from `caller` while watched, then finds the C library's function.
template <class F>
static F noted(const void *caller, const char *name)
{
    unsigned low = 0, high;
    if (watch) __asm__ volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(1));  // before anything here can change it
    if (watch && caller >= __executable_start && caller < etext)
        *watch = {watch->first + 1, watch->second + int(low >> 2 & 1)};
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}
extern "C" double cos(double x) noexcept
{
    return noted<double (*)(double)>(__builtin_return_address(0), "cos")(x);
}
extern "C" void sincos(double x, double *s, double *c) noexcept
{
    noted<void (*)(double, double *, double *)>(__builtin_return_address(0), "sincos")(x, s, c);
}

class TestVectorState : public QObject {
    Q_OBJECT
private slots:
    void arithmeticAfterQtPaintsRunsSettled()
    {
        unsigned a, b, c, d;  // XGETBV needs the system's XSAVE, ECX = 1 the word of leaf 0xD
        if (!__get_cpuid(1, &a, &b, &c, &d) || !(c & bit_OSXSAVE) || !__get_cpuid_count(0xD, 1, &a, &b, &c, &d) ||
            !(a & 4))
            QSKIP("the processor does not say which register state is in use (XGETBV with ECX = 1)");
        BenchWindow window;
        const BenchDriver bench(window);
        bench.click(QStringLiteral("scopeSwitch"));
        bench.click(QStringLiteral("regulatorSwitch"));
        bench.runTimer(QStringLiteral("rampUpTimer"));
        bench.click(QStringLiteral("sourceSwitch"));
        auto *screen = bench.find<TImage>(QStringLiteral("screen"));
        auto *dial = bench.find<AngularGauge>(QStringLiteral("regulatorDial"));
        std::pair trace(0, 0), dialPaint(0, 0);
        screen->grab();  // Qt paints the screen; then a step of the current computes the trace
        watch = &trace;
        bench.press(QStringLiteral("coarseCurrentArrows"), TUDBtnType::btNext);
        watch = &dialPaint;  // the paint that follows: Qt paints the screen, then the dial its new position
        screen->grab();
        dial->setPosition(45);
        dial->grab();
        watch = nullptr;
        QVERIFY(trace.first > 0 && dialPaint.first > 0);
        QCOMPARE(std::pair(trace.second, dialPaint.second), std::pair(0, 0));
    }
};

QTEST_MAIN(TestVectorState)

#include "tst_vector_state.moc"
