#include "qt/time_schedule_view.h"

#include <cmath>
#include <exception>
#include <tuple>

#include <QAction>
#include <QCoreApplication>
#include <QCheckBox>
#include <QFrame>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include "common/error.h"
#include "common/language.h"
#include "model/schedule/time_schedule.h"
#include "qt/day_type_images.h"
#include "qt/day_type_names.h"
#include "qt/qpainter_surface.h"

namespace quindo {

// The picture box: shows the painted image and passes the mouse to the view.
class SchedulePicture : public QWidget {
 public:
  SchedulePicture(TimeScheduleView* view, QWidget* parent) : QWidget(parent), view_(view) {
    setMouseTracking(true);  // the pointer's time follows it without a button
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    // Moved to a screen of another pixel ratio: paint the chart again there.
    if (view_->image_.devicePixelRatio() != devicePixelRatioF()) {
      view_->ResizeImage();
      view_->Repaint();
    }
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.drawImage(0, 0, view_->image_);
  }
  void mousePressEvent(QMouseEvent* event) override { view_->PictureMouse(event); }
  void mouseMoveEvent(QMouseEvent* event) override { view_->PictureMouse(event); }
  void mouseReleaseEvent(QMouseEvent* event) override { view_->PictureMouse(event); }
  // The wheel over the chart scrolls its rows.
  void wheelEvent(QWheelEvent* event) override { QCoreApplication::sendEvent(view_->scroll_, event); }

 private:
  TimeScheduleView* view_;
};

namespace {

// Layout below the frame, in pixels.
constexpr int kFieldTop = TimeScheduleView::kFrameHeight + 6;
constexpr int kRowGap = 26;
constexpr int kFieldHeight = 22;
// One scroll step moves the picture a quarter of a row.
constexpr double kUnitsPerScrollStep = 25.0 / 4;

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

  frame_->setFrameShape(QFrame::NoFrame);
  frame_->setGeometry(0, 0, kFrameWidth, kFrameHeight);
  picture_->setGeometry(0, 0, kFrameWidth - kScrollBarWidth, kFrameHeight);
  scroll_->setGeometry(kFrameWidth - kScrollBarWidth, 0, kScrollBarWidth, kFrameHeight);
  scroll_->setRange(0, 0);

