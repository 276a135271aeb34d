// SPDX-License-Identifier: GPL-3.0-or-later
// The instrument widget base: repaint requests and their batches and rate
// limit, seen as the paints a shown widget gets; the background and 3-D
// border; bounds changes, geometry helpers, the paint's error handling, the
// loading scope and the published enumeration.
#include "common/paint_counter.h"
#include "widgets/gauge_geometry.h"
#include "widgets/instrument_widget.h"

#include <QApplication>
#include <QMetaProperty>
#include <QPalette>
#include <QTest>
#include <stdexcept>

namespace {

// The smallest real widget: it paints the common background only, counts its
// paints and can be told to fail in the middle of one.
class ProbeWidget : public InstrumentWidget {
public:
    using InstrumentWidget::InstrumentWidget;
    int paints = 0;
    int loadedCalls = 0;
    bool failPaint = false;

protected:
    void paintContents(Canvas &canvas) override
    {
        ++paints;
        paintBackground(canvas, backgroundColor());
        if (failPaint) throw std::runtime_error("paint failed");
    }
    void loaded() override { ++loadedCalls; }
};

InstrumentWidget::Clock::time_point fakeNow;

QImage frameOf(QWidget &w)
{
    return w.grab().toImage();
}

TColor pixel(const QImage &image, int x, int y)
{
    return fromQColor(image.pixelColor(x, y));
}

TColor resolved(TColor c)
{
    return fromQColor(toQColor(c));
}

}  // namespace

class TestInstrumentWidget : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void unchangedPropertiesMakeNoRequest();
    void changedPropertiesMakeOneRequestEach();
    void batchGivesOneRequestAtItsEnd();
    void frameRateLimitHoldsBackEarlyRequests();
    void frameRateZeroLetsEveryRequestThrough();
    void emptyPictureIsIgnored();
    void pictureCoversEverythingWithoutBorder();
    void borderRings_data();
    void borderRings();
    void sameBoundsDoNothingAndAMoveInvalidates();
    void boundsOfAShownWidget();
    void centerPointAndPolarPoint();
    void failingPaintIsLoggedAndSwallowed();
    void loadingScopeRunsLoadedOnce();
    void borderStyleByName();
};

void TestInstrumentWidget::initTestCase()
{
    // Distinct 3-D colours, so that each ring of a border can be told apart.
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Midlight, QColor(0x10, 0x20, 0x30));  // 3-D light
    palette.setColor(QPalette::Shadow, QColor(0x40, 0x50, 0x60));    // 3-D dark shadow
    palette.setColor(QPalette::Light, QColor(0x70, 0x80, 0x90));     // button highlight
    palette.setColor(QPalette::Dark, QColor(0xA0, 0xB0, 0xC0));      // button shadow
    QApplication::setPalette(palette);
    QCOMPARE(resolved(cl3DLight), rgbColor(0x10, 0x20, 0x30));
}

void TestInstrumentWidget::unchangedPropertiesMakeNoRequest()
{
    ProbeWidget w;
    PaintCounter paints(w);
    w.setBackgroundColor(w.backgroundColor());
    w.setBorderStyle(w.borderStyle());
    w.setCachedDrawing(w.cachedDrawing());
    w.setOffsetX(w.offsetX());
    w.setOffsetY(w.offsetY());
    w.setUpdateFrameRate(w.updateFrameRate());
    w.setAutoFrameRate(w.autoFrameRate());
    QCOMPARE(paints.take(), 0);
}

void TestInstrumentWidget::changedPropertiesMakeOneRequestEach()
{
    ProbeWidget w;
    PaintCounter paints(w);
    auto oneMore = [&](const char *what) {
        const int got = paints.take();
        if (got != 1) QFAIL(qPrintable(QStringLiteral("%1 gave %2 paints").arg(what).arg(got)));
    };
    w.setBackgroundColor(clRed);
    oneMore("backgroundColor");
    w.setBorderStyle(InstrumentWidget::BorderStyle::Lowered);
    oneMore("borderStyle");
    w.setOffsetX(4);
    oneMore("offsetX");
    w.setOffsetY(-4);
    oneMore("offsetY");
    w.setUpdateFrameRate(30);
    oneMore("updateFrameRate");
    w.clearBackgroundStale();
    w.setCachedDrawing(false);
    QVERIFY(w.backgroundStale());
    oneMore("cachedDrawing");
}

