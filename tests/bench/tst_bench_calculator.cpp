// SPDX-License-Identifier: GPL-3.0-or-later
// The calculator under the source panel: shown and hidden by the source
// lamp, its turn-count filter, and the specific charge it writes.
#include "bench_fixture.h"

#include "toolkit/labeled_edit.h"
#include "widgets/seven_segment_display.h"

#include <QToolButton>

using namespace bench_test;

class TstBenchCalculator : public QObject {
    Q_OBJECT

    static void compute(Bench &b, double current, const QString &k)
    {
        b.ammeter->setValue(current);
        b.helixTurnsField->setText(k);
        b.click("calculateButton");
    }

private slots:
    void cleanup() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }

    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }

    void lampTogglesTheCalculator()
    {
        Bench b;
        BenchWindow &f = b.window;
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QTest::mouseClick(b.sourceLamp, Qt::LeftButton);
        QVERIFY(b.calculateButton->isVisible());
        QVERIFY(b.specificChargeField->isVisible());
        QVERIFY(b.helixTurnsField->isVisible());
        QTest::mouseClick(b.sourceLamp, Qt::LeftButton);
        QVERIFY(!b.calculateButton->isVisible());
        QVERIFY(!b.specificChargeField->isVisible());
        QVERIFY(!b.helixTurnsField->isVisible());
        // It works in every power state.
        b.toSourceOn();
        b.click("sourceLamp");
        QVERIFY(b.specificChargeField->isVisible());
    }

    void focusingCurrents_data()
    {
        QTest::addColumn<double>("current");
        QTest::addColumn<QString>("k");
        QTest::addColumn<QString>("text");
        QTest::newRow("first focusing") << 0.407 << "1"
                                        << "1,759E11 Кл/кг";
        QTest::newRow("second focusing") << 0.814 << "2"
                                         << "1,759E11 Кл/кг";
        QTest::newRow("a little past it") << 0.41 << "1"
                                          << "1,733E11 Кл/кг";
    }

    void focusingCurrents()
    {
        QFETCH(double, current);
        QFETCH(QString, k);
        QFETCH(QString, text);
        Bench b;
        b.toSourceOn();
        compute(b, current, k);
        QCOMPARE(b.specificChargeField->text(), text);
        QVERIFY(b.dialogs.errors.isEmpty());
    }

    void separatorFollowsTheLocale()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        Bench b;
        b.toSourceOn();
        compute(b, 0.407, QStringLiteral("1"));
        QCOMPARE(b.specificChargeField->text(), QStringLiteral("1.759E11 Кл/кг"));
    }

    void usesTheParametersTakenOverBySourceSwitch()
    {
        Bench b;
        b.toSourceOn();
        // Changing the field afterwards changes nothing until the switch takes it.
        b.anodeVoltageField->setText(QStringLiteral("2800"));
        compute(b, 0.407, QStringLiteral("1"));
        QCOMPARE(b.specificChargeField->text(), QStringLiteral("1,759E11 Кл/кг"));
    }

    void nothingWithTheOscilloscopeOff()
    {
        Bench b;
        b.click("sourceLamp");
        b.specificChargeField->setText(QStringLiteral("прежнее"));
        compute(b, 0.407, QStringLiteral("1"));
        QCOMPARE(b.specificChargeField->text(), QStringLiteral("прежнее"));
        QVERIFY(b.dialogs.errors.isEmpty());
    }

    void zeroCurrentIsADivisionByZero()
    {
        Bench b;
        b.toSourceOn();
        compute(b, 0.407, QStringLiteral("1"));
        const QString before = b.specificChargeField->text();
        compute(b, 0.0, QStringLiteral("3"));
        QCOMPARE(b.dialogs.errors, QStringList{QStringLiteral("Floating point division by zero")});
        QCOMPARE(b.specificChargeField->text(), before);
    }

    void zeroVoltageGivesZero()
    {
        Bench b;
        b.anodeVoltageField->setText(QStringLiteral("00"));
        b.toSourceOn();
        compute(b, 0.407, QStringLiteral("1"));
        QCOMPARE(b.specificChargeField->text(), QStringLiteral("0,00 Кл/кг"));
        QVERIFY(b.dialogs.errors.isEmpty());
    }

    void badTurnCounts()
    {
        Bench b;
        b.toSourceOn();
        compute(b, 0.407, QStringLiteral("1"));
        compute(b, 0.407, QString());
        QCOMPARE(b.dialogs.errors, QStringList{QStringLiteral("'' is not a valid integer value")});
        compute(b, 0.407, QStringLiteral("99999999999"));
        QCOMPARE(b.dialogs.errors.last(), QStringLiteral("'99999999999' is not a valid integer value"));
        QCOMPARE(b.specificChargeField->text(), QStringLiteral("1,759E11 Кл/кг"));
    }

    void turnCountFilter()
    {
        Bench b;
        BenchWindow &f = b.window;
        f.show();
        b.click("sourceLamp");
        b.helixTurnsField->setFocus();
        b.helixTurnsField->clear();
        QTest::keyClicks(b.helixTurnsField, QStringLiteral("0a"));
        QCOMPARE(b.helixTurnsField->text(), QString());
        QTest::keyClicks(b.helixTurnsField, QStringLiteral("1x02"));
        QCOMPARE(b.helixTurnsField->text(), QStringLiteral("12"));
        QTest::keyClick(b.helixTurnsField, Qt::Key_Backspace);
        QTest::keyClicks(b.helixTurnsField, QStringLiteral("2"));
        QCOMPARE(b.helixTurnsField->text(), QStringLiteral("12"));
        b.toSourceOn();
        b.ammeter->setValue(0.407 * 12);
        b.click("calculateButton");
        QCOMPARE(b.specificChargeField->text(), QStringLiteral("1,759E11 Кл/кг"));
    }

    void buttonClickComputes()
    {
        Bench b;
        BenchWindow &f = b.window;
        f.show();
        b.toSourceOn();
        b.click("sourceLamp");
        b.ammeter->setValue(0.407);
        QTest::mouseClick(b.calculateButton, Qt::LeftButton);
        QCOMPARE(b.specificChargeField->text(), QStringLiteral("1,759E11 Кл/кг"));
    }
};

QTEST_MAIN(TstBenchCalculator)
#include "tst_bench_calculator.moc"