  auto* start_label = new QLabel(tr("Start"), this);
  auto* stop_label = new QLabel(tr("Stop"), this);
  start_label->setGeometry(0, kFieldTop, 34, kFieldHeight);
  start_->setGeometry(34, kFieldTop, 60, kFieldHeight);
  stop_label->setGeometry(104, kFieldTop, 34, kFieldHeight);
  stop_->setGeometry(138, kFieldTop, 60, kFieldHeight);
  time_->setGeometry(208, kFieldTop, 60, kFieldHeight);
  view_day_types_->setGeometry(0, kFieldTop + kRowGap, 100, kFieldHeight);
  status_->setGeometry(104, kFieldTop + kRowGap, kFrameWidth - 104, kFieldHeight);
  // The pieces stand at fixed places: the view needs that size and has no
  // use for more, so layouts give it exactly that.
  setMinimumSize(sizeHint());
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

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
  const std::tuple<QAction*, std::function<void()>, QKeySequence::StandardKey> keyed[] = {
      {delete_, operation("Delete", &cTimeSchedule::Delete), QKeySequence::Delete},
      {copy_, copy, QKeySequence::Copy},
      {paste_, operation("Paste", &cTimeSchedule::Paste), QKeySequence::Paste}};
  for (const auto& [item, run, key] : keyed) {
    QAction* action = add(picture_, item->text(), run);
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
  Refresh();
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

void TimeScheduleView::ResizeImage() {
  surface_->End();
  // The picture is painted at the screen's pixel ratio, in the same units.
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
  const auto x = static_cast<float>(event->position().x());
  const auto y = static_cast<float>(event->position().y());
  const int16_t shift = ShiftNumber(event->modifiers());
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      const int16_t button = ButtonNumber(event->button());
      menu_prepared_ = false;
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

// The host contract.

void TimeScheduleView::Set_Text_Schedule_Period_Start(const std::string& text) {
  start_->setText(QString::fromStdString(text));
}
void TimeScheduleView::Set_Text_Schedule_Period_Stop(const std::string& text) {
  stop_->setText(QString::fromStdString(text));
}
std::string TimeScheduleView::Get_Text_Schedule_Period_Start() { return start_->text().toStdString(); }
std::string TimeScheduleView::Get_Text_Schedule_Period_Stop() { return stop_->text().toStdString(); }
void TimeScheduleView::Set_Text_Schedule_Time(const std::string& text) {
  time_->setText(QString::fromStdString(text));
}

// MouseDown sets all four menu states when a right press selected a row.
void TimeScheduleView::Set_Menu_TimeSchedulePopup_Grouped_MonFri_Checked(int16_t checked) {
  menu_prepared_ = true;
  const QSignalBlocker block(grouped_mon_fri_);
  grouped_mon_fri_->setChecked(checked != 0);
}
bool TimeScheduleView::Get_Menu_TimeSchedulePopup_Grouped_MonFri_Checked() {
  return grouped_mon_fri_->isChecked();
}
void TimeScheduleView::Set_Menu_TimeSchedulePopup_Grouped_Checked(int16_t checked) {
  const QSignalBlocker block(grouped_);
  grouped_->setChecked(checked != 0);
}
void TimeScheduleView::Set_Menu_TimeSchedulePopup_Paste_Enabled(bool enabled) { paste_->setEnabled(enabled); }
void TimeScheduleView::Set_Menu_TimeSchedulePopup_Delete_Enabled(bool enabled) {
  delete_->setEnabled(enabled);
}
bool TimeScheduleView::Get_Check_TimeSchedule_ViewDayType() { return view_day_types_->isChecked(); }

double TimeScheduleView::Get_ImageList_ImageWidth() { return kDayTypeImageSize; }
double TimeScheduleView::Get_ImageList_ImageHeight() { return kDayTypeImageSize; }
void TimeScheduleView::Draw_ImageList_ListImages(int32_t index, int32_t device_context, double x, int32_t y,
                                                 std::optional<int16_t>) {
  DrawDayTypeImage(index, device_context, x, y);
}

double TimeScheduleView::Get_Picture_TimeSchedule_Frame_ScaleWidth() {
  return frame_->contentsRect().width();
}
double TimeScheduleView::Get_Picture_TimeSchedule_Frame_ScaleHeight() {
  return frame_->contentsRect().height();
}
double TimeScheduleView::Get_VScroll_Schedule_Width() { return scroll_->width(); }
double TimeScheduleView::Get_VScroll_Schedule_Left() { return scroll_->x(); }
void TimeScheduleView::Set_VScroll_Schedule_Left(double left) {
  scroll_->move(static_cast<int>(std::lround(left)), scroll_->y());
}
void TimeScheduleView::Set_VScroll_Schedule_Top(int16_t top) { scroll_->move(scroll_->x(), top); }
void TimeScheduleView::Set_VScroll_Schedule_Height(double height) {
  scroll_->resize(scroll_->width(), std::max(0, static_cast<int>(std::lround(height))));
}
// Fewer than seven rows give a negative maximum: nothing to scroll.
void TimeScheduleView::Set_VScroll_Schedule_Max(int16_t max) { scroll_->setRange(0, std::max<int>(0, max)); }
void TimeScheduleView::Set_Picture_TimeSchedule_Left(int16_t left) { picture_->move(left, picture_->y()); }
void TimeScheduleView::Set_Picture_TimeSchedule_Top(int16_t top) {
  picture_->move(picture_->x(), top);
  // The scroll bar shows where the picture now stands.
  const QSignalBlocker quiet(scroll_);
  scroll_->setValue(static_cast<int>(std::lround(-top / kUnitsPerScrollStep)));
}
void TimeScheduleView::Set_Picture_TimeSchedule_Width(double width) {
  picture_width_ = static_cast<int>(std::lround(width));
  ResizeImage();
}
void TimeScheduleView::Set_Picture_TimeSchedule_Height(int32_t height) {
  picture_height_ = height;
  ResizeImage();
}

}  // namespace quindo
