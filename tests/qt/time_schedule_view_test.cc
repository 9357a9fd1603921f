// TimeScheduleView driven as a user drives it: mouse drags on the picture,
// the right-button menu and its keys, the keyboard alone with what
// accessibility tools read, the chart stretched to a wide view with its hour
// labels and group marks, typed times, scrolling, an operation
// that fails, painting at the screen's pixel ratio (the suite also runs with
// QT_SCALE_FACTOR=2) and its place in a host's layout.

#include <cmath>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include "common/language.h"
#include "common/shipped_files.h"
#include "common/settings.h"
#include "model/schedule/schedule_geometry.h"
#include "model/schedule/time_schedule.h"
#include "qt/active_profiles_widget.h"
#include "qt/calendar_view.h"
#include "qt/schedule_hour_ruler.h"
#include "qt/time_schedule_view.h"
#include "device_pixels.h"

using namespace quindo;
using namespace quindo::testing;

namespace {

// The picture point of a minute on a row's bar.
QPoint At(int minute, int row) { return QPoint(MinuteToX(minute, 1.0f), BarLineY(row, 6)); }

QString PeriodsOf(const cTimeSchedule& s, int16_t day_type) {
  QStringList periods;
  for (const PeriodRef& p : s.Periods(day_type))
    periods << QStringLiteral("%1-%2").arg(p->m_StartMinute).arg(p->m_StopMinute);
  return periods.join(' ');
}

}  // namespace

class TimeScheduleViewTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TimeScheduleView> view_;
  std::shared_ptr<cTimeSchedule> schedule_;
  QStringList reports_;

  QWidget* Picture() { return view_->Picture(); }

 private slots:
  void init() {
    reports_.clear();
    SetReportErrorHandler([this](const std::string& m) { reports_ << QString::fromStdString(m); });
    schedule_ = std::make_shared<cTimeSchedule>();
    view_ = std::make_unique<TimeScheduleView>();
    view_->SetSchedule(schedule_);
    view_->show();
    QVERIFY(QTest::qWaitForWindowExposed(view_.get()));
  }
  void cleanup() {
    view_.reset();
    SetReportErrorHandler({});
  }

  // The sizes asked for are the model's paint test; here the widgets take them.
  void pictureIsSizedForTheRows() {
    // Labels come from the language file, but a text a host set stays.
    QCOMPARE(DayTypeShortNames()[0], std::string("Mon"));
    DayTypeShortNames()[1] = "Di";
    TimeScheduleView second;
    QCOMPARE(DayTypeShortNames()[1], std::string("Di"));
    DayTypeShortNames()[1] = "Tue";

    // All 23 day types with the calendar: 23 rows, scrolled by quarter rows.
    for (int16_t d = 7; d < 23; ++d) schedule_->SetActive(d, 1);
    schedule_->m_UseCalendar = -1;
    view_->Refresh();
    QCOMPARE(view_->Picture()->height(), 25 * 23 + 4);
    QCOMPARE(view_->ScrollBar()->maximum(), 64);
    view_->ScrollBar()->setValue(8);
    QCOMPARE(view_->Picture()->y(), -50);
    // A refresh puts the picture back at the top, and the scroll bar with it.
    view_->Refresh();
    QCOMPARE(view_->Picture()->y(), 0);
    QCOMPARE(view_->ScrollBar()->value(), 0);
    view_->ScrollBar()->setValue(8);
    // The wheel over the picture scrolls too.
    QWheelEvent wheel(QPointF(100, 50), Picture()->mapToGlobal(QPointF(100, 50)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(Picture(), &wheel);
    QVERIFY(view_->ScrollBar()->value() > 8);
  }

  void paintsAtTheScreensPixelRatioAndADragDrawsAPeriod() {
    const qreal ratio = Picture()->devicePixelRatioF();
    const QImage& image = view_->PictureImage();
    QCOMPARE(image.devicePixelRatio(), ratio);
    QCOMPARE(image.size(), QSize(std::ceil(320 * ratio), std::ceil(179 * ratio)));
    // Lines one device pixel thin are the surface's test (schedule_image_test).
    QCOMPARE(image.pixel(DevicePixel(image, 114), DevicePixel(image, 21)), qRgb(148, 148, 148));
    // Monday's label is drawn at the device's resolution, not stretched.
    if (ratio == 2) QVERIFY(HasDevicePixelDetail(image, QRect(0, 4, 28, 15)));

    QSignalSpy changed(view_.get(), &TimeScheduleView::scheduleChanged);
    QTest::mousePress(Picture(), Qt::LeftButton, {}, At(480, 0));
    QTest::mouseMove(Picture(), At(600, 0));
    QTest::mouseMove(Picture(), At(720, 0));
    QCOMPARE(view_->TimeLabel()->text(), QStringLiteral("12:00"));
    QCOMPARE(view_->StartField()->text(), QStringLiteral("08:00"));
    QCOMPARE(view_->StopField()->text(), QStringLiteral("12:00"));
    QTest::mouseRelease(Picture(), Qt::LeftButton, {}, At(720, 0));
    QCOMPARE(PeriodsOf(*schedule_, 0), QStringLiteral("480-720"));
    QVERIFY(changed.count() >= 1);
    // The bar is in the picture, darker as it is the selected period.
    QCOMPARE(UnitPixel(image, MinuteToX(600, 1.0f), BarLineY(0, 0)), qRgb(0, 176, 0));
  }

  // Only a right press on a row opens the menu: one off the rows would act
  // on the row selected before.
  void rightButtonMenuOpensOnARowAndRunsTheOperations() {
    schedule_->Periods(0).push_back(std::make_shared<cTimeSchedulePeriod>(cTimeSchedulePeriod{420, 960}));
    view_->Refresh();
    QTest::mouseClick(Picture(), Qt::LeftButton, {}, At(600, 0));
    for (const QPoint off : {QPoint(10, 56), QPoint(200, 2), QPoint(319, 30)}) {
      QTest::mousePress(Picture(), Qt::RightButton, {}, off);  // a label, above the bars, past 24:00
      QTest::mouseRelease(Picture(), Qt::RightButton, {}, off);
      QVERIFY(!view_->PopupMenu()->isVisible());
    }
    QSignalSpy changed(view_.get(), &TimeScheduleView::scheduleChanged);
    QTest::mousePress(Picture(), Qt::RightButton, {}, At(100, 0));
    QTest::mouseRelease(Picture(), Qt::RightButton, {}, At(100, 0));
    QVERIFY(view_->PopupMenu()->isVisible());
    view_->PopupMenu()->hide();

    view_->InvertAction()->trigger();
    QCOMPARE(PeriodsOf(*schedule_, 0), QStringLiteral("0-420 960-1440"));
    QCOMPARE(changed.count(), 1);
    view_->CopyAction()->trigger();

    // Tuesday: paste Monday, then whole day, then grouped Monday-Friday.
    QTest::mouseClick(Picture(), Qt::RightButton, {}, At(100, 1));
    view_->PopupMenu()->hide();
    QVERIFY(view_->PasteAction()->isEnabled());
    view_->PasteAction()->trigger();
    QCOMPARE(PeriodsOf(*schedule_, 1), QStringLiteral("0-420 960-1440"));
    view_->WholeDayAction()->trigger();
    QCOMPARE(PeriodsOf(*schedule_, 1), QStringLiteral("0-1440"));

    QTest::mouseClick(Picture(), Qt::RightButton, {}, At(100, 0));
    view_->PopupMenu()->hide();
    QVERIFY(!view_->GroupedMonFriAction()->isChecked());
    view_->GroupedMonFriAction()->trigger();
    QCOMPARE(PeriodsOf(*schedule_, 4), QStringLiteral("0-420 960-1440"));
    // The click must not flip the check mark itself; the next right click
    // shows the grouping as it now is.
    QVERIFY(!view_->GroupedMonFriAction()->isChecked());
    QTest::mouseClick(Picture(), Qt::RightButton, {}, At(100, 2));
    view_->PopupMenu()->hide();
    QVERIFY(view_->GroupedMonFriAction()->isChecked());
    QVERIFY(view_->GroupedAction()->isChecked());
    view_->DeleteAction()->trigger();  // Wednesday leaves the group
    QCOMPARE(schedule_->GetGrouped(2), int16_t{0});
    QVERIFY(reports_.isEmpty());
  }

  void keysCopyAndPasteWhateverTheMenuLastShowed() {
    schedule_->Periods(0).push_back(std::make_shared<cTimeSchedulePeriod>(cTimeSchedulePeriod{420, 960}));
    view_->Refresh();
    view_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(view_.get()));
    // A right click while nothing is copied shows Paste disabled ...
    QTest::mouseClick(Picture(), Qt::RightButton, {}, At(100, 0));
    QVERIFY(!view_->PasteAction()->isEnabled());
    view_->PopupMenu()->hide();
    // ... which must not keep Ctrl+V from pasting what Ctrl+C copies later.
    QTest::mouseClick(Picture(), Qt::LeftButton, {}, At(600, 0));
    QTest::keyClick(Picture(), Qt::Key_C, Qt::ControlModifier);
    QTest::mouseClick(Picture(), Qt::LeftButton, {}, At(600, 1));
    QTest::keyClick(Picture(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(PeriodsOf(*schedule_, 1), QStringLiteral("420-960"));
  }

  void viewsKeepTheirMinimumWidthBesideTheControl() {
    QWidget form;
    auto* layout = new QHBoxLayout(&form);
    auto* control = new ActiveProfilesWidget(&form);
    auto* chart = new TimeScheduleView(&form);
    auto* month = new CalendarView(&form);
    layout->addWidget(control);
    layout->addWidget(chart);
    layout->addWidget(month);
    form.resize(300, 200);  // narrower than the views together
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    for (QWidget* view : {static_cast<QWidget*>(control), static_cast<QWidget*>(chart), static_cast<QWidget*>(month)}) {
      QVERIFY(view->width() >= view->minimumSizeHint().width());
      QVERIFY(view->height() >= view->minimumSizeHint().height());
    }
    // Room for the content: the control's label, the chart's frame with the
    // picture and its scroll bar, the month's dates.
    QVERIFY(control->minimumSizeHint().width() >= control->Label_Connection()->width());
    QVERIFY(chart->minimumSizeHint().width() >= TimeScheduleView::kFrameWidth);
    QVERIFY(month->minimumSizeHint().width() >= month->PaintArea()->width());
  }

  void keyboardAloneDrawsCopiesAndRemovesPeriodsAndNamesThem() {
    view_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(view_.get()));
    // Tab reaches the chart: it stands before the time fields.
    view_->StartField()->setFocus();
    QTest::keyClick(view_->StartField(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), Picture());
    QAccessibleInterface* chart = QAccessible::queryAccessibleInterface(Picture());
    QCOMPARE(chart->role(), QAccessible::Chart);
    QCOMPARE(chart->text(QAccessible::Name), QStringLiteral("Week chart, Monday 00:00: no periods"));

    // Tuesday 08:00 to 10:30, by the hour and by five minutes.
    QTest::keyClick(Picture(), Qt::Key_Down);
    for (int i = 0; i < 8; ++i) QTest::keyClick(Picture(), Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(Picture(), Qt::Key_Return);
    QVERIFY(chart->text(QAccessible::Name).endsWith(QStringLiteral("period from 08:00 started")));
    for (int i = 0; i < 30; ++i) QTest::keyClick(Picture(), Qt::Key_Right);
    QTest::keyClick(Picture(), Qt::Key_Space);
    QCOMPARE(PeriodsOf(*schedule_, 1), QStringLiteral("480-630"));
    QCOMPARE(chart->text(QAccessible::Name), QStringLiteral("Week chart, Tuesday 10:30: 08:00-10:30"));
    // The cursor shows while the chart has the focus.
    const QPointF cursor = view_->PicturePoint(QPointF(MinuteToX(630, 1.0f), BarLineY(1, 7)));
    QCOMPARE(UnitPixel(Picture()->grab().toImage(), cursor.x(), cursor.y()), qRgb(0, 90, 220));

    // Copy Tuesday, paste it on Wednesday, invert it, and delete the
    // period at the cursor.
    QTest::keyClick(Picture(), Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(Picture(), Qt::Key_Down);
    QTest::keyClick(Picture(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(PeriodsOf(*schedule_, 2), QStringLiteral("480-630"));
    QTest::keyClick(Picture(), Qt::Key_I, Qt::ControlModifier);
    QCOMPARE(PeriodsOf(*schedule_, 2), QStringLiteral("0-480 630-1440"));
    QTest::keyClick(Picture(), Qt::Key_End);
    QTest::keyClick(Picture(), Qt::Key_Delete);
    QCOMPARE(PeriodsOf(*schedule_, 2), QStringLiteral("0-480"));
    // Escape drops a started period; Home goes to 00:00.
    QTest::keyClick(Picture(), Qt::Key_Home);
    QTest::keyClick(Picture(), Qt::Key_Return);
    QTest::keyClick(Picture(), Qt::Key_Escape);
    QTest::keyClick(Picture(), Qt::Key_Right);
    QTest::keyClick(Picture(), Qt::Key_Return);
    QCOMPARE(PeriodsOf(*schedule_, 2), QStringLiteral("0-480"));
    QCOMPARE(chart->text(QAccessible::Name),
             QStringLiteral("Week chart, Wednesday 00:05: 00:00-08:00, period from 00:05 started"));
    QVERIFY(reports_.isEmpty());
    // A schedule set anew drops the started period.
    view_->SetSchedule(schedule_);
    QVERIFY(!chart->text(QAccessible::Name).contains(QStringLiteral("started")));

    QTest::keyClick(Picture(), Qt::Key_Tab);
    QVERIFY(!Picture()->hasFocus());
    QVERIFY(UnitPixel(Picture()->grab().toImage(), cursor.x(), cursor.y()) != qRgb(0, 90, 220));
  }

  void chartFillsItsWidthWithHourLabelsAndMarksGroupedRows() {
    QCOMPARE(view_->AxisStretch(), 1.0);
    QCOMPARE(view_->Ruler()->HourStep(), 2);
    schedule_->SetGrouped(1, -1);
    view_->resize(920, view_->height());
    // The picture fills the width; the schedule still sees 320 units, of
    // which the 290 right of the labels are stretched to 870 pixels.
    QCOMPARE(view_->Picture()->width(), 900);
    QCOMPARE(view_->ScrollBar()->x(), 900);
    QCOMPARE(view_->AxisStretch(), 3.0);
    QCOMPARE(view_->Ruler()->HourStep(), 1);
    QCOMPARE(view_->Ruler()->HourX(24), 30 + 288 * view_->AxisStretch());
    // A drag lands on the minutes under the pointer, and the bar is drawn there.
    const auto at = [this](int minute) {
      return view_->PicturePoint(QPointF(MinuteToX(minute, 1.0f), BarLineY(0, 6))).toPoint();
    };
    QTest::mousePress(Picture(), Qt::LeftButton, {}, at(720));
    QTest::mouseMove(Picture(), at(780));
    QTest::mouseMove(Picture(), at(840));
    QTest::mouseRelease(Picture(), Qt::LeftButton, {}, at(840));
    QCOMPARE(PeriodsOf(*schedule_, 0), QStringLiteral("720-840"));
    const QImage image = Picture()->grab().toImage();
    QCOMPARE(UnitPixel(image, at(780).x(), BarLineY(0, 0)), qRgb(0, 176, 0));
    QCOMPARE(UnitPixel(image, at(700).x(), BarLineY(0, 0)), qRgb(220, 220, 220));
    // The grouped row's mark is plain to see at its top right.
    const double end = view_->PicturePoint(QPointF(318, 0)).x();
    QCOMPARE(UnitPixel(image, end - 2, BarLineY(1, 1)), qRgb(32, 64, 160));
    QVERIFY(UnitPixel(image, end - 2, BarLineY(0, 1)) != qRgb(32, 64, 160));
  }

  void failingOperationIsReportedNotThrown() {
    // Grouped with no row selected: error 9 from the schedule.
    view_->GroupedAction()->trigger();
    QVERIFY(view_->StatusLabel()->text().contains(QStringLiteral("Err:9")));
    QCOMPARE(reports_.size(), 1);
    QVERIFY(reports_[0].startsWith(QStringLiteral("Group: Err:9")));
    // A hover keeps the message; the next operation clears it.
    QTest::mouseMove(Picture(), At(90, 0));
    QVERIFY(view_->StatusLabel()->text().contains(QStringLiteral("Err:9")));
    QTest::mouseClick(Picture(), Qt::LeftButton, {}, At(60, 0));
    QVERIFY(view_->StatusLabel()->text().isEmpty());
  }

  void dayTypeNamesFollowTheOption() {
    DayTypeNames()[0] = "Monday";
    const QImage plain = view_->PictureImage().copy();
    view_->ViewDayTypesOption()->setChecked(true);
    QVERIFY(view_->PictureImage() != plain);  // the name is printed over the row
    DayTypeNames()[0].clear();
  }
};

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  LoadLanguageFile(FindShippedLanguageFile().value());
  TimeScheduleViewTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "time_schedule_view_test.moc"
