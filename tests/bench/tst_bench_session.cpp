// SPDX-License-Identifier: GPL-3.0-or-later
// A student's whole session, driven through the real controls with the mouse
// and the keyboard, the ramps run by their own timers.
#include "bench_fixture.h"
#include "common/up_down_arrows.h"

#include "toolkit/labeled_edit.h"
#include "widgets/seven_segment_display.h"

#include <QToolButton>
#include <cmath>

using namespace bench_test;

class TstBenchSession : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }

    void studentSession()
    {
        Bench b;
        BenchWindow &f = b.window;
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        b.setOuterSize(735, 637);
        QCOMPARE(b.screen->width(), 225);

        // The parameters, typed: the field refuses the letter.
        b.driftLengthField->setFocus();
        b.driftLengthField->selectAll();
        QTest::keyClicks(b.driftLengthField, QStringLiteral("1o0"));
        QCOMPARE(b.driftLengthField->text(), QStringLiteral("10"));

        // Oscilloscope on: lamp and spot.
        clickThrough(b.clientArea, b.scopeSwitch);
        QCOMPARE(pixel(*b.screen, 7, 7), clRed);

        // Regulator on: the dial climbs to 90 and the warm-up line grows to its end.
        clickThrough(b.clientArea, b.regulatorSwitch);
        QVERIFY(b.rampUpTimer->isActive());
        QTRY_VERIFY_WITH_TIMEOUT(!b.rampUpTimer->isActive(), 20000);
        QCOMPARE(b.dial(), 90.0);
        QCOMPARE(pixel(*b.screen, 112, 112 - 97), clGreen);
        QCOMPARE(pixel(*b.screen, 112, 112 + 97), clGreen);
        QVERIFY(b.regulatorSwitch->isEnabled());
        QVERIFY(b.sourceSwitch->isEnabled());
        QVERIFY(greenWidth(*b.screen) >= 3 && greenWidth(*b.screen) <= 5);

        // Source on.
        clickThrough(b.clientArea, b.sourceSwitch);
        QCOMPARE(pixel(*b.sourceLamp, 7, 7), clRed);

        // The current stepped to the first focusing: 40 coarse steps on the
        // coarse pair's free right end, then 7 fine ones.
        const QPoint coarseRight(b.coarseCurrentArrows->width() - 6, b.coarseCurrentArrows->height() / 2);
        QVERIFY(b.clientArea->childAt(b.coarseCurrentArrows->mapTo(b.clientArea, coarseRight)) ==
                arrowOf(b.coarseCurrentArrows, TUDBtnType::btNext));
        const QPoint fineRight(b.fineCurrentArrows->width() - 6, b.fineCurrentArrows->height() / 2);
        QVERIFY(b.fineCurrentArrows->isAncestorOf(
            b.clientArea->childAt(b.coarseCurrentArrows->mapTo(b.clientArea, b.coarseCurrentArrows->rect().center()))));
        for (int i = 0; i < 20; ++i) clickThrough(b.clientArea, b.coarseCurrentArrows, coarseRight);
        QVERIFY(std::abs(b.ammeter->value() - 0.2) < 1e-9);
        // Half way the trace lies nearly flat.
        QVERIFY(greenWidth(*b.screen) > 100);
        for (int i = 0; i < 20; ++i) clickThrough(b.clientArea, b.coarseCurrentArrows, coarseRight);
        for (int i = 0; i < 7; ++i) clickThrough(b.clientArea, b.fineCurrentArrows, fineRight);
        QVERIFY(std::abs(b.ammeter->value() - 0.407) < 1e-9);
        QCOMPARE(b.coarseCurrentArrows->Position(), 40);
        QCOMPARE(b.fineCurrentArrows->Position(), 7);
        // Focused: the trace collapses to a small figure at the centre (the
        // start ripple keeps it from being a bare dash).
        QVERIFY(greenWidth(*b.screen) <= 12);
        QVERIFY(countPixels(*b.screen, clGreen) < 200);
        const int c = b.screen->width() / 2;
        QCOMPARE(pixel(*b.screen, c, c), clGreen);

        // The calculator: shown by the lamp, k typed, e/m computed.
        clickThrough(b.clientArea, b.sourceLamp);
        QVERIFY(b.calculateButton->isVisible());
        b.helixTurnsField->setFocus();
        b.helixTurnsField->selectAll();
        QTest::keyClicks(b.helixTurnsField, QStringLiteral("01"));
        QCOMPARE(b.helixTurnsField->text(), QStringLiteral("1"));
        clickThrough(b.clientArea, b.calculateButton);
        QCOMPARE(b.specificChargeField->text(), QStringLiteral("1,759E11 Кл/кг"));

        // Everything off in reverse order.
        clickThrough(b.clientArea, b.sourceSwitch);
        QCOMPARE(b.ammeter->value(), 0.0);
        clickThrough(b.clientArea, b.regulatorSwitch);
        QTRY_VERIFY_WITH_TIMEOUT(!b.rampDownTimer->isActive(), 20000);
        QCOMPARE(b.dial(), 0.0);
        clickThrough(b.clientArea, b.scopeSwitch);
        QVERIFY(b.anodeVoltageField->isEnabled());
        QVERIFY(!b.regulatorSwitch->isEnabled());
        QCOMPARE(countPixels(*b.screen, clGreen), 0);
        QCOMPARE(pixel(*b.screen, 7, 7), clGray);
        QCOMPARE(pixel(*b.sourceLamp, 7, 7), clGray);
        // The result stays for the report.
        QCOMPARE(b.specificChargeField->text(), QStringLiteral("1,759E11 Кл/кг"));
        QVERIFY(b.dialogs.errors.isEmpty());
        QVERIFY(b.dialogs.messages.isEmpty());
    }
};

QTEST_MAIN(TstBenchSession)
#include "tst_bench_session.moc"
