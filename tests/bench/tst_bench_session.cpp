// SPDX-License-Identifier: GPL-3.0-or-later
// A student's whole session, driven through the real controls with the mouse
// and the keyboard, the ramps run by their own timers.
#include "common/up_down_arrows.h"
#include "bench_fixture.h"

#include "toolkit/labeled_edit.h"
#include "widgets/seven_segment_display.h"

#include <QToolButton>
#include <cmath>

using namespace bench_test;

class TstBenchSession : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    }

    void studentSession()
    {
        Bench b;
        TForm1 &f = b.form;
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        b.setOuterSize(735, 637);
        QCOMPARE(f.Image1->width(), 225);

        // The parameters, typed: the field refuses the letter.
        f.LabeledEdit3->setFocus();
        f.LabeledEdit3->selectAll();
        QTest::keyClicks(f.LabeledEdit3, QStringLiteral("1o0"));
        QCOMPARE(f.LabeledEdit3->text(), QStringLiteral("10"));

        // Oscilloscope on: lamp and spot.
        clickThrough(f, f.knopka1);
        QCOMPARE(f.Lab.ScopeOn, 1);
        QCOMPARE(pixel(*f.Image1, 7, 7), clRed);

        // Regulator on: the dial climbs to 90 and the warm-up line grows to its end.
        clickThrough(f, f.knopka2);
        QVERIFY(f.Timer2->isActive());
        QTRY_VERIFY_WITH_TIMEOUT(!f.Timer2->isActive(), 20000);
        QCOMPARE(b.dial(), 90.0);
        QCOMPARE(f.Lab.WarmupStep, 98);
        QVERIFY(f.knopka2->isEnabled());
        QVERIFY(f.knopka3->isEnabled());
        QVERIFY(greenWidth(*f.Image1) >= 3 && greenWidth(*f.Image1) <= 5);

        // Source on.
        clickThrough(f, f.knopka3);
        QCOMPARE(f.Lab.SourceOn, 1);
        QCOMPARE(pixel(*f.Image2, 7, 7), clRed);

        // The current stepped to the first focusing: 40 coarse steps on the
        // coarse pair's free right end, then 7 fine ones.
        const QPoint coarseRight(f.sh_vprm->width() - 6, f.sh_vprm->height() / 2);
        QVERIFY(f.ClientArea->childAt(f.sh_vprm->mapTo(f.ClientArea, coarseRight)) == arrowOf(f.sh_vprm, TUDBtnType::btNext));
        const QPoint fineRight(f.sh_vprm_2->width() - 6, f.sh_vprm_2->height() / 2);
        QVERIFY(f.sh_vprm_2->isAncestorOf(f.ClientArea->childAt(f.sh_vprm->mapTo(f.ClientArea, f.sh_vprm->rect().center()))));
        for (int i = 0; i < 20; ++i) clickThrough(f, f.sh_vprm, coarseRight);
        QVERIFY(std::abs(f.amper->value() - 0.2) < 1e-9);
        // Half way the trace lies nearly flat.
        QVERIFY(greenWidth(*f.Image1) > 100);
        for (int i = 0; i < 20; ++i) clickThrough(f, f.sh_vprm, coarseRight);
        for (int i = 0; i < 7; ++i) clickThrough(f, f.sh_vprm_2, fineRight);
        QVERIFY(std::abs(f.amper->value() - 0.407) < 1e-9);
        QCOMPARE(f.sh_vprm->Position(), 40);
        QCOMPARE(f.sh_vprm_2->Position(), 7);
        // Focused: the trace collapses to a small figure at the centre (the
        // start ripple keeps it from being a bare dash).
        QVERIFY(greenWidth(*f.Image1) <= 12);
        QVERIFY(countPixels(*f.Image1, clGreen) < 200);
        const int c = f.Image1->width() / 2;
        QCOMPARE(pixel(*f.Image1, c, c), clGreen);

        // The calculator: shown by the lamp, k typed, e/m computed.
        clickThrough(f, f.Image2);
        QVERIFY(f.SpeedButton1->isVisible());
        f.Edit2->setFocus();
        f.Edit2->selectAll();
        QTest::keyClicks(f.Edit2, QStringLiteral("01"));
        QCOMPARE(f.Edit2->text(), QStringLiteral("1"));
        clickThrough(f, f.SpeedButton1);
        QCOMPARE(f.Edit1->text(), QStringLiteral("1,759E11 Кл/кг"));

        // Everything off in reverse order.
        clickThrough(f, f.knopka3);
        QCOMPARE(f.Lab.SourceOn, 0);
        QCOMPARE(f.amper->value(), 0.0);
        clickThrough(f, f.knopka2);
        QCOMPARE(f.Lab.RegulatorOn, 0);
        QTRY_VERIFY_WITH_TIMEOUT(!f.Timer3->isActive(), 20000);
        QCOMPARE(b.dial(), 0.0);
        clickThrough(f, f.knopka1);
        QCOMPARE(f.Lab.ScopeOn, 0);
        QVERIFY(f.LabeledEdit1->isEnabled());
        QVERIFY(!f.knopka2->isEnabled());
        QCOMPARE(countPixels(*f.Image1, clGreen), 0);
        QCOMPARE(pixel(*f.Image1, 7, 7), clGray);
        QCOMPARE(pixel(*f.Image2, 7, 7), clGray);
        // The result stays for the report.
        QCOMPARE(f.Edit1->text(), QStringLiteral("1,759E11 Кл/кг"));
        QVERIFY(b.dialogs.errors.isEmpty());
        QVERIFY(b.dialogs.messages.isEmpty());
    }
};

QTEST_MAIN(TstBenchSession)
#include "tst_bench_session.moc"
