// CalendarView on the offscreen platform: painting day types by dragging
// with QTest mouse events and with the keyboard alone (and what
// accessibility tools read), the month navigation that stops at the
// calendar's range and shows only the rows a month fills, holiday rules with their strip and tooltip, day-type
// images inside their boxes, painting at the screen's pixel ratio (the suite
// also runs with QT_SCALE_FACTOR=2), the by-name host adapter, and the PNG
// that quindo-records calendar render writes.

#include <cmath>

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include "common/error.h"
#include "error_number.h"
#include "common/language.h"
#include "common/shipped_files.h"
#include "common/settings.h"
#include "model/calendar/calendar.h"
#include "model/calendar/calendar_locale.h"
#include "model/calendar/day_number.h"
#include "model/calendar/holiday_label.h"
#include "model/calendar/holiday_rules.h"
#include "model/profile/profile.h"
#include "model/schedule/time_schedule.h"
#include "qt/calendar_host_by_name.h"
#include "qt/calendar_view.h"
#include "device_pixels.h"

using namespace quindo;
using namespace quindo::testing;

namespace {

const int32_t kMarch2024 = DayNumberFromCivil(2024, 3, 1);  // a Friday

// The centre of the date box of day `day` of March 2024.
QPoint March2024(int day) {
  const int position = day - 1 + 4;
  return {30 + 40 * (position % 7) + 20, 20 + 25 * (position / 7) + 12};
}

// A host that offers only part of the contract.
class PartialHost : public QObject {
  Q_OBJECT
 public slots:
  QString Get_Combo_Calendar_DayType_ComboItems(int index) { return QString("item %1").arg(index); }
  QVariant Get_Combo_Calendar_DayType_SelectedItem() { return {}; }
};

}  // namespace

class CalendarViewTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<CalendarView> ShownMarch2024() {
    auto view = std::make_unique<CalendarView>();
    view->SetCalendarLocale(CalendarLocale::Iso8601());
    view->SetToday(QDate(2024, 3, 10));
    view->ShowMonth(2024, 3);
    view->show();
    if (!QTest::qWaitForWindowExposed(view.get())) qWarning("view not exposed");
    return view;
  }

 private slots:
  void initTestCase() { LoadLanguageFile(FindShippedLanguageFile().value()); }
  void cleanup() {
    HolidayDays().assign(kHolidayDayCount, 0);
    HolidayLabels().Clear();
  }

  void testDraggingAcrossDatesStoresTheSelectedDayTypeOncePerDate() {
    auto view = ShownMarch2024();
    QSignalSpy changed(view.get(), &CalendarView::calendarChanged);
    view->DayTypeList()->setCurrentIndex(2);  // third item: calendar day type 2, Tuesday

    QWidget* area = view->PaintArea();
    QTest::mousePress(area, Qt::LeftButton, {}, March2024(1));
    for (int day = 1; day <= 4; ++day) {
      QTest::mouseMove(area, March2024(day) + QPoint(-8, 0));
      QTest::mouseMove(area, March2024(day) + QPoint(8, 3));
    }
    QTest::mouseRelease(area, Qt::LeftButton, {}, March2024(4));
    QTest::mouseMove(area, March2024(5));  // after release: nothing painted

    const auto& calendar = view->Calendar();
    for (int day = 1; day <= 4; ++day) QCOMPARE(calendar->GetDayType(kMarch2024 + day - 1), int16_t{2});
    QCOMPARE(calendar->GetDayType(kMarch2024 + 4), int16_t{0});
    QCOMPARE(changed.count(), 4);
    QVERIFY(view->StatusLabel()->text().isEmpty());
  }

  void testNavigationStopsAtTheCalendarsRange() {
    auto view = ShownMarch2024();
    QVERIFY(view->ShowMonth(2000, 1));
    QVERIFY(!view->PreviousButton()->isEnabled());
    QVERIFY(view->NextButton()->isEnabled());
    QVERIFY(!view->ShowMonth(1999, 12));
    QCOMPARE(view->ShownYear(), 2000);

    QVERIFY(view->ShowMonth(2039, 11));
    QTest::mouseClick(view->NextButton(), Qt::LeftButton);
    QCOMPARE(view->ShownMonth(), 12);
    QVERIFY(!view->NextButton()->isEnabled());
    QVERIFY(!view->ShowMonth(2040, 1));
    QCOMPARE(view->CaptionLabel()->text(), QString("December 2039"));

    view->YearField()->setValue(2001);
    QCOMPARE(view->ShownYear(), 2001);
    QCOMPARE(view->ShownMonth(), 12);

    // The area shows the rows a month fills, and no empty one below.
    const struct {
      int year, month, height;
    } months[] = {{2024, 9, 180}, {2024, 3, 155}, {2027, 2, 130}};
    for (const auto& m : months) {
      QVERIFY(view->ShowMonth(m.year, m.month));
      QCOMPARE(view->PaintArea()->height(), m.height);
    }
    // March 2024: five rows; below its last grid line nothing is drawn,
    // though the month's image holds the contract's six rows.
    QVERIFY(view->ShowMonth(2024, 3));
    QCOMPARE(UnitPixel(view->PaintAreaImage(), 70, 150), qRgb(0, 0, 0));
    QCOMPARE(UnitPixel(view->PaintArea()->grab().toImage(), 70, 150), qRgb(255, 255, 255));
    QVERIFY(view->StatusLabel()->text().isEmpty());
  }

  void testKeyboardAlonePaintsAndClearsADayAndNamesIt() {
    auto view = ShownMarch2024();
    view->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(view.get()));
    QSignalSpy changed(view.get(), &CalendarView::calendarChanged);
    QWidget* area = view->PaintArea();
    // Tab reaches the month after the year field.
    view->YearField()->setFocus();
    QTest::keyClick(view->YearField(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), area);
    QAccessibleInterface* month = QAccessible::queryAccessibleInterface(area);
    QCOMPARE(month->role(), QAccessible::Canvas);
    QCOMPARE(month->text(QAccessible::Name), QString("Calendar, Sunday 10 March 2024: Weekday of the date"));

    // Without a chosen day type Enter paints nothing and says why.
    QTest::keyClick(area, Qt::Key_Return);
    QVERIFY(!view->StatusLabel()->text().isEmpty());
    view->DayTypeList()->setCurrentIndex(9);  // calendar day type 9, special day type 2
    area->setFocus();
    QTest::keyClick(area, Qt::Key_Right);
    QTest::keyClick(area, Qt::Key_Right);
    QTest::keyClick(area, Qt::Key_Down);
    QTest::keyClick(area, Qt::Key_Space);
    QCOMPARE(view->Calendar()->GetDayType(kMarch2024 + 18), int16_t{9});
    QCOMPARE(changed.count(), 1);
    QCOMPARE(month->text(QAccessible::Name), QString("Calendar, Tuesday 19 March 2024: Special day type 2"));
    // The cursor's frame shows while the month has the focus.
    const QImage shown = area->grab().toImage();
    QCOMPARE(UnitPixel(shown, 71, 21 + 25 * 3), QColor(area->palette().color(QPalette::Highlight)).rgb());
    QTest::keyClick(area, Qt::Key_Delete);
    QCOMPARE(view->Calendar()->GetDayType(kMarch2024 + 18), int16_t{0});
    QCOMPARE(changed.count(), 2);
    QTest::keyClick(area, Qt::Key_Delete);  // nothing left to clear
    QCOMPARE(changed.count(), 2);

    // Across the month's edges: the next month shows with the cursor in it.
    QTest::keyClick(area, Qt::Key_Home);
    QTest::keyClick(area, Qt::Key_Left);
    QCOMPARE(view->ShownMonth(), 2);
    QCOMPARE(view->CursorDay(), kMarch2024 - 1);
    QTest::keyClick(area, Qt::Key_PageDown);
    QCOMPARE(view->ShownMonth(), 3);
    QCOMPARE(view->CursorDay(), kMarch2024 + 28);
    QVERIFY(month->text(QAccessible::Name).startsWith(QString("Calendar, Friday 29 March 2024")));
  }

  void testHolidayRulesMarkAndNameTheirDates() {
    auto view = ShownMarch2024();
    QSignalSpy changed(view.get(), &CalendarView::calendarChanged);
    HolidayRule good_friday;  // 29 March 2024
    good_friday.kind = HolidayRule::Kind::kEaster;
    good_friday.offset = -2;
    good_friday.label = "Good Friday";
    good_friday.day_type = 9;
    good_friday.view_in_calendar = true;

    // Loading the labels only: marked and named, the day type left alone.
    QVERIFY(view->LoadHolidayRules({good_friday}));
    QCOMPARE(view->Calendar()->GetDayType(kMarch2024 + 28), int16_t{0});
    QCOMPARE(changed.count(), 0);
    QTest::mouseMove(view->PaintArea(), March2024(29));
    QCOMPARE(view->PaintArea()->toolTip(), QString(" (Good Friday)"));

    QVERIFY(view->ApplyHolidayRules({good_friday}));
    QCOMPARE(view->Calendar()->GetDayType(kMarch2024 + 28), int16_t{9});
    QCOMPARE(changed.count(), 1);

    // Bad rules change nothing and say why.
    HolidayRule bad = good_friday;
    bad.day_type = 0;
    QVERIFY(!view->ApplyHolidayRules({bad}));
    QVERIFY(view->StatusLabel()->text().contains("DayType 0"));
    QCOMPARE(HolidayLabels().Count(), size_t{40});
    QCOMPARE(changed.count(), 1);
  }

  void testPaintsAtTheScreensPixelRatioWithDayTypeImagesInsideTheirBoxes() {
    auto view = ShownMarch2024();
    const qreal ratio = view->PaintArea()->devicePixelRatioF();
    const QImage plain = view->PaintAreaImage().copy();
    QCOMPARE(plain.devicePixelRatio(), ratio);
    QCOMPARE(plain.deviceIndependentSize().width(), view->PaintArea()->width());
    // Lines one device pixel thin are the surface's test (schedule_image_test).
    QCOMPARE(plain.pixel(DevicePixel(plain, 190), DevicePixel(plain, 30)), qRgb(0, 0, 0));
    // The day of the month is drawn at the device's resolution.
    if (ratio == 2) QVERIFY(HasDevicePixelDetail(plain, QRect(192, 22, 14, 12)));
    for (int day = 0; day < 31; ++day) {
      view->Calendar()->SetDayType(kMarch2024 + day, static_cast<int16_t>(8 + day % 16));
    }
    view->Refresh();
    const QImage& images = view->PaintAreaImage();
    QVERIFY(images != plain);
    // Not one pixel of a grid line, black or white, changes.
    const auto device = [&](int unit) { return DevicePixel(images, unit); };
    for (int column = 0; column <= 7; ++column) {
      for (const int x : {device(30 + 40 * column), device(31 + 40 * column)}) {
        for (int y = device(20); y < device(170); ++y) QCOMPARE(images.pixel(x, y), plain.pixel(x, y));
      }
    }
    for (int row = 0; row <= 6; ++row) {
      for (const int y : {device(20 + 25 * row), device(21 + 25 * row)}) {
        for (int x = device(30); x < device(310); ++x) QCOMPARE(images.pixel(x, y), plain.pixel(x, y));
      }
    }
    QVERIFY(view->StatusLabel()->text().isEmpty());
  }

  void testHostByNameCallsMembersAndRaisesForMissingOnes() {
    PartialHost partial;
    CalendarHostByName host(&partial);
    QCOMPARE(host.Get_Combo_Calendar_DayType_ComboItems(3), std::string("item 3"));
    QVERIFY(!host.Get_Combo_Calendar_DayType_SelectedItem().has_value());
    QCOMPARE(ErrorOf([&] { host.Set_Text_Calendar_Month("May 2024"); }), int32_t{438});
    QCOMPARE(ErrorOf([&] { host.Draw_ImageList_ListImages(1, 0, 0, 0, 1); }), int32_t{438});

    // The view's own members, by name: both forms of the image member.
    CalendarView view;
    CalendarHostByName view_host(&view);
    view.DayTypeList()->setCurrentIndex(8);
    QCOMPARE(view_host.Get_Combo_Calendar_DayType_SelectedItem_Index(), 9.0);
    QCOMPARE(*view_host.Get_Combo_Calendar_DayType_SelectedItem(), std::string("Special day type 1"));
    QCOMPARE(ErrorOf([&] { view_host.Draw_ImageList_ListImages(1, -1, 0, 0, 1); }), int32_t{0});
    QCOMPARE(ErrorOf([&] { view_host.Draw_ImageList_ListImages(1, -1, 0, 0, std::nullopt); }),
             int32_t{0});
    QVERIFY(!view.StatusLabel()->text().isEmpty());  // no surface has handle -1
  }

  void testRenderToolWritesTheMonthAsPng() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const std::string base = dir.path().toStdString() + "/";
    cCalendar calendar;
    calendar.SetDayType(kMarch2024 + 7, 9);  // Friday 8 March: special 2, inactive: Friday's periods
    calendar.SaveToDisk(base + "calendar.dat");
    QVERIFY(QDir(dir.path()).mkdir("Profiles"));
    DataDirectory() = base;
    cProfile profile;
    profile.m_TimeSchedule = std::make_shared<cTimeSchedule>();
    profile.m_TimeSchedule->Periods(4).push_back(
        std::make_shared<cTimeSchedulePeriod>(cTimeSchedulePeriod{420, 960}));
    profile.m_DiskIdentity = 7;
    QVERIFY(profile.SaveToDisk());
    DataDirectory().clear();

    const auto run = [&](const QStringList& args) {
      QProcess tool;
      tool.start(QUINDO_RECORDS_TOOL, QStringList{"calendar", "render"} + args);
      tool.waitForFinished(60000);
      return tool.exitCode();
    };
    // The rules' shown holidays get the strip; the file's day types stay.
    const QString rules = dir.filePath("rules.json");
    QFile rules_file(rules);
    QVERIFY(rules_file.open(QIODevice::WriteOnly));
    rules_file.write(R"([
      {"Label": "Shown", "DayType": 10, "ViewInCalendar": true, "Rule": "fixed", "Month": 3, "Day": 28},
      {"Label": "Hidden", "DayType": 10, "ViewInCalendar": false, "Rule": "fixed", "Month": 3, "Day": 27}])");
    rules_file.close();
    const QString calendar_file = dir.filePath("calendar.dat");
    const QString png = dir.filePath("march.png");
    QCOMPARE(run({calendar_file, "--month", "2024-03", "--png", png, "--profile", "7", "--data-dir", dir.path(),
                  "--today", "2024-03-10", "--holidays", rules}),
             0);
    const QImage image(png);
    QCOMPARE(image.size(), QSize(320, 180));
    QCOMPARE(image.pixel(284, 62), qRgb(0, 210, 255));
    QCOMPARE(image.pixel(284, 37), qRgb(255, 147, 147));
    // The profile's Friday bar on 1 March and, by the fallback, on 8 March.
    QCOMPARE(image.pixel(210, 39), qRgb(0, 240, 0));
    QCOMPARE(image.pixel(210, 64), qRgb(0, 240, 0));
    QCOMPARE(image.pixel(155, 136), qRgb(255, 150, 150));
    QCOMPARE(image.pixel(155, 137), qRgb(255, 147, 147));  // the 16th line, above the time bar
    QCOMPARE(image.pixel(115, 136), qRgb(255, 255, 255));  // 27 March, not shown

    // Months the calendar does not hold, bad arguments and unreadable rules
    // are usage errors, a missing calendar a failure; none writes the PNG.
    const QString unwritten = dir.filePath("bad.png");
    const std::pair<QStringList, int> failures[] = {
        {{calendar_file, "--month", "2040-01"}, 2},
        {{calendar_file, "--month", "1999-12"}, 2},
        {{calendar_file, "--month", "2024-13"}, 2},
        {{calendar_file, "--month", "2024-03", "--today", "2024-02-30"}, 2},
        {{calendar_file, "--month", "2024-03", "--holidays", calendar_file}, 2},
        {{dir.filePath("missing.dat"), "--month", "2024-03"}, 1},
    };
    for (const auto& [args, status] : failures) {
      QCOMPARE(run(args + QStringList{"--png", unwritten}), status);
      QVERIFY(!QFile::exists(unwritten));
    }
  }
};

QTEST_MAIN(CalendarViewTest)
#include "calendar_view_test.moc"
