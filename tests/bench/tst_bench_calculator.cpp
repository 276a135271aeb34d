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
        b.form.amper->setValue(current);
        b.form.Edit2->setText(k);
        b.form.SpeedButton3Click();
    }

private slots:
    void cleanup()
    {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    }

    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    }

    void lampTogglesTheCalculator()
    {
        Bench b;
        TForm1 &f = b.form;
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QTest::mouseClick(f.Image2, Qt::LeftButton);
        QCOMPARE(f.Lab.CalcShown, 1);
        QVERIFY(f.SpeedButton1->isVisible());
        QVERIFY(f.Edit1->isVisible());
        QVERIFY(f.Edit2->isVisible());
        QTest::mouseClick(f.Image2, Qt::LeftButton);
        QCOMPARE(f.Lab.CalcShown, 0);
        QVERIFY(!f.SpeedButton1->isVisible());
        QVERIFY(!f.Edit1->isVisible());
        QVERIFY(!f.Edit2->isVisible());
        // It works in every power state.
        b.toSourceOn();
        f.Image2Click();
        QCOMPARE(f.Lab.CalcShown, 1);
        QVERIFY(f.Edit1->isVisible());
    }

    void focusingCurrents_data()
    {
        QTest::addColumn<double>("current");
        QTest::addColumn<QString>("k");
        QTest::addColumn<QString>("text");
        QTest::newRow("first focusing") << 0.407 << "1" << "1,759E11 Кл/кг";
        QTest::newRow("second focusing") << 0.814 << "2" << "1,759E11 Кл/кг";
        QTest::newRow("a little past it") << 0.41 << "1" << "1,733E11 Кл/кг";
    }

    void focusingCurrents()
    {
        QFETCH(double, current);
        QFETCH(QString, k);
        QFETCH(QString, text);
        Bench b;
        b.toSourceOn();
        compute(b, current, k);
        QCOMPARE(b.form.Edit1->text(), text);
        QCOMPARE(b.form.Lab.HelixTurns, k.toInt());
        QVERIFY(b.dialogs.errors.isEmpty());
    }

    void separatorFollowsTheLocale()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        Bench b;
        b.toSourceOn();
        compute(b, 0.407, QStringLiteral("1"));
        QCOMPARE(b.form.Edit1->text(), QStringLiteral("1.759E11 Кл/кг"));
    }

    void usesTheParametersTakenOverBySourceSwitch()
    {
        Bench b;
        TForm1 &f = b.form;
        b.toSourceOn();
        // Changing the field afterwards changes nothing until the switch takes it.
        f.LabeledEdit1->setText(QStringLiteral("2800"));
        compute(b, 0.407, QStringLiteral("1"));
        QCOMPARE(f.Edit1->text(), QStringLiteral("1,759E11 Кл/кг"));
    }

    void nothingWithTheOscilloscopeOff()
    {
        Bench b;
        TForm1 &f = b.form;
        f.Image2Click();
        f.Edit1->setText(QStringLiteral("прежнее"));
        compute(b, 0.407, QStringLiteral("1"));
        QCOMPARE(f.Edit1->text(), QStringLiteral("прежнее"));
        QCOMPARE(f.Lab.HelixTurns, 0);
        QVERIFY(b.dialogs.errors.isEmpty());
    }

    void zeroCurrentIsADivisionByZero()
    {
        Bench b;
        TForm1 &f = b.form;
        b.toSourceOn();
        compute(b, 0.407, QStringLiteral("1"));
        const QString before = f.Edit1->text();
        const double stored = f.Lab.SpecificCharge;
        compute(b, 0.0, QStringLiteral("3"));
        QCOMPARE(b.dialogs.errors, QStringList{QStringLiteral("Floating point division by zero")});
        QCOMPARE(f.Edit1->text(), before);
        QCOMPARE(f.Lab.SpecificCharge, stored);
        QCOMPARE(f.Lab.HelixTurns, 3);
    }

    void zeroVoltageGivesZero()
    {
        Bench b;
        TForm1 &f = b.form;
        f.LabeledEdit1->setText(QStringLiteral("00"));
        b.toSourceOn();
        compute(b, 0.407, QStringLiteral("1"));
        QCOMPARE(f.Edit1->text(), QStringLiteral("0,00 Кл/кг"));
        QVERIFY(b.dialogs.errors.isEmpty());
    }

    void badTurnCounts()
    {
        Bench b;
        TForm1 &f = b.form;
        b.toSourceOn();
        compute(b, 0.407, QStringLiteral("1"));
        compute(b, 0.407, QString());
        QCOMPARE(b.dialogs.errors, QStringList{QStringLiteral("'' is not a valid integer value")});
        compute(b, 0.407, QStringLiteral("99999999999"));
        QCOMPARE(b.dialogs.errors.last(), QStringLiteral("'99999999999' is not a valid integer value"));
        QCOMPARE(f.Lab.HelixTurns, 1);
        QCOMPARE(f.Edit1->text(), QStringLiteral("1,759E11 Кл/кг"));
    }

    void turnCountFilter()
    {
        Bench b;
        TForm1 &f = b.form;
        f.show();
        f.Image2Click();
        f.Edit2->setFocus();
        f.Edit2->clear();
        QTest::keyClicks(f.Edit2, QStringLiteral("0a"));
        QCOMPARE(f.Edit2->text(), QString());
        QTest::keyClicks(f.Edit2, QStringLiteral("1x02"));
        QCOMPARE(f.Edit2->text(), QStringLiteral("12"));
        QTest::keyClick(f.Edit2, Qt::Key_Backspace);
        QTest::keyClicks(f.Edit2, QStringLiteral("2"));
        QCOMPARE(f.Edit2->text(), QStringLiteral("12"));
        b.toSourceOn();
        f.amper->setValue(0.407 * 12);
        f.SpeedButton3Click();
        QCOMPARE(f.Lab.HelixTurns, 12);
        QCOMPARE(f.Edit1->text(), QStringLiteral("1,759E11 Кл/кг"));
    }

    void buttonClickComputes()
    {
        Bench b;
        TForm1 &f = b.form;
        f.show();
        b.toSourceOn();
        f.Image2Click();
        f.amper->setValue(0.407);
        QTest::mouseClick(f.SpeedButton1, Qt::LeftButton);
        QCOMPARE(f.Edit1->text(), QStringLiteral("1,759E11 Кл/кг"));
    }
};

QTEST_MAIN(TstBenchCalculator)
#include "tst_bench_calculator.moc"
