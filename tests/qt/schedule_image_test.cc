// The week chart in pixels: the QPainter surface's line rule and its units
// at a device pixel ratio, and the by-name host adapter (438 for a member
// the host lacks). The PNG of a known schedule is records_render_test.sh's.

#include <cmath>

#include <QGuiApplication>
#include <QImage>
#include <QTest>

#include "common/error.h"
#include "error_number.h"
#include "model/schedule/time_schedule.h"
#include "qt/call_by_name.h"
#include "qt/day_type_images.h"
#include "qt/qpainter_surface.h"
#include "qt/schedule_host_by_name.h"

using namespace quindo;

// A late-bound host with a few of the contract's members.
class ByNameHost : public QObject {
  Q_OBJECT

 public:
  QStringList calls;
  QString start = QStringLiteral("7:30");

 public slots:
  void Set_Text_Schedule_Time(const QString& text) { calls << "time " + text; }
  QString Get_Text_Schedule_Period_Start() { return start; }
  void Set_VScroll_Schedule_Max(int max) { calls << "max " + QString::number(max); }
  QVariant Get_Check_TimeSchedule_ViewDayType() { return QStringLiteral("1"); }
  double Get_ImageList_ImageWidth() { return 16.5; }
  void Draw_ImageList_ListImages(int index, int dc, double x, int y, int style = 0) {
    calls << QStringLiteral("draw %1 %2 %3 %4 %5").arg(index).arg(dc).arg(x).arg(y).arg(style);
  }
  Q_INVOKABLE void Set_Picture_TimeSchedule_Height(qlonglong height) {
    calls << "height " + QString::number(height);
  }
};

class ScheduleImageTest : public QObject {
  Q_OBJECT

 private slots:
  void linesLeaveOutTheirLastPoint() {
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainterSurface surface(&image);
    surface.Line(2, 3, 8, 3, quindo::Rgb{255, 0, 0});       // x 2..7
    surface.Line(5, 10, 5, 15, quindo::Rgb{0, 0, 255});     // y 10..14
    surface.Line(12, 2, 12, 2, quindo::Rgb{0, 0, 0});       // nothing
    surface.Line(15, 5, 14, 5, quindo::Rgb{0, 255, 0});     // one point, at its start
    surface.FillBox(19, 19, 17, 17, quindo::Rgb{9, 9, 9});  // corners in any order, both included
    surface.End();
    const QRgb white = qRgb(255, 255, 255), red = qRgb(255, 0, 0), box = qRgb(9, 9, 9);
    const std::tuple<int, int, QRgb> pixels[] = {
        {17, 17, box}, {19, 19, box},  {16, 17, white}, {2, 3, red},    {7, 3, red},               {8, 3, white},
        {1, 3, white}, {5, 14, qRgb(0, 0, 255)}, {5, 15, white}, {12, 2, white}, {15, 5, qRgb(0, 255, 0)}, {14, 5, white}};
    for (const auto& [x, y, rgb] : pixels) QCOMPARE(image.pixel(x, y), rgb);
    QCOMPARE(surface.CurrentX(), 14.0);  // the platform's line moves the pen to its end
    QVERIFY(QPainterSurface::FromHandle(surface.hDC()) == &surface);
    QVERIFY(QPainterSurface::FromHandle(surface.hDC() + 1000) == nullptr);
    // Unknown handles and images are refused, not drawn somewhere else.
    QCOMPARE(ErrorOf([&] { DrawDayTypeImage(1, surface.hDC() + 1000, 0, 0); }),
             int(kInvalidProcedureCall));
    QCOMPARE(ErrorOf([&] { DrawDayTypeImage(17, surface.hDC(), 0, 0); }), int(kSubscriptOutOfRange));
  }

