// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader finds on the bench: a name and a role for every
// control, the read-outs' numbers with their units and power, the dial's
// position, a few words on what the screen shows, and an announcement of
// every change of them.
#include "bench_fixture.h"

#include "toolkit/panel.h"
#include "widgets/seven_segment_display.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QtGui/private/qguiapplication_p.h>
#include <QtTest>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#include <cmath>
#include <vector>

using namespace bench_test;

namespace {

struct Announcement {
    QAccessible::Event type;
    QObject *object;
    QVariant value;
};

// Every event the widgets hand to Qt's accessibility, in order.
std::vector<Announcement> &announcements()
{
    static std::vector<Announcement> list;
    return list;
}

void record(QAccessibleEvent *event)
{
    QVariant value;
    if (event->type() == QAccessible::ValueChanged) value = static_cast<QAccessibleValueChangeEvent *>(event)->value();
    announcements().push_back({event->type(), event->object(), value});
}

std::vector<Announcement> announcedBy(QObject *object, QAccessible::Event type)
{
    std::vector<Announcement> found;
    for (const Announcement &a : announcements())
        if (a.object == object && a.type == type) found.push_back(a);
    return found;
}

QAccessibleInterface *accessible(QObject *object)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object);
    if (!iface) qFatal("no accessible interface for %s", qPrintable(object->objectName()));
    return iface;
}

QString said(QObject *object, QAccessible::Text what)
{
    return accessible(object)->text(what);
}

QString screen(const Bench &b)
{
    return said(b.screen, QAccessible::Description);
}

const QString kDark = QStringLiteral("Экран тёмный");
const QString kSpot = QStringLiteral("Пятно луча в центре экрана");
const QString kWarmup = QStringLiteral("Вертикальная линия прогрева");
const QString kTrace = QStringLiteral("След электронного луча");

}  // namespace

