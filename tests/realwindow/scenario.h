// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every scenario begins with: a display of the size it needs, or a
// clear skip where Xvfb cannot start here; and the program on it.
#include "bench_on_screen.h"
#include "x_session.h"

#include <QTest>
#include <memory>

// A display of this size; `skip` says why there can be none on this machine,
// `failure` what else went wrong.
std::unique_ptr<XSession> startDisplay(QSize size, QString *skip, QString *failure);

#define REQUIRE_DISPLAY(session, size)                                                                                 \
    do {                                                                                                               \
        QString skip_, failure_;                                                                                       \
        session = startDisplay(size, &skip_, &failure_);                                                               \
        if (!skip_.isEmpty()) QSKIP(qPrintable(skip_));                                                                \
        QVERIFY2(failure_.isEmpty(), qPrintable(failure_));                                                            \
    } while (0)

// A step that says what went wrong, or nothing.
#define VERIFY_DONE(failure)                                                                                           \
    do {                                                                                                               \
        const QString failure_ = (failure);                                                                            \
        QVERIFY2(failure_.isEmpty(), qPrintable(failure_));                                                            \
    } while (0)

// A list of failures that must be empty.
#define VERIFY_NONE(failures)                                                                                          \
    do {                                                                                                               \
        const QStringList failures_ = (failures);                                                                      \
        QVERIFY2(failures_.isEmpty(), qPrintable(failures_.join("\n")));                                               \
    } while (0)
