#include "tools/editor/answer_panes.h"

#include <algorithm>

#include <QHeaderView>

#include "common/settings.h"
#include "model/agenda/agenda.h"
#include "model/calendar/calendar.h"
#include "model/calendar/day_number.h"
#include "model/check/findings.h"
#include "model/profile/profile.h"

namespace quindo {
namespace {

constexpr int kKeyRole = Qt::UserRole;

QString Text(const std::string& text) { return QString::fromStdString(text); }

QString MinuteText(int32_t minute) {
  return QStringLiteral("%1:%2").arg(minute / 60, 2, 10, QLatin1Char('0')).arg(minute % 60, 2, 10, QLatin1Char('0'));
}

QString Decision(const ProfileState& state) {
  const QString decider = Text(std::string(DeciderName(state.decided_by)));
  return state.day_type ? Text(DayTypeLabel(*state.day_type)) + QStringLiteral(" (") + decider + QLatin1Char(')')
                        : decider;
}

void Setup(QTreeWidget& tree, const QStringList& headers, const QString& name) {
  tree.setColumnCount(static_cast<int>(headers.size()));
  tree.setHeaderLabels(headers);
  tree.setRootIsDecorated(false);
  tree.setUniformRowHeights(true);
  tree.setAccessibleName(name);
  tree.header()->setSectionResizeMode(QHeaderView::ResizeToContents);
}

// Activation (double-click, Enter) of a row that names a profile.
template <typename Pane>
void ChooseOnActivation(Pane* pane) {
  QObject::connect(pane, &QTreeWidget::itemActivated, pane, [pane](QTreeWidgetItem* item) {
    const QVariant key = item->data(0, kKeyRole);
    if (key.isValid()) emit pane->profileChosen(static_cast<int16_t>(key.toInt()));
  });
}

}  // namespace

std::optional<ScheduleTime> ScheduleTimeOf(const QDateTime& local) {
  const QDate date = local.date();
  const std::optional<int32_t> day = CalendarDayOf(date.year(), date.month(), date.day());
  if (!day) return std::nullopt;
  return ScheduleTime{*day, local.time().hour() * 60 + local.time().minute()};
}

AgendaPane::AgendaPane(QWidget* parent) : QTreeWidget(parent) {
  Setup(*this, {tr("Time"), tr("ID"), tr("Name"), tr("State"), tr("Decided by"), tr("Period")}, tr("Agenda"));
  ChooseOnActivation(this);
}

void AgendaPane::Refresh(const std::vector<KeyedProfile>& profiles, const cCalendar* calendar,
                         const QDateTime& from) {
  clear();
  const std::optional<ScheduleTime> start = ScheduleTimeOf(from);
  if (!start) return;
  const ScheduleTime end = std::min(kEndOfCalendar, TimeOfMinutes(MinutesOf(*start) + kHours * 60));
  std::vector<const cProfile*> records;
  std::vector<int16_t> keys;
  for (const KeyedProfile& p : profiles) {
    if (p.profile == nullptr) continue;
    records.push_back(p.profile);
    keys.push_back(p.key);
  }
  QList<QTreeWidgetItem*> items;
  for (const AgendaEntry& e : Agenda(records, calendar, *start, end)) {
    const ProfileState& s = e.state;
    const QString period = s.period ? MinuteText(s.period->m_StartMinute) + QLatin1Char('-') +
                                          MinuteText(s.period->m_StopMinute)
                                    : QString();
    auto* item = new QTreeWidgetItem({Text(FormatScheduleTime(e.time)), QString::number(e.disk_identity),
                                      Text(e.name), s.active ? tr("active") : tr("inactive"), Decision(s), period});
    item->setData(0, kKeyRole, keys[e.profile]);
    items.append(item);
  }
  addTopLevelItems(items);
}

CheckPane::CheckPane(QWidget* parent) : QTreeWidget(parent) {
  Setup(*this, {tr("Finding"), tr("ID"), tr("Message")}, tr("Check"));
  ChooseOnActivation(this);
}

void CheckPane::Refresh(const std::vector<KeyedProfile>& profiles, const std::vector<const cReceiver*>& receivers,
                        const cCalendar* calendar, int32_t year) {
  clear();
  std::vector<const cProfile*> records;
  std::vector<int16_t> keys;
  QList<QTreeWidgetItem*> items;
  for (const KeyedProfile& p : profiles) {
    if (p.profile != nullptr) {
      records.push_back(p.profile);
      keys.push_back(p.key);
      continue;
    }
    auto* item = new QTreeWidgetItem(
        {Text(std::string(FindingKindName(FindingKind::kUnreadableFile))), QString::number(p.key),
         p.unreadable_message.trimmed()});
    item->setData(0, kKeyRole, p.key);
    items.append(item);
  }
  const CheckInput input{.profiles = records,
                         .receivers = receivers,
                         .calendar = calendar,
                         .receiver_types = std::span(ReceiverTypes().data(), NumberOfReceiverTypes()),
                         .year = std::clamp(year, 2000, 2039)};
  for (const Finding& f : CheckRecords(input)) {
    QString message = Text(f.message);
    for (size_t i = 0; i < f.dates.size(); ++i) {
      message += (i == 0 ? QStringLiteral(" (") : QStringLiteral(", ")) + Text(DayNumberText(f.dates[i]));
    }
    if (!f.dates.empty()) message += QLatin1Char(')');
    auto* item = new QTreeWidgetItem({Text(std::string(FindingKindName(f.kind))),
                                      f.disk_identity ? QString::number(*f.disk_identity) : QString(), message});
    item->setToolTip(2, message);
    if (f.profile) item->setData(0, kKeyRole, keys[*f.profile]);
    items.append(item);
  }
  addTopLevelItems(items);
}

}  // namespace quindo
