// SPDX-License-Identifier: GPL-3.0-or-later
// The arrow pair: what a press reports, where the arrows lie, the ends of the
// range, the auto-repeat while an arrow is held, and how a held arrow lets go
// when a modal window opens.
#include "common/up_down_arrows.h"
#include "toolkit/up_down.h"

#include <QApplication>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWidget>
#include <functional>

Q_DECLARE_METATYPE(TUDBtnType)

class TstUpDown : public QObject {
    Q_OBJECT

    struct Pair {
        QWidget host;
        TUpDown *pair;
        QList<TUDBtnType> reports;
        QList<int> positions;  // the position seen by each report
        std::function<void()> onReport;
        Pair(Qt::Orientation o, int min, int max, int pos, QSize size)
        {
            pair = new TUpDown(o, &host);
            pair->setRange(min, max);
            pair->setPosition(pos);
            pair->setGeometry(QRect(QPoint(0, 0), size));
            host.resize(200, 100);
            QObject::connect(pair, &TUpDown::Click, [this](TUDBtnType b) {
                reports << b;
                positions << pair->Position();
                if (onReport) onReport();
            });
            host.show();
        }
        // Clicks whatever lies at `at` inside the pair, as a real mouse would.
        void clickAt(QPoint at)
        {
            QWidget *w = pair->childAt(at);
            QVERIFY(w);
            QTest::mouseClick(w, Qt::LeftButton, {}, w->mapFrom(pair, at));
        }
        void click(TUDBtnType b) { clickAt(pair->arrowRect(b).center()); }
        void hold(TUDBtnType b) { QTest::mousePress(arrowOf(pair, b), Qt::LeftButton); }
        void release(TUDBtnType b) { QTest::mouseRelease(arrowOf(pair, b), Qt::LeftButton); }
        void fastRepeat() { setRepeatPace(pair, 10, 5); }
    };