void TestInstrumentWidget::batchGivesOneRequestAtItsEnd()
{
    ProbeWidget w;
    PaintCounter paints(w);
    w.beginUpdate();
    w.setBackgroundColor(clRed);
    w.setBorderStyle(InstrumentWidget::BorderStyle::Raised);
    w.invalidateContents();
    QCOMPARE(paints.take(), 0);
    w.endUpdate();
    QCOMPARE(paints.take(), 1);
    w.endUpdate();  // nothing pending any more
    QCOMPARE(paints.take(), 0);

    // Batches do not nest: one endUpdate ends them.
    w.beginUpdate();
    w.beginUpdate();
    w.setOffsetX(7);
    w.endUpdate();
    QCOMPARE(paints.take(), 1);
    w.setOffsetX(8);
    QCOMPARE(paints.take(), 1);

    // An empty batch asks for nothing.
    w.beginUpdate();
    w.endUpdate();
    QCOMPARE(paints.take(), 0);
}

void TestInstrumentWidget::frameRateLimitHoldsBackEarlyRequests()
{
    using namespace std::chrono;
    const auto t0 = InstrumentWidget::Clock::time_point(hours(1));
    fakeNow = t0;
    ProbeWidget w;
    w.setClock([] { return fakeNow; });  // the last repaint counts from t0
    PaintCounter paints(w);

    w.setAutoFrameRate(true);  // within 1/60 s of the last repaint: held back
    QCOMPARE(paints.take(), 0);
    fakeNow = t0 + milliseconds(10);
    w.invalidateContents();
    QCOMPARE(paints.take(), 0);
    fakeNow = t0 + milliseconds(17);
    w.invalidateContents();
    QCOMPARE(paints.take(), 1);
    fakeNow += milliseconds(16);
    w.invalidateContents();
    QCOMPARE(paints.take(), 0);
    fakeNow += milliseconds(1);
    w.invalidateContents();
    QCOMPARE(paints.take(), 1);

    // A held-back request goes through at the end of a batch once the
    // interval has passed ...
    fakeNow += milliseconds(5);
    w.invalidateContents();
    QCOMPARE(paints.take(), 0);
    w.beginUpdate();
    fakeNow += milliseconds(20);
    w.endUpdate();
    QCOMPARE(paints.take(), 1);

    // ... and when the limit is switched off.
    fakeNow += milliseconds(1);
    w.invalidateContents();
    QCOMPARE(paints.take(), 0);
    w.setAutoFrameRate(false);
    QCOMPARE(paints.take(), 1);
    w.invalidateContents();
    QCOMPARE(paints.take(), 1);
}

void TestInstrumentWidget::frameRateZeroLetsEveryRequestThrough()
{
    using namespace std::chrono;
    fakeNow = InstrumentWidget::Clock::time_point(hours(2));
    ProbeWidget w;
    w.setClock([] { return fakeNow; });
    PaintCounter paints(w);
    w.setAutoFrameRate(true);
    w.setUpdateFrameRate(0);
    paints.take();
    for (int i = 0; i < 3; ++i) {  // no time passes
        w.invalidateContents();
        QCOMPARE(paints.take(), 1);
    }
}

void TestInstrumentWidget::emptyPictureIsIgnored()
{
    ProbeWidget w;
    w.setBounds(0, 0, 201, 161);
    w.setBackgroundColor(clRed);
    w.setBorderStyle(InstrumentWidget::BorderStyle::Raised);
    w.createBackgroundPicture();
    QVERIFY(w.backgroundPicture());
    QCOMPARE(w.backgroundPicture()->width(), 0);
    const QImage frame = frameOf(w);
    QCOMPARE(pixel(frame, 100, 80), clRed);
    QCOMPARE(pixel(frame, 2, 2), clRed);
    QCOMPARE(pixel(frame, 0, 0), resolved(cl3DLight));
    QCOMPARE(pixel(frame, 200, 160), resolved(cl3DDkShadow));
    QVERIFY(!w.backgroundStale());
}