  void unitsCoverWholeDevicePixelsAtAnyRatio() {
    for (const qreal ratio : {1.5, 2.0}) {
      QImage image(30, 30, QImage::Format_RGB32);
      image.setDevicePixelRatio(ratio);
      image.fill(Qt::white);
      QPainterSurface surface(&image);
      // Stripes of units 2..5 tile rows without gaps; a line is one device
      // pixel thin at its unit's start; a box covers its units.
      for (int y = 2; y <= 5; ++y) surface.Stripe(1, y, 4, y, quindo::Rgb{0, static_cast<uint8_t>(y), 0});
      surface.Line(8, 1, 8, 6, quindo::Rgb{0, 0, 255});
      surface.FillBox(10, 1, 11, 2, quindo::Rgb{9, 9, 9});
      surface.End();
      const auto device = [ratio](int unit) { return static_cast<int>(std::lround(unit * ratio)); };
      for (int y = device(2); y < device(6); ++y) {
        QCOMPARE(image.pixel(device(1), y), image.pixel(device(4) - 1, y));
        QCOMPARE(qGreen(image.pixel(device(1), y)), int(y * 1.0 / ratio));
      }
      QCOMPARE(image.pixel(device(1), device(6)), qRgb(255, 255, 255));
      QCOMPARE(image.pixel(device(4), device(2)), qRgb(255, 255, 255));
      QCOMPARE(image.pixel(device(8), device(3)), qRgb(0, 0, 255));
      QCOMPARE(image.pixel(device(8) + 1, device(3)), qRgb(255, 255, 255));
      QCOMPARE(image.pixel(device(12) - 1, device(3) - 1), qRgb(9, 9, 9));
      QCOMPARE(image.pixel(device(12), device(3) - 1), qRgb(255, 255, 255));
    }
  }

  void adapterCallsMembersByName() {
    ByNameHost object;
    ScheduleHostByName host(&object);
    host.Set_Text_Schedule_Time("07:00");
    QCOMPARE(host.Get_Text_Schedule_Period_Start(), std::string("7:30"));
    host.Set_VScroll_Schedule_Max(-8);
    QVERIFY(host.Get_Check_TimeSchedule_ViewDayType());  // "1" is not false
    QCOMPARE(host.Get_ImageList_ImageWidth(), 16.5);
    host.Draw_ImageList_ListImages(3, 4711, 10, 178, std::nullopt);  // the overload of four
    host.Draw_ImageList_ListImages(3, 4711, 10.5, 178, int16_t{1});
    host.Set_Picture_TimeSchedule_Height(179);
    QCOMPARE(object.calls, (QStringList{"time 07:00", "max -8", "draw 3 4711 10 178 0",
                                        "draw 3 4711 10.5 178 1", "height 179"}));

    // A member the host lacks: 438 when the schedule first calls it.
    QCOMPARE(ErrorOf([&] { host.Set_Text_Schedule_Period_Start("x"); }),
             int(kObjectDoesntSupportMember));
    QCOMPARE(ErrorOf([&] { host.Get_VScroll_Schedule_Left(); }), int(kObjectDoesntSupportMember));
    // The wrong number of arguments is a missing member too.
    QCOMPARE(ErrorOf([&] { CallByName(&object, "Set_Text_Schedule_Time", {}); }),
             int(kObjectDoesntSupportMember));
    // A text where a number is expected does not convert.
    QCOMPARE(ErrorOf([&] { CallByName(&object, "Set_VScroll_Schedule_Max", {QStringLiteral("x")}); }),
             int(kTypeMismatch));
    // A host that is gone is no object.
    auto* gone = new ByNameHost;
    ScheduleHostByName orphan(gone);
    delete gone;
    QCOMPARE(ErrorOf([&] { orphan.Set_Text_Schedule_Time("x"); }), int(kObjectRequired));

    // The whole recalculation runs through the adapter until the first
    // missing member.
    cTimeSchedule s;
    PaintSurface* paint_object = nullptr;
    QCOMPARE(ErrorOf([&] { s.RecalculateAndPrepareToPaint(host, paint_object, nullptr); }),
             int(kObjectDoesntSupportMember));
  }
};

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  ScheduleImageTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "schedule_image_test.moc"
