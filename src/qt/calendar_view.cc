#include "qt/calendar_view.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "common/dates.h"
#include "common/error.h"
#include "common/language.h"
#include "common/settings.h"
#include "model/calendar/calendar.h"
#include "model/calendar/day_number.h"
#include "qt/calendar_host_by_name.h"
#include "qt/calendar_image.h"
#include "qt/day_type_images.h"
#include "qt/day_type_names.h"
#include "qt/qpainter_surface.h"
#include "qt/view_accessibility.h"

namespace quindo {

namespace {

// The list item of calendar day type 0, the date's own weekday.
constexpr int kOwnWeekdayText = 619;

// The platform's button numbers: 1 left, 2 right, 4 middle.
int16_t ButtonNumber(Qt::MouseButtons buttons) {
  return static_cast<int16_t>((buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
                              (buttons & Qt::MiddleButton ? 4 : 0));
}

int MonthIndex(int year, int month) { return year * 12 + month - 1; }
const int kFirstMonthIndex = MonthIndex(kFirstCalendarYear, 1);
const int kLastMonthIndex = MonthIndex(kLastCalendarYear, 12);

}  // namespace

// Shows the view's image and forwards the mouse, in units, and the keys.
class CalendarPaintArea : public QWidget, public AccessibleViewPart {
 public:
  explicit CalendarPaintArea(CalendarView* view) : QWidget(view), view_(view) {
    InstallViewAccessibility();
    setFixedSize(CalendarImageSize());
    setMouseTracking(true);  // the tooltip follows the pointer without a button
    setFocusPolicy(Qt::StrongFocus);
  }

  QAccessible::Role AccessibleRole() const override { return QAccessible::Canvas; }
  QString AccessibleName() const override { return view_->CursorText(); }
  QString AccessibleHelp() const override {
    return CalendarView::tr(
        "Arrow keys move the cursor by a day or a week, Page Up and Page Down by a month; Enter or Space "
        "paints the date with the selected day type; Delete gives it back its own weekday.");
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    // Moved to a screen of another pixel ratio: paint the month again there.
    if (view_->image_.devicePixelRatio() != devicePixelRatioF()) view_->Refresh();
    // Only the rows the month fills: the grid ends at the last one's lines.
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const qreal ratio = view_->image_.devicePixelRatio();
    const QRectF shown(0, 0, width(), CellTop(view_->ShownRows()) + calendar_layout::kBoxInset);
    painter.drawImage(shown, view_->image_, QRectF(shown.topLeft() * ratio, shown.size() * ratio));
    if (hasFocus()) view_->PaintCursor(painter);
  }
  void mousePressEvent(QMouseEvent* event) override { Forward(event, event->button()); }
  void mouseMoveEvent(QMouseEvent* event) override { Forward(event, event->buttons()); }
  void mouseReleaseEvent(QMouseEvent* event) override { Forward(event, event->button()); }
  void keyPressEvent(QKeyEvent* event) override {
    if (!view_->AreaKey(event)) QWidget::keyPressEvent(event);
  }
  void focusInEvent(QFocusEvent* event) override {
    QWidget::focusInEvent(event);
    view_->CursorChanged();
  }
  void focusOutEvent(QFocusEvent* event) override {
    QWidget::focusOutEvent(event);
    update();
  }