void TestInstrumentWidget::pictureCoversEverythingWithoutBorder()
{
    ProbeWidget w;
    w.setBounds(0, 0, 201, 161);
    w.setBackgroundColor(clRed);
    w.setBorderStyle(InstrumentWidget::BorderStyle::Raised);
    PaintCounter paints(w);
    w.clearBackgroundStale();
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(QColor(0, 0, 255));
    w.setBackgroundPicture(picture);
    QVERIFY(w.backgroundStale());
    QCOMPARE(paints.take(), 1);
    const QImage frame = frameOf(w);
    for (const QPoint p :
         {QPoint(0, 0), QPoint(1, 1), QPoint(200, 160), QPoint(199, 159), QPoint(100, 80), QPoint(200, 0)})
        QCOMPARE(pixel(frame, p.x(), p.y()), clBlue);
}

void TestInstrumentWidget::borderRings_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<TColor>("outerTopLeft");
    QTest::addColumn<TColor>("outerBottomRight");
    QTest::addColumn<TColor>("innerTopLeft");
    QTest::addColumn<TColor>("innerBottomRight");
    QTest::newRow("raised") << int(InstrumentWidget::BorderStyle::Raised) << cl3DLight << cl3DDkShadow << clBtnHighlight
                            << clBtnShadow;
    QTest::newRow("lowered") << int(InstrumentWidget::BorderStyle::Lowered) << clBtnShadow << clBtnHighlight
                             << cl3DDkShadow << cl3DLight;
}

void TestInstrumentWidget::borderRings()
{
    QFETCH(int, style);
    QFETCH(TColor, outerTopLeft);
    QFETCH(TColor, outerBottomRight);
    QFETCH(TColor, innerTopLeft);
    QFETCH(TColor, innerBottomRight);
    ProbeWidget w;
    w.setBounds(0, 0, 201, 161);
    w.setBackgroundColor(clYellow);
    w.setBorderStyle(InstrumentWidget::BorderStyle(style));
    const QImage frame = frameOf(w);
    QCOMPARE(frame.size(), QSize(201, 161));

    // Outer ring on the rectangle (0, 0, 201, 161), inner ring one inside.
    QCOMPARE(pixel(frame, 0, 0), resolved(outerTopLeft));
    QCOMPARE(pixel(frame, 100, 0), resolved(outerTopLeft));
    QCOMPARE(pixel(frame, 0, 80), resolved(outerTopLeft));
    QCOMPARE(pixel(frame, 100, 160), resolved(outerBottomRight));
    QCOMPARE(pixel(frame, 200, 80), resolved(outerBottomRight));
    QCOMPARE(pixel(frame, 200, 160), resolved(outerBottomRight));
    QCOMPARE(pixel(frame, 1, 1), resolved(innerTopLeft));
    QCOMPARE(pixel(frame, 100, 1), resolved(innerTopLeft));
    QCOMPARE(pixel(frame, 1, 80), resolved(innerTopLeft));
    QCOMPARE(pixel(frame, 100, 159), resolved(innerBottomRight));
    QCOMPARE(pixel(frame, 199, 80), resolved(innerBottomRight));
    QCOMPARE(pixel(frame, 199, 159), resolved(innerBottomRight));
    // Two pixels wide, the rest is background.
    for (const QPoint p :
         {QPoint(2, 2), QPoint(100, 2), QPoint(2, 80), QPoint(198, 80), QPoint(100, 158), QPoint(198, 158)})
        QCOMPARE(pixel(frame, p.x(), p.y()), clYellow);

    w.setBorderStyle(InstrumentWidget::BorderStyle::None);
    const QImage plain = frameOf(w);
    for (const QPoint p : {QPoint(0, 0), QPoint(1, 1), QPoint(200, 160), QPoint(199, 159)})
        QCOMPARE(pixel(plain, p.x(), p.y()), clYellow);
}

void TestInstrumentWidget::sameBoundsDoNothingAndAMoveInvalidates()
{
    ProbeWidget w;
    w.setBounds(10, 10, 201, 161);
    QCOMPARE(w.backgroundCache().size(), QSize(201, 161));
    w.clearBackgroundStale();
    w.setBounds(10, 10, 201, 161);
    QVERIFY(!w.backgroundStale());

    w.setBounds(11, 10, 201, 161);
    QVERIFY(w.backgroundStale());
    QCOMPARE(w.geometry(), QRect(11, 10, 201, 161));

    // The cache follows a new size.
    w.setBounds(11, 10, 100, 50);
    QCOMPARE(w.backgroundCache().size(), QSize(100, 50));
}

