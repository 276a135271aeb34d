// The arrow pair: what a press reports, where the arrows lie, the ends of the
// range, and the auto-repeat while an arrow is held.
#include "toolkit/up_down.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>

Q_DECLARE_METATYPE(TUDBtnType)

class TstUpDown : public QObject {
    Q_OBJECT

    struct Pair {
        QWidget host;
        TUpDown *pair;
        QList<TUDBtnType> reports;
        QList<int> positions;   // the position seen by each report
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
            });
            host.show();
        }
        void click(TUDBtnType b) { QTest::mouseClick(pair, Qt::LeftButton, {}, pair->arrowRect(b).center()); }
    };

private slots:
    void horizontalArrowsReportNextAndPrevious()
    {
        Pair p(Qt::Horizontal, -32000, 32000, 0, QSize(145, 17));
        QVERIFY(p.pair->arrowRect(TUDBtnType::btPrev).right() < p.pair->arrowRect(TUDBtnType::btNext).left());
        QCOMPARE(p.pair->arrowRect(TUDBtnType::btPrev).left(), 0);
        QCOMPARE(p.pair->arrowRect(TUDBtnType::btNext).right(), 144);
        p.click(TUDBtnType::btNext);
        p.click(TUDBtnType::btNext);
        p.click(TUDBtnType::btPrev);
        QCOMPARE(p.reports, (QList<TUDBtnType>{TUDBtnType::btNext, TUDBtnType::btNext, TUDBtnType::btPrev}));
        QCOMPARE(p.positions, (QList<int>{1, 2, 1}));
        // Below zero is inside this range.
        p.click(TUDBtnType::btPrev);
        p.click(TUDBtnType::btPrev);
        QCOMPARE(p.pair->Position(), -1);
    }

    void verticalUpperArrowIsNext()
    {
        Pair p(Qt::Vertical, 0, 10, 8, QSize(17, 33));
        QVERIFY(p.pair->arrowRect(TUDBtnType::btNext).bottom() < p.pair->arrowRect(TUDBtnType::btPrev).top());
        QTest::mouseClick(p.pair, Qt::LeftButton, {}, QPoint(8, 2));
        QTest::mouseClick(p.pair, Qt::LeftButton, {}, QPoint(8, 30));
        QTest::mouseClick(p.pair, Qt::LeftButton, {}, QPoint(8, 30));
        QCOMPARE(p.reports, (QList<TUDBtnType>{TUDBtnType::btNext, TUDBtnType::btPrev, TUDBtnType::btPrev}));
        QCOMPARE(p.pair->Position(), 7);
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
        p.pair->setRepeatDelay(30);
        p.pair->setRepeatInterval(5);
        const QPoint next = p.pair->arrowRect(TUDBtnType::btNext).center();
        QTest::mousePress(p.pair, Qt::LeftButton, {}, next);
        QCOMPARE(p.reports.size(), 1);  // the press itself steps at once
        QTRY_VERIFY(p.reports.size() >= 8);
        QTest::mouseRelease(p.pair, Qt::LeftButton, {}, next);
        const int afterRelease = p.reports.size();
        for (int i = 0; i < p.positions.size(); ++i) QCOMPARE(p.positions[i], i + 1);
        QTest::qWait(60);
        QCOMPARE(p.reports.size(), afterRelease);
        QCOMPARE(p.pair->Position(), afterRelease);
    }

    void holdingStopsReportingAtTheEnd()
    {
        Pair p(Qt::Vertical, 0, 5, 2, QSize(17, 32));
        p.pair->setRepeatDelay(10);
        p.pair->setRepeatInterval(5);
        const QPoint next = p.pair->arrowRect(TUDBtnType::btNext).center();
        QTest::mousePress(p.pair, Qt::LeftButton, {}, next);
        QTRY_COMPARE(p.pair->Position(), 5);
        QTest::qWait(50);
        QTest::mouseRelease(p.pair, Qt::LeftButton, {}, next);
        QCOMPARE(p.reports.size(), 3);
    }

    void repeatPausesWhileTheCursorIsOffTheHeldArrow()
    {
        Pair p(Qt::Horizontal, 0, 1000, 0, QSize(60, 17));
        p.pair->setRepeatDelay(10);
        p.pair->setRepeatInterval(5);
        const QPoint next = p.pair->arrowRect(TUDBtnType::btNext).center();
        const QPoint prev = p.pair->arrowRect(TUDBtnType::btPrev).center();
        QTest::mousePress(p.pair, Qt::LeftButton, {}, next);
        QTRY_VERIFY(p.reports.size() >= 3);
        QMouseEvent move(QEvent::MouseMove, QPointF(prev), p.pair->mapToGlobal(QPointF(prev)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(p.pair, &move);
        const int paused = p.reports.size();
        QTest::qWait(60);
        QCOMPARE(p.reports.size(), paused);
        // Sliding onto the other arrow does not press it.
        QVERIFY(!p.reports.contains(TUDBtnType::btPrev));
        QTest::mouseRelease(p.pair, Qt::LeftButton, {}, prev);
    }

    void disablingWhileHeldStopsTheRepeat()
    {
        Pair p(Qt::Horizontal, 0, 1000, 0, QSize(60, 17));
        p.pair->setRepeatDelay(10);
        p.pair->setRepeatInterval(5);
        QTest::mousePress(p.pair, Qt::LeftButton, {}, p.pair->arrowRect(TUDBtnType::btNext).center());
        QTRY_VERIFY(p.reports.size() >= 2);
        p.pair->setEnabled(false);
        const int stopped = p.reports.size();
        QTest::qWait(50);
        QCOMPARE(p.reports.size(), stopped);
    }
};

QTEST_MAIN(TstUpDown)
#include "tst_up_down.moc"
