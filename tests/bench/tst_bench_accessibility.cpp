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

QString screen(TForm1 &form)
{
    return said(form.Image1, QAccessible::Description);
}

const QString kDark = QStringLiteral("Экран тёмный");
const QString kSpot = QStringLiteral("Пятно луча в центре экрана");
const QString kWarmup = QStringLiteral("Вертикальная линия прогрева");
const QString kTrace = QStringLiteral("След электронного луча");

} // namespace

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
        row("knopka1", QAccessible::CheckBox, QStringLiteral("Кнопка включения осциллографа"));
        row("knopka3", QAccessible::Button, QStringLiteral("Кнопка включения источника постоянного тока"));
        row("LabeledEdit2", QAccessible::EditableText, QStringLiteral("Число витков на единицу длины соленоида "));
        row("Dplastin1", QAccessible::StaticText, QStringLiteral("Длина отклоняющих пластин"));
        row("amper", QAccessible::StaticText, QStringLiteral("Окно амперметра"));
        row("transformator", QAccessible::Dial, QStringLiteral("Регулятор напряжения школьный (РНШ)"));
        row("sh_vprm", QAccessible::Grouping, QStringLiteral("Изменение силы тока на 0,01 А"));
        row("Panel3", QAccessible::Pane, QStringLiteral("Источник постоянного тока"));
        row("Edit2", QAccessible::EditableText, QStringLiteral("Число шагов винтовой линии(1-4)"));
        // Called by their captions.
        row("Label2", QAccessible::StaticText, QStringLiteral("d,cм"));
        row("Fmax1", QAccessible::StaticText, QStringLiteral("Пульсация"));
        row("Faza1", QAccessible::StaticText, QStringLiteral("Сдвиг фаз, pi"));
        // Named for the screen reader alone.
        row("Image1", QAccessible::Graphic, QStringLiteral("Экран осциллографа"));
        row("Panel2", QAccessible::Pane, QStringLiteral("Осциллограф"));
        row("UpDown1", QAccessible::Grouping, QStringLiteral("Изменение пульсации на 0,05"));
        row("SpeedButton1", QAccessible::Button, QStringLiteral("Вычислить e/m"));
    }
    void controlsHaveNamesAndRoles()
    {
        QFETCH(QString, control);
        QFETCH(int, role);
        QFETCH(QString, name);
        Bench b;
        auto *w = b.form.findChild<QWidget *>(control);
        QVERIFY(w);
        QCOMPARE(int(accessible(w)->role()), role);
        QCOMPARE(said(w, QAccessible::Name), name);
    }

    // Walking the window as a screen reader does, every control it can
    // reach has a name; only the bare surfaces that hold them need none.
    void everyReachableControlIsNamed()
    {
        Bench b;
        b.form.Image2Click();  // the calculator too
        b.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&b.form));
        QStringList unnamed;
        int controls = 0;
        std::vector<QAccessibleInterface *> pending{accessible(&b.form)};
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
        QTest::newRow("ammeter, comma") << "amper" << 0.407 << "ru_RU" << QStringLiteral("0,407 А");
        QTest::newRow("ammeter, point") << "amper" << 0.407 << "C" << QStringLiteral("0.407 А");
        QTest::newRow("ammeter at zero") << "amper" << 0.0 << "ru_RU" << QStringLiteral("0,000 А");
        // The cells show a negative current by its magnitude.
        QTest::newRow("ammeter negative") << "amper" << -0.01 << "ru_RU" << QStringLiteral("0,010 А");
        // The row of arrows of a number that does not fit.
        QTest::newRow("ammeter overload") << "amper" << 10.0 << "ru_RU" << QStringLiteral("перегрузка");
        QTest::newRow("ammeter overload negative") << "amper" << -12.5 << "C" << QStringLiteral("перегрузка");
        // A fraction of the current: no unit.
        QTest::newRow("ripple") << "Fmax1" << 0.1 << "ru_RU" << QStringLiteral("0,10");
        QTest::newRow("ripple rounded up") << "Fmax1" << 0.125 << "C" << QStringLiteral("0.13");
        QTest::newRow("phase") << "Faza1" << 0.4 << "ru_RU" << QStringLiteral("0,40 π");
        QTest::newRow("plate length") << "Dplastin1" << 0.5 << "ru_RU" << QStringLiteral("0,5 см");
        QTest::newRow("plate length 5") << "Dplastin1" << 5.0 << "C" << QStringLiteral("5.0 см");
        QTest::newRow("plate length overload") << "Dplastin1" << 10.0 << "C" << QStringLiteral("перегрузка");
    }
    void readoutSaysItsNumberAndUnit()
    {
        QFETCH(QString, readout);
        QFETCH(double, value);
        QFETCH(QString, locale);
        QFETCH(QString, expected);
        QLocale::setDefault(QLocale(locale));
        Bench b;
        auto *r = b.form.findChild<SevenSegmentDisplay *>(readout);
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
        QCOMPARE(said(b.form.amper, QAccessible::Description), off);
        QCOMPARE(said(b.form.Dplastin1, QAccessible::Description), on);
        announcements().clear();
        b.toSourceOn();
        for (QObject *r : {b.form.amper, b.form.Fmax1, b.form.Faza1}) {
            QCOMPARE(said(r, QAccessible::Description), on);
            QCOMPARE(announcedBy(r, QAccessible::DescriptionChanged).size(), std::size_t(1));
        }
        QCOMPARE(said(b.form.Dplastin1, QAccessible::Description), off);
        QCOMPARE(announcedBy(b.form.Dplastin1, QAccessible::DescriptionChanged).size(), std::size_t(1));

        announcements().clear();
        b.form.sh_vprmClick(TUDBtnType::btNext);
        b.form.sh_vprm_2Click(TUDBtnType::btNext);
        const auto changes = announcedBy(b.form.amper, QAccessible::ValueChanged);
        QCOMPARE(changes.size(), std::size_t(2));
        QCOMPARE(changes[0].value.toDouble(), 0.01);
        QCOMPARE(changes[1].value.toDouble(), 0.011);
        QCOMPARE(said(b.form.amper, QAccessible::Value), QStringLiteral("0,011 А"));

        // The ripple's arrow at its top changes nothing and announces nothing.
        for (int i = 0; i < 3; ++i) b.form.UpDown1Click(TUDBtnType::btNext);
        announcements().clear();
        b.form.UpDown1Click(TUDBtnType::btNext);
        QVERIFY(announcedBy(b.form.Fmax1, QAccessible::ValueChanged).empty());
        b.form.UpDown1Click(TUDBtnType::btPrev);
        QCOMPARE(announcedBy(b.form.Fmax1, QAccessible::ValueChanged).size(), std::size_t(1));

        // Switching the source off returns the ammeter to zero, once.
        announcements().clear();
        b.form.knopka3Click();
        const auto reset = announcedBy(b.form.amper, QAccessible::ValueChanged);
        QCOMPARE(reset.size(), std::size_t(1));
        QCOMPARE(reset[0].value.toDouble(), 0.0);
    }

    void dialSaysItsPosition()
    {
        Bench b;
        QAccessibleInterface *dial = accessible(b.form.transformator);
        QAccessibleValueInterface *v = dial->valueInterface();
        QVERIFY(v);
        QCOMPARE(v->minimumValue().toDouble(), 0.0);
        QCOMPARE(v->maximumValue().toDouble(), 100.0);
        QCOMPARE(dial->text(QAccessible::Value), QStringLiteral("0"));

        b.form.knopka1Click();
        b.form.knopka2Click();
        announcements().clear();
        for (int tick = 0; tick < 3; ++tick) b.form.Timer2Timer();
        const auto climb = announcedBy(b.form.transformator, QAccessible::ValueChanged);
        QCOMPARE(climb.size(), std::size_t(3));
        for (int i = 0; i < 3; ++i) QCOMPARE(climb[std::size_t(i)].value.toDouble(), double(i + 1));
        QCOMPARE(dial->text(QAccessible::Value), QStringLiteral("3"));

        while (b.form.Timer2->isActive()) b.form.Timer2Timer();
        QCOMPARE(v->currentValue().toDouble(), 90.0);
        QCOMPARE(dial->text(QAccessible::Value), QStringLiteral("90"));
    }

    // The screen's description follows what the handlers drew, through the
    // whole power sequence, and each change of it is announced.
    void screenSaysWhatItShows()
    {
        Bench b;
        TForm1 &f = b.form;
        b.setOuterSize(735, 637);  // as the first showing does
        QCOMPARE(screen(f), kDark);

        f.knopka1Click();
        QCOMPARE(screen(f), kSpot);
        f.knopka2Click();
        f.Timer2Timer();
        QCOMPARE(screen(f), kWarmup);
        while (f.Timer2->isActive()) f.Timer2Timer();
        QCOMPARE(screen(f), kWarmup);
        // A new layout pass with the regulator on draws the trace.
        b.setOuterSize(760, 640);
        QCOMPARE(screen(f), kTrace);

        f.knopka3Click();
        announcements().clear();
        f.sh_vprmClick(TUDBtnType::btNext);
        QCOMPARE(screen(f), kTrace);
        // A trace drawn over a trace is not told again.
        QVERIFY(announcedBy(f.Image1, QAccessible::DescriptionChanged).empty());
        f.knopka3Click();
        QCOMPARE(screen(f), kTrace);

        announcements().clear();
        f.knopka2Click();
        QCOMPARE(screen(f), kDark);
        QCOMPARE(announcedBy(f.Image1, QAccessible::DescriptionChanged).size(), std::size_t(1));
        while (f.Timer3->isActive()) f.Timer3Timer();
        QCOMPARE(screen(f), kSpot);
        f.knopka1Click();
        QCOMPARE(screen(f), kDark);
        // With the oscilloscope off a resize leaves the screen dark.
        b.setOuterSize(800, 640);
        QCOMPARE(screen(f), kDark);
    }

    // A trace that fails at its first point leaves the freshly darkened disc,
    // and the screen says so.
    void failedTraceLeavesTheScreenDark()
    {
        Bench b;
        // Ends with the source switched off, whose trace fails.
        makeEveryTraceFail(b.form);
        QCOMPARE(b.dialogs.errors.size(), qsizetype(1));
        QCOMPARE(countPixels(*b.form.Image1, clGreen), 0);
        QCOMPARE(screen(b.form), kDark);
    }
};

QTEST_MAIN(TestBenchAccessibility)
#include "tst_bench_accessibility.moc"