void TestInstrumentWidget::boundsOfAShownWidget()
{
    QWidget window;
    window.resize(400, 300);
    auto *w = new ProbeWidget(&window);
    w->setBounds(10, 10, 201, 161);
    PaintCounter paints(*w);

    w->clearBackgroundStale();
    w->setBounds(10, 10, 201, 161);
    QVERIFY(!w->backgroundStale());
    QCOMPARE(paints.take(), 0);
    w->setBounds(10, 11, 201, 161);
    QVERIFY(w->backgroundStale());
    QVERIFY(paints.take() >= 1);
}

void TestInstrumentWidget::centerPointAndPolarPoint()
{
    ProbeWidget w;
    w.setBounds(0, 0, 201, 161);
    QImage image(1, 1, QImage::Format_RGB32);
    Canvas canvas(image);
    QCOMPARE(w.centerPoint(), QPoint(100, 80));
    w.setOffsetX(3);
    w.setOffsetY(-2);
    QCOMPARE(w.centerPoint(), QPoint(103, 78));

    QCOMPARE(polarPoint(QPoint(100, 80), 50, 90), QPoint(100, 30));
    QCOMPARE(polarPoint(QPoint(100, 80), 50, 0), QPoint(150, 80));
    QCOMPARE(polarPoint(QPoint(0, 0), 100, 45), QPoint(71, -71));
    // Halves go to the even neighbour, on both axes.
    QCOMPARE(polarPoint(QPoint(0, 0), 2.5, 0), QPoint(2, 0));
    QCOMPARE(polarPoint(QPoint(0, 0), 3.5, 0), QPoint(4, 0));
    QCOMPARE(polarPoint(QPoint(0, 0), 2.5, 270), QPoint(0, 2));
    QCOMPARE(polarPoint(QPoint(10, 10), 0.5, 180), QPoint(10, 10));
}

void TestInstrumentWidget::failingPaintIsLoggedAndSwallowed()
{
    ProbeWidget w;
    w.setObjectName(QStringLiteral("probe"));
    w.resize(40, 30);
    w.setBackgroundColor(clRed);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCoreApplication::processEvents();

    w.failPaint = true;
    const int before = w.paints;
    QTest::ignoreMessage(QtWarningMsg, "probe paint failed: paint failed");
    w.repaint();  // a real, synchronous paint
    QCOMPARE(w.paints, before + 1);

    // The widget goes on painting once the fault is gone.
    w.failPaint = false;
    w.setBackgroundColor(clBlue);
    const QImage shot = w.grab().toImage();
    QVERIFY(w.paints > before + 1);
    QCOMPARE(pixel(shot, 20, 15), clBlue);
}

void TestInstrumentWidget::loadingScopeRunsLoadedOnce()
{
    ProbeWidget w;
    QVERIFY(!w.isLoading());
    w.beginLoading();
    QVERIFY(w.isLoading());
    QCOMPARE(w.loadedCalls, 0);
    w.endLoading();
    QVERIFY(!w.isLoading());
    QCOMPARE(w.loadedCalls, 1);
    w.endLoading();
    QCOMPARE(w.loadedCalls, 1);
}

void TestInstrumentWidget::borderStyleByName()
{
    ProbeWidget w;
    const QMetaObject *meta = w.metaObject();
    const QMetaProperty property = meta->property(meta->indexOfProperty("borderStyle"));
    QVERIFY(property.isEnumType());
    QVERIFY(w.setProperty("borderStyle", QStringLiteral("Lowered")));
    QCOMPARE(w.borderStyle(), InstrumentWidget::BorderStyle::Lowered);
    QCOMPARE(property.enumerator().valueToKey(w.property("borderStyle").toInt()), "Lowered");
    QVERIFY(!w.setProperty("borderStyle", QStringLiteral("ibsSideways")));
    QCOMPARE(w.borderStyle(), InstrumentWidget::BorderStyle::Lowered);
}

QTEST_MAIN(TestInstrumentWidget)
#include "tst_instrument_widget.moc"
