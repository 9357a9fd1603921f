#include "qt/time_schedule_view.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <tuple>

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>

#include "common/error.h"
#include "common/language.h"
#include "model/schedule/schedule_geometry.h"
#include "model/schedule/time_schedule.h"
#include "qt/day_type_names.h"
#include "qt/qpainter_surface.h"
#include "qt/schedule_hour_ruler.h"
#include "qt/schedule_picture.h"

namespace quindo {

namespace {

// Layout below the frame, in pixels.
constexpr int kFieldTop = TimeScheduleView::kRulerHeight + TimeScheduleView::kFrameHeight + 6;
constexpr int kRowGap = 26;
constexpr int kFieldHeight = 22;
// The picture's width in units, whatever the view's width.
constexpr int kPictureUnits = TimeScheduleView::kFrameWidth - TimeScheduleView::kScrollBarWidth;
constexpr int kStatusLeft = 104;

// The platform's mouse numbers: 1 left, 2 right, 4 middle; shift 1, ctrl 2, alt 4.
int16_t ButtonNumber(Qt::MouseButtons buttons) {
  return static_cast<int16_t>((buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
                              (buttons & Qt::MiddleButton ? 4 : 0));
}
int16_t ShiftNumber(Qt::KeyboardModifiers modifiers) {
  return static_cast<int16_t>((modifiers & Qt::ShiftModifier ? 1 : 0) |
                              (modifiers & Qt::ControlModifier ? 2 : 0) |
                              (modifiers & Qt::AltModifier ? 4 : 0));
}

}  // namespace

TimeScheduleView::TimeScheduleView(QWidget* parent)
    : QWidget(parent),
      ruler_(new HourRuler(this)),
      frame_(new QFrame(this)),
      picture_(new SchedulePicture(this, frame_)),
      scroll_(new QScrollBar(Qt::Vertical, frame_)),
      start_(new QLineEdit(this)),
      stop_(new QLineEdit(this)),
      time_(new QLabel(this)),
      view_day_types_(new QCheckBox(tr("Day types"), this)),
      status_(new QLabel(this)),
      menu_(new QMenu(this)) {
  FillDayTypeNamesFromLanguage();
  surface_ = std::make_unique<QPainterSurface>(&image_);
  surface_->SetPointerHandlers(
      [this](int16_t shape) {
        if (shape == kPointerSizeWestEast) {
          picture_->setCursor(Qt::SizeHorCursor);
        } else {
          picture_->unsetCursor();
        }
      },
      [this](const std::string& text) { picture_->setToolTip(QString::fromStdString(text)); });
  surface_->SetXMap([this](double unit) { return PixelX(unit); });

  frame_->setFrameShape(QFrame::NoFrame);
  frame_->setGeometry(0, kRulerHeight, kFrameWidth, kFrameHeight);
  picture_->setGeometry(0, 0, kPictureUnits, kFrameHeight);
  scroll_->setGeometry(kPictureUnits, 0, kScrollBarWidth, kFrameHeight);
  scroll_->setRange(0, 0);
  ruler_->setGeometry(0, 0, kFrameWidth, kRulerHeight);

  auto* start_label = new QLabel(tr("Start"), this);
  auto* stop_label = new QLabel(tr("Stop"), this);
  start_label->setGeometry(0, kFieldTop, 34, kFieldHeight);
  start_->setGeometry(34, kFieldTop, 60, kFieldHeight);
  stop_label->setGeometry(104, kFieldTop, 34, kFieldHeight);
  stop_->setGeometry(138, kFieldTop, 60, kFieldHeight);
  time_->setGeometry(208, kFieldTop, 60, kFieldHeight);
  view_day_types_->setGeometry(0, kFieldTop + kRowGap, 100, kFieldHeight);
  status_->setGeometry(kStatusLeft, kFieldTop + kRowGap, kFrameWidth - kStatusLeft, kFieldHeight);
  // The pieces stand at fixed heights: the view grows only in width, where
  // the time axis takes what it is given.
  setMinimumSize(sizeHint());
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

  BuildMenu();
  connect(scroll_, &QScrollBar::valueChanged, this, [this](int value) {
    picture_->move(picture_->x(), -static_cast<int>(std::lround(value * kUnitsPerScrollStep)));
  });
  connect(view_day_types_, &QCheckBox::toggled, this, [this] { Repaint(); });
  const auto typed = [this] {
    Run("ExtractTimeFromTextboxes", [this] { schedule_->ExtractTimeFromTextboxes(*this, paint_object_); });
  };
  connect(start_, &QLineEdit::editingFinished, this, typed);
  connect(stop_, &QLineEdit::editingFinished, this, typed);
}

TimeScheduleView::~TimeScheduleView() {
  // Closing moves the focus, which finishes the editing of a time field;
  // the schedule must not be edited by a view that is half gone.
  for (QObject* child : {static_cast<QObject*>(start_), static_cast<QObject*>(stop_),
                         static_cast<QObject*>(scroll_), static_cast<QObject*>(view_day_types_)}) {
    child->disconnect(this);
  }
}

void TimeScheduleView::BuildMenu() {
  using Operation = void (cTimeSchedule::*)(ScheduleHost&, PaintSurface*);
  const auto operation = [this](const char* name, Operation member) {
    return [this, name, member] { Run(name, [&] { (schedule_.get()->*member)(*this, paint_object_); }); };
  };
  const auto add = [this](QWidget* owner, const QString& text, const std::function<void()>& run) {
    auto* action = new QAction(text, owner);
    owner->addAction(action);
    connect(action, &QAction::triggered, this, run);
    return action;
  };
  const auto copy = [this] { Run("Copy", [this] { schedule_->Copy(); }); };
  delete_ = add(menu_, tr("Delete"), operation("Delete", &cTimeSchedule::Delete));
  copy_ = add(menu_, tr("Copy"), copy);
  paste_ = add(menu_, tr("Paste"), operation("Paste", &cTimeSchedule::Paste));
  menu_->addSeparator();
  grouped_ = add(menu_, tr("Grouped"), operation("Group", &cTimeSchedule::Group));
  grouped_mon_fri_ =
      add(menu_, tr("Grouped Monday–Friday"), operation("GroupMonFri", &cTimeSchedule::GroupMonFri));
  menu_->addSeparator();
  invert_ = add(menu_, tr("Invert"), operation("InvertTimeSchedule", &cTimeSchedule::InvertTimeSchedule));
  whole_day_ = add(menu_, tr("00–24"), operation("SetTimeFrom00to24", &cTimeSchedule::SetTimeFrom00to24));
  // The keyboard reaches Delete, Copy and Paste while the chart has the
  // focus (a time field keeps its own), through actions of the chart that
  // stay enabled: the menu items' enabled state is what the last right click
  // found and must not decide what a key does later. With nothing selected
  // or copied the operation itself does nothing. The menu items show the
  // same keys, which work while the menu is open.
  // A key acts at the keyboard cursor, which a press also moves.
  const auto at_cursor = [this](std::function<void()> run) {
    return [this, run = std::move(run)] {
      SelectAtCursor();
      run();
    };
  };
  const std::tuple<QAction*, std::function<void()>, QKeySequence> keyed[] = {
      {delete_, operation("Delete", &cTimeSchedule::Delete), QKeySequence(QKeySequence::Delete)},
      {copy_, copy, QKeySequence(QKeySequence::Copy)},
      {paste_, operation("Paste", &cTimeSchedule::Paste), QKeySequence(QKeySequence::Paste)},
      {invert_, operation("InvertTimeSchedule", &cTimeSchedule::InvertTimeSchedule),
       QKeySequence(Qt::CTRL | Qt::Key_I)}};
  for (const auto& [item, run, key] : keyed) {
    QAction* action = add(picture_, item->text(), at_cursor(run));
    action->setShortcut(key);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    item->setShortcut(key);
    item->setShortcutContext(Qt::WidgetShortcut);
  }
  // The check marks show what the right click found (MouseDown sets them);
  // a click on an item must not flip them before the operation reads them.
  for (QAction* action : {grouped_, grouped_mon_fri_}) {
    action->setCheckable(true);
    connect(action, &QAction::toggled, this, [action](bool checked) {
      const QSignalBlocker block(action);
      action->setChecked(!checked);
    });
  }
}

void TimeScheduleView::SetSchedule(std::shared_ptr<cTimeSchedule> schedule) {
  schedule_ = std::move(schedule);
  period_start_.reset();
  Refresh();
  cursor_row_ = std::clamp(cursor_row_, 0, std::max(0, RowsWithDayTypes() - 1));
  CursorChanged();
}

void TimeScheduleView::Refresh() {
  if (!schedule_) return;
  try {
    schedule_->RecalculateAndPrepareToPaint(*this, paint_object_, surface_.get());
  } catch (const std::exception& e) {
    Report("RecalculateAndPrepareToPaint", e.what());
  }
  Repaint();
}

QWidget* TimeScheduleView::Picture() const { return picture_; }

QSize TimeScheduleView::sizeHint() const { return {kFrameWidth, kFieldTop + 2 * kRowGap}; }

QSize TimeScheduleView::minimumSizeHint() const { return sizeHint(); }

double TimeScheduleView::PixelX(double unit) const { return StretchedX(unit, stretch_); }
double TimeScheduleView::UnitX(double pixel) const { return UnstretchedX(pixel, stretch_); }

QPointF TimeScheduleView::PicturePoint(const QPointF& units) const { return {PixelX(units.x()), units.y()}; }
QPointF TimeScheduleView::ChartPoint(const QPointF& picture) const {
  return {UnitX(picture.x()), picture.y()};
}

void TimeScheduleView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayOut();
}

void TimeScheduleView::LayOut() {
  const int width = std::max(this->width(), kFrameWidth);
  ruler_->setGeometry(0, 0, width, kRulerHeight);
  frame_->setGeometry(0, kRulerHeight, width, kFrameHeight);
  status_->setGeometry(kStatusLeft, kFieldTop + kRowGap, width - kStatusLeft, kFieldHeight);
  const double stretch = AxisStretchFor(width - kScrollBarWidth, kPictureUnits);
  if (stretch == stretch_) return;
  stretch_ = stretch;
  ruler_->SetStretch(stretch);
  if (!schedule_) {
    scroll_->move(width - kScrollBarWidth, 0);
    picture_->resize(width - kScrollBarWidth, picture_->height());
    return;
  }
  // The rows stay scrolled where they were.
  const int scrolled = scroll_->value();
  Refresh();
  scroll_->setValue(scrolled);
}

void TimeScheduleView::ResizeImage() {
  surface_->End();
  // The picture is painted at the screen's pixel ratio, in the same pixels.
  const QSize units(std::max(0, picture_width_), std::max(0, picture_height_));
  const qreal ratio = picture_->devicePixelRatioF();
  image_ = QImage(QSize(static_cast<int>(std::ceil(units.width() * ratio)),
                        static_cast<int>(std::ceil(units.height() * ratio))),
                  QImage::Format_RGB32);
  image_.setDevicePixelRatio(ratio);
  image_.fill(Qt::white);
  picture_->resize(units);
}

void TimeScheduleView::Repaint() {
  if (!schedule_) return;
  surface_->End();
  image_.fill(Qt::white);
  Run("Paint", [this] { schedule_->Paint(*this, paint_object_); }, true);
}

void TimeScheduleView::Run(const char* operation, const std::function<void()>& action, bool keep_status) {
  if (!schedule_) return;
  try {
    const std::string before = schedule_->ComposePeriodArray();
    if (!keep_status) status_->clear();
    action();
    surface_->End();
    picture_->update();
    if (schedule_->ComposePeriodArray() != before) emit scheduleChanged();
  } catch (const Error& e) {
    Report(operation, "Err:" + std::to_string(e.Number()) + " " + e.Description());
  } catch (const std::exception& e) {
    Report(operation, e.what());
  }
  surface_->End();
  picture_->update();
}

void TimeScheduleView::Report(const char* operation, const std::string& what) {
  std::string message = std::string(operation) + ": " + what;
  status_->setText(QString::fromStdString(message));
  try {
    ReportError(message);
  } catch (...) {
    // A failing error destination must not take the event loop down.
  }
}

void TimeScheduleView::PictureMouse(QMouseEvent* event) {
  if (!schedule_) return;
  const QPointF at = ChartPoint(event->position());
  const auto x = static_cast<float>(at.x());
  const auto y = static_cast<float>(at.y());
  const int16_t shift = ShiftNumber(event->modifiers());
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      const int16_t button = ButtonNumber(event->button());
      menu_prepared_ = false;
      // The keyboard goes on from where the press lands on a day's row.
      if (schedule_->ScaleFactor() != 0) {
        const AxisPoint point = LocatePoint(x, y, schedule_->m_NumberOfAxisToPaint, schedule_->ScaleFactor());
        if (point.minute >= 0 && DayTypeAtRow(schedule_->ActiveTable(), point.row) >= 0) {
          cursor_row_ = point.row;
          cursor_minute_ = point.minute;
          period_start_.reset();
          CursorChanged();
        }
      }
      Run("MouseDown", [&] { schedule_->MouseDown(*this, paint_object_, button, shift, x, y); });
      // The menu is only for a row the press selected: a right press on the
      // labels or off the rows prepares no menu, and a menu shown then would
      // act on the row selected before.
      if (button == 2 && menu_prepared_) menu_->popup(event->globalPosition().toPoint());
      break;
    }
    case QEvent::MouseMove: {
      const int16_t buttons = ButtonNumber(event->buttons());
      Run(
          "MouseMove", [&] { schedule_->MouseMove(*this, paint_object_, buttons, shift, x, y); },
          buttons == 0);
      break;
    }
    case QEvent::MouseButtonRelease:
      Run("MouseUp",
          [&] { schedule_->MouseUp(*this, paint_object_, ButtonNumber(event->button()), shift, x, y); });
      break;
    default:
      break;
  }
}

}  // namespace quindo
