// SPDX-License-Identifier: GPL-3.0-or-later
// Centring a window on the work area: the formula halves with integer
// division and adds no origin where the window fits; a window larger than the
// work area starts at its edge, so that its title bar and menu stay on screen.
#include "toolkit/work_area.h"

#include <QTest>

class TstWorkArea : public QObject {
    Q_OBJECT

private slots:
    void centredOrigin_data()
    {
        QTest::addColumn<QRect>("area");
        QTest::addColumn<QSize>("outer");
        QTest::addColumn<QPoint>("origin");
        // 640 - 367, 360 - 318.
        QTest::newRow("bench on 1280x720") << QRect(0, 0, 1280, 720) << QSize(735, 637) << QPoint(273, 42);
        // 639 - 363 and 359 - 320: every half truncated.
        QTest::newRow("odd sizes") << QRect(0, 0, 1279, 719) << QSize(727, 641) << QPoint(276, 39);
        QTest::newRow("exactly as large") << QRect(0, 0, 735, 637) << QSize(735, 637) << QPoint(0, 0);
        // A panel on the left or at the top: its origin is not added while the window fits.
        QTest::newRow("area with an origin") << QRect(48, 0, 1232, 720) << QSize(735, 637) << QPoint(249, 42);
        // Too large both ways (640 - 363 = -43, 240 - 320 = -80 by the formula).
        QTest::newRow("larger than 640x480") << QRect(0, 0, 640, 480) << QSize(726, 640) << QPoint(0, 0);
        // Too tall only: still centred across, at the top edge of the area below a top panel.
        QTest::newRow("taller than 800x570") << QRect(0, 30, 800, 570) << QSize(735, 637) << QPoint(33, 30);
        QTest::newRow("wider than 700x900") << QRect(20, 0, 700, 900) << QSize(735, 637) << QPoint(20, 132);
        QTest::newRow("credits on 640x480") << QRect(0, 0, 640, 480) << QSize(328, 413) << QPoint(156, 34);
    }

    void centredOrigin()
    {
        QFETCH(QRect, area);
        QFETCH(QSize, outer);
        QFETCH(QPoint, origin);
        QCOMPARE(::centredOrigin(area, outer), origin);
    }
};

QTEST_MAIN(TstWorkArea)
#include "tst_work_area.moc"
