// SPDX-License-Identifier: GPL-3.0-or-later
// The suites of one test folder share one executable, which builds and links
// far quicker than one per suite. Qt Test's main macros are redefined here to
// register each suite under its file's name instead of defining main; the
// folder's runner then starts the suite its first argument names, alone in a
// process of its own and set up exactly as Qt Test's own main would.
#pragma once

#include "suite_list.h"

#include <QTest>

// Each entry's flag has a name of its own, so that several suites may share
// one compiler run.
#define EMLAB_SUITE_FLAG_NAME(counter) EMLAB_SUITE_FLAG_NAME_(counter)
#define EMLAB_SUITE_FLAG_NAME_(counter) emlab_suite_added_##counter
#define EMLAB_SUITE_MAIN(TestObject, ...)                                                                       \
    [[maybe_unused]] static const bool EMLAB_SUITE_FLAG_NAME(__COUNTER__) = emlab_suites::add(__FILE__, [](int argc, char **argv) { \
        QTest::Internal::callInitMain<TestObject>();                                                            \
        __VA_ARGS__                                                                                             \
        TestObject tc;                                                                                          \
        QTEST_SET_MAIN_SOURCE_PATH                                                                              \
        return QTest::qExec(&tc, argc, argv);                                                                   \
    });

#undef QTEST_MAIN
#undef QTEST_APPLESS_MAIN
#undef QTEST_GUILESS_MAIN
#define QTEST_MAIN(TestObject) EMLAB_SUITE_MAIN(TestObject, QTEST_MAIN_SETUP())
#define QTEST_APPLESS_MAIN(TestObject) EMLAB_SUITE_MAIN(TestObject)
#define QTEST_GUILESS_MAIN(TestObject) EMLAB_SUITE_MAIN(TestObject, QTEST_QAPP_SETUP(QCoreApplication))