class TestBenchAccessibility : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // Qt passes events on only while a screen reader listens; none does
        // here, so the test takes its place.
        QPlatformAccessibility *platform = QGuiApplicationPrivate::platformIntegration()->accessibility();
        QVERIFY(platform);
        platform->setActive(true);
        QVERIFY(QAccessible::isActive());
    }
    void init()
    {
        announcements().clear();
        QAccessible::installUpdateHandler(record);
    }
    void cleanup()
    {
        QAccessible::installUpdateHandler(nullptr);
        QLocale::setDefault(QLocale::c());
    }

    void controlsHaveNamesAndRoles_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("role");
        QTest::addColumn<QString>("name");
        auto row = [](const char *control, QAccessible::Role role, const QString &name) {
            QTest::newRow(control) << QString::fromLatin1(control) << int(role) << name;
        };
        // Called by their hints.
        // The oscilloscope's switch latches: a toggle, shown pressed.
        row("scopeSwitch", QAccessible::CheckBox, QStringLiteral("Кнопка включения осциллографа"));
        row("sourceSwitch", QAccessible::Button, QStringLiteral("Кнопка включения источника постоянного тока"));
        row("turnDensityField", QAccessible::EditableText, QStringLiteral("Число витков на единицу длины соленоида "));
        row("plateLengthReadout", QAccessible::StaticText, QStringLiteral("Длина отклоняющих пластин"));
        row("ammeter", QAccessible::StaticText, QStringLiteral("Окно амперметра"));
        row("regulatorDial", QAccessible::Dial, QStringLiteral("Регулятор напряжения школьный (РНШ)"));
        row("coarseCurrentArrows", QAccessible::Grouping, QStringLiteral("Изменение силы тока на 0,01 А"));
        row("sourcePanel", QAccessible::Pane, QStringLiteral("Источник постоянного тока"));
        row("helixTurnsField", QAccessible::EditableText, QStringLiteral("Число шагов винтовой линии(1-4)"));
        // Called by their captions.
        row("plateLengthLabel", QAccessible::StaticText, QStringLiteral("d,cм"));
        row("rippleReadout", QAccessible::StaticText, QStringLiteral("Пульсация"));
        row("phaseReadout", QAccessible::StaticText, QStringLiteral("Сдвиг фаз, pi"));
        // Named for the screen reader alone.
        row("screen", QAccessible::Graphic, QStringLiteral("Экран осциллографа"));
        row("scopePanel", QAccessible::Pane, QStringLiteral("Осциллограф"));
        row("rippleArrows", QAccessible::Grouping, QStringLiteral("Изменение пульсации на 0,05"));
        row("calculateButton", QAccessible::Button, QStringLiteral("Вычислить e/m"));
    }
    void controlsHaveNamesAndRoles()
    {
        QFETCH(QString, control);
        QFETCH(int, role);
        QFETCH(QString, name);
        Bench b;
        auto *w = b.window.findChild<QWidget *>(control);
        QVERIFY(w);
        QCOMPARE(int(accessible(w)->role()), role);
        QCOMPARE(said(w, QAccessible::Name), name);
    }

    // Walking the window as a screen reader does, every control it can
    // reach has a name; only the bare surfaces that hold them need none.
    void everyReachableControlIsNamed()
    {
        Bench b;
        b.click("sourceLamp");  // the calculator too
        b.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&b.window));
        QStringList unnamed;
        int controls = 0;
        std::vector<QAccessibleInterface *> pending{accessible(&b.window)};
        while (!pending.empty()) {
            QAccessibleInterface *iface = pending.back();
            pending.pop_back();
            if (iface->state().invisible) continue;
            for (int i = 0; i < iface->childCount(); ++i) pending.push_back(iface->child(i));
            // Surfaces and bars that only hold controls, the size grip, and the
            // status bar's empty hint panel have nothing to be called.
            const QAccessible::Role role = iface->role();
            if (role == QAccessible::Client || role == QAccessible::Window || role == QAccessible::Separator ||
                role == QAccessible::MenuBar || role == QAccessible::StatusBar || role == QAccessible::Grip)
                continue;
            const auto *label = qobject_cast<const QLabel *>(iface->object());
            if (label && label->text().isEmpty()) continue;
            ++controls;
            if (iface->text(QAccessible::Name).trimmed().isEmpty())
                unnamed << (iface->object() ? iface->object()->objectName() : QString()) + QLatin1Char('/') +
                        QString::number(int(role), 16);
        }
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QLatin1String(", "))));
        // The window's controls were all found: the switches, fields, read-outs,
        // arrows (each pair and its two buttons), images, panels and the menu.
        QVERIFY2(controls > 40, qPrintable(QString::number(controls)));
    }

    // What the cells show, said as the locale writes numbers, then the unit.
    void readoutSaysItsNumberAndUnit_data()
    {
        QTest::addColumn<QString>("readout");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("expected");
        QTest::newRow("ammeter, comma") << "ammeter" << 0.407 << "ru_RU" << QStringLiteral("0,407 А");
        QTest::newRow("ammeter, point") << "ammeter" << 0.407 << "C" << QStringLiteral("0.407 А");
        QTest::newRow("ammeter at zero") << "ammeter" << 0.0 << "ru_RU" << QStringLiteral("0,000 А");
        // The cells show a negative current by its magnitude.
        QTest::newRow("ammeter negative") << "ammeter" << -0.01 << "ru_RU" << QStringLiteral("0,010 А");
        // The row of arrows of a number that does not fit.
        QTest::newRow("ammeter overload") << "ammeter" << 10.0 << "ru_RU" << QStringLiteral("перегрузка");
        QTest::newRow("ammeter overload negative") << "ammeter" << -12.5 << "C" << QStringLiteral("перегрузка");
        // A fraction of the current: no unit.
        QTest::newRow("ripple") << "rippleReadout" << 0.1 << "ru_RU" << QStringLiteral("0,10");
        QTest::newRow("ripple rounded up") << "rippleReadout" << 0.125 << "C" << QStringLiteral("0.13");
        QTest::newRow("phase") << "phaseReadout" << 0.4 << "ru_RU" << QStringLiteral("0,40 π");
        QTest::newRow("plate length") << "plateLengthReadout" << 0.5 << "ru_RU" << QStringLiteral("0,5 см");
        QTest::newRow("plate length 5") << "plateLengthReadout" << 5.0 << "C" << QStringLiteral("5.0 см");
        QTest::newRow("plate length overload") << "plateLengthReadout" << 10.0 << "C" << QStringLiteral("перегрузка");
    }
    void readoutSaysItsNumberAndUnit()
    {
        QFETCH(QString, readout);
        QFETCH(double, value);
        QFETCH(QString, locale);
        QFETCH(QString, expected);
        QLocale::setDefault(QLocale(locale));
        Bench b;
        auto *r = b.window.findChild<SevenSegmentDisplay *>(readout);
        QVERIFY(r);
        r->setValue(value);
        QCOMPARE(said(r, QAccessible::Value), expected);
        // The number itself, with its sign, for readers that read values.
        QAccessibleValueInterface *v = accessible(r)->valueInterface();
        QVERIFY(v);
        QCOMPARE(v->currentValue().toDouble(), value);
        // The range it gives is what the cells show before the arrows.
        const double top = v->maximumValue().toDouble();
        QCOMPARE(v->minimumValue().toDouble(), -top);
        QCOMPARE(std::abs(value) <= top, expected != QStringLiteral("перегрузка"));
    }

    // Powering the source on is told as the read-outs' new descriptions, each
    // step of an adjuster as a new value of its read-out.
    void readoutsAnnouncePowerAndValue()
    {
        QLocale::setDefault(QLocale(QStringLiteral("ru_RU")));
        Bench b;
        const QString off = QStringLiteral("питание выключено");
        const QString on = QStringLiteral("питание включено");
        QCOMPARE(said(b.ammeter, QAccessible::Description), off);
        QCOMPARE(said(b.plateLengthReadout, QAccessible::Description), on);
        announcements().clear();
        b.toSourceOn();
        for (QObject *r : {b.ammeter, b.rippleReadout, b.phaseReadout}) {
            QCOMPARE(said(r, QAccessible::Description), on);
            QCOMPARE(announcedBy(r, QAccessible::DescriptionChanged).size(), std::size_t(1));
        }
        QCOMPARE(said(b.plateLengthReadout, QAccessible::Description), off);
        QCOMPARE(announcedBy(b.plateLengthReadout, QAccessible::DescriptionChanged).size(), std::size_t(1));

        announcements().clear();
        b.press("coarseCurrentArrows", TUDBtnType::btNext);
        b.press("fineCurrentArrows", TUDBtnType::btNext);
        const auto changes = announcedBy(b.ammeter, QAccessible::ValueChanged);
        QCOMPARE(changes.size(), std::size_t(2));
        QCOMPARE(changes[0].value.toDouble(), 0.01);
        QCOMPARE(changes[1].value.toDouble(), 0.011);
        QCOMPARE(said(b.ammeter, QAccessible::Value), QStringLiteral("0,011 А"));

        // The ripple's arrow at its top changes nothing and announces nothing.
        for (int i = 0; i < 3; ++i) b.press("rippleArrows", TUDBtnType::btNext);
        announcements().clear();
        b.press("rippleArrows", TUDBtnType::btNext);
        QVERIFY(announcedBy(b.rippleReadout, QAccessible::ValueChanged).empty());
        b.press("rippleArrows", TUDBtnType::btPrev);
        QCOMPARE(announcedBy(b.rippleReadout, QAccessible::ValueChanged).size(), std::size_t(1));

        // Switching the source off returns the ammeter to zero, once.
        announcements().clear();
        b.click("sourceSwitch");
        const auto reset = announcedBy(b.ammeter, QAccessible::ValueChanged);
        QCOMPARE(reset.size(), std::size_t(1));
        QCOMPARE(reset[0].value.toDouble(), 0.0);
    }

    void dialSaysItsPosition()
    {
        Bench b;
        QAccessibleInterface *dial = accessible(b.regulatorDial);
        QAccessibleValueInterface *v = dial->valueInterface();
        QVERIFY(v);
        QCOMPARE(v->minimumValue().toDouble(), 0.0);
        QCOMPARE(v->maximumValue().toDouble(), 100.0);
        QCOMPARE(dial->text(QAccessible::Value), QStringLiteral("0"));

        b.click("scopeSwitch");
        b.click("regulatorSwitch");
        announcements().clear();
        for (int tick = 0; tick < 3; ++tick) b.tick("rampUpTimer");
        const auto climb = announcedBy(b.regulatorDial, QAccessible::ValueChanged);
        QCOMPARE(climb.size(), std::size_t(3));
        for (int i = 0; i < 3; ++i) QCOMPARE(climb[std::size_t(i)].value.toDouble(), double(i + 1));
        QCOMPARE(dial->text(QAccessible::Value), QStringLiteral("3"));

        while (b.rampUpTimer->isActive()) b.tick("rampUpTimer");
        QCOMPARE(v->currentValue().toDouble(), 90.0);
        QCOMPARE(dial->text(QAccessible::Value), QStringLiteral("90"));
    }

    // The screen's description follows what the handlers drew, through the
    // whole power sequence, and each change of it is announced.
    void screenSaysWhatItShows()
    {
        Bench b;
        b.setOuterSize(735, 637);  // as the first showing does
        QCOMPARE(screen(b), kDark);

        b.click("scopeSwitch");
        QCOMPARE(screen(b), kSpot);
        b.click("regulatorSwitch");
        b.tick("rampUpTimer");
        QCOMPARE(screen(b), kWarmup);
        while (b.rampUpTimer->isActive()) b.tick("rampUpTimer");
        QCOMPARE(screen(b), kWarmup);
        // A new layout pass with the regulator on draws the trace.
        b.setOuterSize(760, 640);
        QCOMPARE(screen(b), kTrace);

        b.click("sourceSwitch");
        announcements().clear();
        b.press("coarseCurrentArrows", TUDBtnType::btNext);
        QCOMPARE(screen(b), kTrace);
        // A trace drawn over a trace is not told again.
        QVERIFY(announcedBy(b.screen, QAccessible::DescriptionChanged).empty());
        b.click("sourceSwitch");
        QCOMPARE(screen(b), kTrace);

        announcements().clear();
        b.click("regulatorSwitch");
        QCOMPARE(screen(b), kDark);
        QCOMPARE(announcedBy(b.screen, QAccessible::DescriptionChanged).size(), std::size_t(1));
        while (b.rampDownTimer->isActive()) b.tick("rampDownTimer");
        QCOMPARE(screen(b), kSpot);
        b.click("scopeSwitch");
        QCOMPARE(screen(b), kDark);
        // With the oscilloscope off a resize leaves the screen dark.
        b.setOuterSize(800, 640);
        QCOMPARE(screen(b), kDark);
    }

    // A trace that fails at its first point leaves the freshly darkened disc,
    // and the screen says so.
    void failedTraceLeavesTheScreenDark()
    {
        Bench b;
        // Ends with the source switched off, whose trace fails.
        makeEveryTraceFail(b);
        QCOMPARE(b.dialogs.errors.size(), qsizetype(1));
        QCOMPARE(countPixels(*b.screen, clGreen), 0);
        QCOMPARE(screen(b), kDark);
    }
};

QTEST_MAIN(TestBenchAccessibility)
#include "tst_bench_accessibility.moc"