    // A real modal box that closes itself after `ms`, counting how many are open.
    static void showModalBox(int ms, int &open, int &mostOpen)
    {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("t"), QStringLiteral("Floating point division by zero"),
                        QMessageBox::Ok);
        QTimer::singleShot(ms, &box, &QMessageBox::accept);
        ++open;
        mostOpen = std::max(mostOpen, open);
        box.exec();
        --open;
    }

    // The cursor moves over an arrow with the left button down.
    static void moveHeldOver(QWidget *arrow)
    {
        const QPointF centre = arrow->rect().center();
        QMouseEvent move(QEvent::MouseMove, centre, arrow->mapToGlobal(centre), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(arrow, &move);
    }

private slots:
    void arrowsReportNextAndPrevious_data()
    {
        QTest::addColumn<Qt::Orientation>("orientation");
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("start");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRect>("nextRect");
        QTest::addColumn<QRect>("prevRect");
        QTest::addColumn<Qt::ArrowType>("nextArrow");
        QTest::addColumn<QList<QPoint>>("clicks");
        QTest::addColumn<QList<TUDBtnType>>("reports");
        QTest::addColumn<QList<int>>("positions");
        const TUDBtnType next = TUDBtnType::btNext, prev = TUDBtnType::btPrev;
        // The coarse current pair: the halves split 145 as 72 + 73, left
        // previous, right next; below zero is inside its range.
        QTest::newRow("horizontal 145 x 17")
            << Qt::Horizontal << -32000 << 32000 << 0 << QSize(145, 17) << QRect(72, 0, 73, 17) << QRect(0, 0, 72, 17)
            << Qt::RightArrow << QList<QPoint>{{140, 8}, {73, 8}, {3, 8}, {3, 8}, {3, 8}}
            << QList<TUDBtnType>{next, next, prev, prev, prev} << QList<int>{1, 2, 1, 0, -1};
        // The phase pair: 33 high splits as 16 + 17, the upper arrow next.
        QTest::newRow("vertical 17 x 33")
            << Qt::Vertical << 0 << 10 << 8 << QSize(17, 33) << QRect(0, 0, 17, 16) << QRect(0, 16, 17, 17)
            << Qt::UpArrow << QList<QPoint>{{8, 2}, {8, 30}, {8, 30}} << QList<TUDBtnType>{next, prev, prev}
            << QList<int>{9, 8, 7};
    }

    void arrowsReportNextAndPrevious()
    {
        QFETCH(Qt::Orientation, orientation);
        QFETCH(int, min);
        QFETCH(int, max);
        QFETCH(int, start);
        QFETCH(QSize, size);
        QFETCH(QRect, nextRect);
        QFETCH(QRect, prevRect);
        QFETCH(Qt::ArrowType, nextArrow);
        QFETCH(QList<QPoint>, clicks);
        QFETCH(QList<TUDBtnType>, reports);
        QFETCH(QList<int>, positions);
        Pair p(orientation, min, max, start, size);
        QCOMPARE(p.pair->arrowRect(TUDBtnType::btNext), nextRect);
        QCOMPARE(p.pair->arrowRect(TUDBtnType::btPrev), prevRect);
        // The arrow buttons fill their halves.
        QCOMPARE(arrowOf(p.pair, TUDBtnType::btNext)->geometry(), nextRect);
        QCOMPARE(arrowOf(p.pair, TUDBtnType::btPrev)->geometry(), prevRect);
        QCOMPARE(arrowOf(p.pair, TUDBtnType::btNext)->arrowType(), nextArrow);
        for (const QPoint &at : clicks) p.clickAt(at);
        QCOMPARE(p.reports, reports);
        QCOMPARE(p.positions, positions);
    }

    void endsOfTheRangeReportNothing()
    {
        // A pair that starts at the bottom of its range: the first previous
        // press does nothing at all.
        Pair p(Qt::Horizontal, 0, 100, 0, QSize(57, 17));
        p.click(TUDBtnType::btPrev);
        QVERIFY(p.reports.isEmpty());
        QCOMPARE(p.pair->Position(), 0);

        Pair q(Qt::Vertical, 0, 5, 2, QSize(17, 32));
        for (int i = 0; i < 5; ++i) q.click(TUDBtnType::btNext);
        QCOMPARE(q.reports.size(), 3);
        QCOMPARE(q.pair->Position(), 5);
        for (int i = 0; i < 7; ++i) q.click(TUDBtnType::btPrev);
        QCOMPARE(q.reports.size(), 8);
        QCOMPARE(q.pair->Position(), 0);
        QCOMPARE(q.reports.mid(3), QList<TUDBtnType>(5, TUDBtnType::btPrev));
    }

    void extremeRangeDoesNotOverflow()
    {
        Pair p(Qt::Horizontal, INT_MIN, INT_MAX, INT_MAX, QSize(40, 17));
        p.click(TUDBtnType::btNext);
        QVERIFY(p.reports.isEmpty());
        p.pair->setPosition(INT_MIN);
        p.click(TUDBtnType::btPrev);
        QVERIFY(p.reports.isEmpty());
        QCOMPARE(p.pair->Position(), INT_MIN);
    }

    void positionAndRangeWritesAreHeldToTheRangeAndSilent()
    {
        Pair p(Qt::Vertical, 0, 5, 1, QSize(17, 32));
        p.pair->setPosition(9);
        QCOMPARE(p.pair->Position(), 5);
        p.pair->setPosition(-3);
        QCOMPARE(p.pair->Position(), 0);
        p.pair->setPosition(4);
        p.pair->setMax(2);
        QCOMPARE(p.pair->Position(), 2);
        QVERIFY(p.reports.isEmpty());
    }

    void disabledPairIgnoresPressesAndTakesNoFocus()
    {
        Pair p(Qt::Horizontal, 0, 10, 5, QSize(60, 17));
        QCOMPARE(p.pair->focusPolicy(), Qt::NoFocus);
        for (TUDBtnType b : {TUDBtnType::btNext, TUDBtnType::btPrev})
            QCOMPARE(arrowOf(p.pair, b)->focusPolicy(), Qt::NoFocus);
        p.pair->setEnabled(false);
        p.click(TUDBtnType::btNext);
        p.click(TUDBtnType::btPrev);
        QVERIFY(p.reports.isEmpty());
        QCOMPARE(p.pair->Position(), 5);
        p.pair->setEnabled(true);
        p.click(TUDBtnType::btNext);
        QCOMPARE(p.pair->Position(), 6);
    }

    void holdingRepeatsOneStepAtATime()
    {
        Pair p(Qt::Horizontal, 0, 1000, 0, QSize(60, 17));
        setRepeatPace(p.pair, 30, 5);
        p.hold(TUDBtnType::btNext);
        QCOMPARE(p.reports.size(), 1);  // the press itself steps at once
        QTRY_VERIFY(p.reports.size() >= 8);
        p.release(TUDBtnType::btNext);
        const int afterRelease = p.reports.size();
        for (int i = 0; i < p.positions.size(); ++i) QCOMPARE(p.positions[i], i + 1);
        QTest::qWait(60);
        QCOMPARE(p.reports.size(), afterRelease);
        QCOMPARE(p.pair->Position(), afterRelease);
        // The pace stays as set, however long the arrow was held.
        QCOMPARE(arrowOf(p.pair, TUDBtnType::btNext)->autoRepeatInterval(), 5);
    }

    void holdingStopsReportingAtTheEnd()
    {
        Pair p(Qt::Vertical, 0, 5, 2, QSize(17, 32));
        p.fastRepeat();
        p.hold(TUDBtnType::btNext);
        QTRY_COMPARE(p.pair->Position(), 5);
        QTest::qWait(50);
        p.release(TUDBtnType::btNext);
        QCOMPARE(p.reports.size(), 3);
    }

    void repeatPausesWhileTheCursorIsOffTheHeldArrow()
    {
        Pair p(Qt::Horizontal, 0, 1000, 0, QSize(60, 17));
        p.fastRepeat();
        QToolButton *next = arrowOf(p.pair, TUDBtnType::btNext);
        p.hold(TUDBtnType::btNext);
        QTRY_VERIFY(p.reports.size() >= 3);
        // Still held, the cursor slides onto the other arrow.
        const QPoint outside = next->mapFrom(p.pair, p.pair->arrowRect(TUDBtnType::btPrev).center());
        QMouseEvent move(QEvent::MouseMove, QPointF(outside), next->mapToGlobal(QPointF(outside)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(next, &move);
        const int paused = p.reports.size();
        QTest::qWait(60);
        QCOMPARE(p.reports.size(), paused);
        // Sliding onto the other arrow does not press it.
        QVERIFY(!p.reports.contains(TUDBtnType::btPrev));
        QTest::mouseRelease(next, Qt::LeftButton, {}, outside);
        QCOMPARE(p.reports.size(), paused);
    }

    void disablingWhileHeldStopsTheRepeat()
    {
        Pair p(Qt::Horizontal, 0, 1000, 0, QSize(60, 17));
        p.fastRepeat();
        p.hold(TUDBtnType::btNext);
        QTRY_VERIFY(p.reports.size() >= 2);
        p.pair->setEnabled(false);
        const int stopped = p.reports.size();
        QTest::qWait(50);
        QCOMPARE(p.reports.size(), stopped);
        // Enabled again while the button is still down and the cursor moves
        // over the arrow: nothing resumes.
        p.pair->setEnabled(true);
        moveHeldOver(arrowOf(p.pair, TUDBtnType::btNext));
        QTest::qWait(50);
        QCOMPARE(p.reports.size(), stopped);
    }

    void aPressThatRaisesAnErrorShowsOneBox()
    {
        // The press's own handler opens a modal box, as an error does; the
        // box stays open for many repeat intervals and takes the release.
        Pair p(Qt::Horizontal, -100, 100, 0, QSize(60, 17));
        p.fastRepeat();
        int open = 0, mostOpen = 0, boxes = 0;
        p.onReport = [&] {
            ++boxes;
            showModalBox(150, open, mostOpen);
        };
        p.hold(TUDBtnType::btNext);
        QCOMPARE(boxes, 1);
        QCOMPARE(mostOpen, 1);
        QCOMPARE(p.pair->Position(), 1);
        QVERIFY(!arrowOf(p.pair, TUDBtnType::btNext)->isDown());
        // The release went to the box: the arrow stays still from now on.
        QTest::qWait(100);
        QCOMPARE(boxes, 1);
        QCOMPARE(p.pair->Position(), 1);
        // A new press steps again, once.
        p.onReport = nullptr;
        p.click(TUDBtnType::btNext);
        QCOMPARE(p.pair->Position(), 2);
    }

    void anyModalWindowLetsGoOfAHeldArrow()
    {
        // No error: a question opens from elsewhere (a shortcut, a timer)
        // while the arrow is held, and is answered while it is still held.
        Pair p(Qt::Horizontal, 0, 1000, 0, QSize(60, 17));
        p.fastRepeat();
        QToolButton *next = arrowOf(p.pair, TUDBtnType::btNext);
        p.hold(TUDBtnType::btNext);
        QTRY_VERIFY(p.reports.size() >= 3);
        int open = 0, mostOpen = 0, atOpen = -1;
        QTimer::singleShot(0, [&] {
            atOpen = p.reports.size();
            showModalBox(120, open, mostOpen);
        });
        QTRY_COMPARE(mostOpen, 1);
        QTRY_COMPARE(open, 0);
        // Not one step while the box was open.
        const int atClose = p.reports.size();
        QCOMPARE(atClose, atOpen);
        QVERIFY(!next->isDown());
        // The button is still held and the cursor moves over the arrow:
        // the repeat does not come back without a new press.
        moveHeldOver(next);
        QTest::qWait(60);
        QCOMPARE(p.reports.size(), atClose);
        QTest::mouseRelease(next, Qt::LeftButton);
        QCOMPARE(p.reports.size(), atClose);
        p.click(TUDBtnType::btNext);
        QCOMPARE(p.reports.size(), atClose + 1);
    }
};

QTEST_MAIN(TstUpDown)
#include "tst_up_down.moc"