 private:
  void Forward(QMouseEvent* event, Qt::MouseButtons buttons) {
    view_->PaintAreaMouse(event->type(), ButtonNumber(buttons), static_cast<float>(event->position().x()),
                          static_cast<float>(event->position().y()));
  }
  CalendarView* view_;
};

CalendarView::CalendarView(QWidget* parent)
    : QWidget(parent),
      calendar_(std::make_shared<cCalendar>()),
      locale_(CalendarLocale::FromProcess()),
      host_(std::make_unique<CalendarHostByName>(this)),
      day_types_(new QComboBox(this)),
      caption_(new QLabel(this)),
      previous_(new QPushButton(QStringLiteral("<"), this)),
      next_(new QPushButton(QStringLiteral(">"), this)),
      year_(new QSpinBox(this)),
      area_(new CalendarPaintArea(this)),
      status_(new QLabel(this)) {
  surface_ = std::make_unique<QPainterSurface>(&image_);
  surface_->SetBackColor(Rgb{255, 255, 255});
  surface_->SetPointerHandlers(nullptr, [this](const std::string& text) {
    area_->setToolTip(QString::fromStdString(text));
  });

  year_->setRange(kFirstCalendarYear, kLastCalendarYear);
  previous_->setFixedWidth(32);
  next_->setFixedWidth(32);
  caption_->setAlignment(Qt::AlignCenter);
  status_->setWordWrap(true);
  FillDayTypeList();

  auto* navigation = new QHBoxLayout;
  navigation->addWidget(previous_);
  navigation->addWidget(caption_, 1);
  navigation->addWidget(next_);
  navigation->addWidget(year_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(day_types_);
  layout->addLayout(navigation);
  layout->addWidget(area_);
  layout->addWidget(status_);
  layout->addStretch(1);

  connect(previous_, &QPushButton::clicked, this, [this] { ShowMonth(ShownYear(), ShownMonth() - 1); });
  connect(next_, &QPushButton::clicked, this, [this] { ShowMonth(ShownYear(), ShownMonth() + 1); });
  connect(year_, &QSpinBox::valueChanged, this, [this](int year) {
    if (year != ShownYear()) ShowMonth(year, ShownMonth());
  });

  const QDate now = QDate::currentDate();
  cursor_day_ = CalendarDayOf(now.year(), now.month(), now.day()).value_or(0);
  if (!ShowMonth(now.year(), now.month())) ShowMonth(kFirstCalendarYear, 1);
}

CalendarView::~CalendarView() = default;

QWidget* CalendarView::PaintArea() const { return area_; }

void CalendarView::FillDayTypeList() {
  FillDayTypeNamesFromLanguage();
  day_types_->addItem(QString::fromStdString(GetLanguageText(kOwnWeekdayText)));
  for (const std::string& name : DayTypeNames()) day_types_->addItem(QString::fromStdString(name));
  day_types_->setPlaceholderText(tr("Day type to paint"));
  day_types_->setCurrentIndex(-1);  // nothing is painted until the user chooses
}

void CalendarView::SetCalendar(std::shared_ptr<cCalendar> calendar) {
  auto next = calendar ? std::move(calendar) : std::make_shared<cCalendar>();
  next->m_SelectedYear = calendar_->m_SelectedYear;
  next->m_SelectedMonth = calendar_->m_SelectedMonth;
  next->m_AssociatedTimeSchedule = calendar_->m_AssociatedTimeSchedule;
  next->m_ShowTimeAxis = calendar_->m_ShowTimeAxis;
  calendar_ = std::move(next);
  Refresh();
}

void CalendarView::SetSchedule(std::shared_ptr<cTimeSchedule> schedule) {
  calendar_->m_ShowTimeAxis = schedule ? -1 : 0;
  calendar_->m_AssociatedTimeSchedule = std::move(schedule);
  Refresh();
}

void CalendarView::SetToday(const QDate& today) {
  today_ = today.isValid() ? std::optional<QDate>(today) : std::nullopt;
  // The cursor starts on today, as it does on the clock's today.
  if (today_) cursor_day_ = CalendarDayOf(today.year(), today.month(), today.day()).value_or(cursor_day_);
  KeepCursorIn(ComputeShownMonth(ShownYear(), ShownMonth()));
  Refresh();
}

void CalendarView::SetCalendarLocale(const CalendarLocale& locale) {
  locale_ = locale;
  Refresh();
}

bool CalendarView::ShowMonth(int year, int month) {
  const int index = MonthIndex(year, month);
  if (index < kFirstMonthIndex || index > kLastMonthIndex) return false;
  calendar_->m_SelectedYear = index / 12;
  calendar_->m_SelectedMonth = index % 12 + 1;
  KeepCursorIn(ComputeShownMonth(ShownYear(), ShownMonth()));
  Refresh();
  return true;
}

int CalendarView::ShownYear() const { return calendar_->m_SelectedYear; }
int CalendarView::ShownMonth() const { return calendar_->m_SelectedMonth; }

void CalendarView::UpdateNavigation() {
  const int index = MonthIndex(ShownYear(), ShownMonth());
  previous_->setEnabled(index > kFirstMonthIndex);
  next_->setEnabled(index < kLastMonthIndex);
  const QSignalBlocker quiet(year_);
  year_->setValue(ShownYear());
}

void CalendarView::Refresh() {
  UpdateNavigation();
  Run("Paint", [this] {
    const double today =
        today_ ? static_cast<double>(DaysFromCivil(today_->year(), today_->month(), today_->day())) : Now();
    surface_->End();
    // The month is painted at the screen's pixel ratio, in the same units.
    const qreal ratio = area_->devicePixelRatioF();
    if (image_.isNull() || image_.devicePixelRatio() != ratio) {
      image_ = QImage(CalendarImageSize() * ratio, QImage::Format_RGB32);
      image_.setDevicePixelRatio(ratio);
    }
    image_.fill(Qt::white);
    calendar_->RecalculateAndPrepareToPaint(today);
    calendar_->Paint(*host_, surface_.get(), locale_);
  });
  // A month of fewer weeks leaves no empty row below it.
  area_->setFixedHeight(CalendarImageSize().height() - (calendar_layout::kRows - ShownRows()) *
                                                            calendar_layout::kCellHeight);
  CursorChanged();
}

bool CalendarView::LoadHolidayRules(const std::vector<HolidayRule>& rules) {
  bool loaded = false;
  Run("LoadHolidayRules", [&] {
    quindo::LoadHolidayLabels(rules);
    loaded = true;
  });
  if (loaded) Refresh();
  return loaded;
}

bool CalendarView::ApplyHolidayRules(const std::vector<HolidayRule>& rules) {
  bool applied = false;
  Run("ApplyHolidayRules", [&] {
    quindo::ApplyHolidayRules(rules, *calendar_);
    applied = true;
  });
  if (!applied) return false;
  Refresh();
  emit calendarChanged();
  return true;
}

void CalendarView::PaintAreaMouse(QEvent::Type type, int16_t button, float x, float y) {
  bool changed = false;
  // The keyboard goes on from the date a press lands on.
  const int16_t pressed = DayIndexAt(x, y, calendar_->m_FirstWeekDayInActualMonth, calendar_->m_DaysInActualMonth);
  if (type == QEvent::MouseButtonPress && pressed >= 0) {
    cursor_day_ = calendar_->m_ActualMonthOffset + pressed;
    CursorChanged();
  }
  switch (type) {
    case QEvent::MouseButtonPress:
      Run("MouseDown", [&] { changed = calendar_->MouseDown(*host_, surface_.get(), button, 0, x, y); });
      break;
    case QEvent::MouseMove:
      Run("MouseMove", [&] { changed = calendar_->MouseMove(*host_, surface_.get(), button, 0, x, y); });
      break;
    case QEvent::MouseButtonRelease:
      calendar_->MouseUp(button, 0, x, y);
      break;
    default:
      break;
  }
  if (changed) emit calendarChanged();
}

void CalendarView::Run(const char* operation, const std::function<void()>& action) {
  try {
    status_->clear();
    action();
  } catch (const Error& e) {
    Report(operation, "Err:" + std::to_string(e.Number()) + " " + e.Description());
  } catch (const std::exception& e) {
    Report(operation, e.what());
  }
  surface_->End();
  area_->update();
}

void CalendarView::Report(const char* operation, const std::string& what) {
  std::string message = std::string(operation) + ": " + what;
  status_->setText(QString::fromStdString(message));
  try {
    ReportError(message);
  } catch (...) {
    // A failing error destination must not take the event loop down.
  }
}

QVariant CalendarView::Get_Combo_Calendar_DayType_SelectedItem() {
  if (day_types_->currentIndex() < 0) return {};
  return day_types_->currentText();
}

int CalendarView::Get_Combo_Calendar_DayType_SelectedItem_Index() { return day_types_->currentIndex() + 1; }

QString CalendarView::Get_Combo_Calendar_DayType_ComboItems(int index) {
  return day_types_->itemText(index - 1);  // empty past the list's end
}

void CalendarView::Set_Text_Calendar_Month(const QString& text) { caption_->setText(text); }

void CalendarView::Draw_ImageList_ListImages(int index, int device_context, double x, int y) {
  // A member called by name must not throw: an image that cannot be drawn
  // is left out and reported.
  try {
    DrawMonthDayTypeImage(index, device_context, x, y);
  } catch (const Error& e) {
    Report("Draw_ImageList_ListImages", "Err:" + std::to_string(e.Number()) + " " + e.Description());
  }
}

void CalendarView::Draw_ImageList_ListImages(int index, int device_context, double x, int y, int) {
  Draw_ImageList_ListImages(index, device_context, x, y);
}

}  // namespace quindo
