#include "tools/editor/editor_checks.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "common/code_page.h"
#include "common/error.h"
#include "common/settings.h"
#include "model/profile/profile.h"
#include "model/receiver/receiver.h"
#include "model/schedule/period_cover.h"
#include "model/schedule/time_schedule.h"
#include "model/schedule/time_text.h"
#include "tools/editor/profile_fields.h"

namespace quindo {

namespace {

QString Unstorable(const QString& field, const std::string& text) {
  const std::optional<std::string> character = FirstUnencodableCharacter(text);
  if (!character) return {};
  return QStringLiteral("the field '%1' holds '%2'").arg(field, QString::fromStdString(*character));
}

QString Time(int32_t minute) { return QString::fromStdString(TimeText(minute)); }

bool HasDigit(const QString& text) {
  return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
}

// What one box's text became, or empty when it was taken as typed.
QString BoxNote(const QString& box, const QString& text) {
  const int32_t minute = ParseTimeText(text.toStdString());
  if (!HasDigit(text)) return QStringLiteral("%1 '%2' is no time: read as %3").arg(box, text, Time(minute));
  const double typed = std::round(TypedMinutes(text.toStdString()));
  if (typed > kMinutesPerDay) return QStringLiteral("%1 '%2' is past 24:00: set to %3").arg(box, text, Time(minute));
  if (typed < 0) return QStringLiteral("%1 '%2' is before 00:00: set to %3").arg(box, text, Time(minute));
  return {};
}

}  // namespace

QString ErrorText(const Error& error) {
  return QStringLiteral("Err:%1 %2").arg(error.Number()).arg(QString::fromStdString(error.Description()));
}

QString DayTypeName(int16_t day_type) {
  const std::string& name = DayTypeNames()[day_type];
  return name.empty() ? QStringLiteral("Day type %1").arg(day_type) : QString::fromStdString(name);
}

QString UnstorableProfileText(const cProfile& profile) {
  for (const ProfileField& field : ProfileFields()) {
    if (field.kind != FieldKind::kText) continue;
    QString found = Unstorable(field.label, field.Get(profile).toString().toStdString());
    if (!found.isEmpty()) return found;
  }
  return {};
}

QString UnstorableReceiverText(const cReceiver& receiver) {
  QString found = Unstorable(QStringLiteral("Name"), receiver.m_ReceiverName);
  if (found.isEmpty()) found = Unstorable(QStringLiteral("Backup receiver"), receiver.m_BackupReceiver);
  for (int16_t i = 0; i < cReceiver::kSettings && found.isEmpty(); ++i) {
    const TypedValue setting = receiver.GetSetting(i);
    if (setting.IsText()) found = Unstorable(QStringLiteral("Setting %1").arg(i + 1), setting.ToText());
  }
  return found;
}

std::vector<OddPeriod> FindOddPeriods(const cTimeSchedule& schedule) {
  std::vector<OddPeriod> odd;
  for (int16_t d = 0; d < cTimeSchedule::kDayTypes; ++d) {
    for (const PeriodRef& period : schedule.Periods(d)) {
      if (!IsPlainPeriod(*period)) odd.push_back({d, period});
    }
  }
  return odd;
}

QString DescribeOddPeriod(const OddPeriod& odd) {
  const cTimeSchedulePeriod& p = *odd.period;
  const QString what = p.m_StartMinute >= p.m_StopMinute ? QStringLiteral("starts at or after its stop")
                                                         : QStringLiteral("reaches outside 00:00-24:00");
  const std::optional<MinuteSpan> span = CoveredSpan(p);
  const QString covers = span ? QStringLiteral("covers only %1-%2").arg(Time(span->start), Time(span->stop))
                              : QStringLiteral("covers nothing");
  return QStringLiteral("%1 [%2, %3]: %4, %5")
      .arg(DayTypeName(odd.day_type))
      .arg(p.m_StartMinute)
      .arg(p.m_StopMinute)
      .arg(what, covers);
}

void DropPeriods(cTimeSchedule& schedule, const std::vector<OddPeriod>& periods) {
  for (const OddPeriod& odd : periods) {
    auto& list = schedule.Periods(odd.day_type);
    list.erase(std::remove(list.begin(), list.end(), odd.period), list.end());
  }
}

QString TypedTimeNote(const QString& start, const QString& stop) try {
  QStringList notes;
  for (const QString& note : {BoxNote(QStringLiteral("Start"), start), BoxNote(QStringLiteral("Stop"), stop)}) {
    if (!note.isEmpty()) notes << note;
  }
  const int32_t first = ParseTimeText(start.toStdString());
  const int32_t second = ParseTimeText(stop.toStdString());
  if (first > second) {
    notes << QStringLiteral("start %1 was after stop %2: swapped to %2-%1").arg(Time(first), Time(second));
  }
  return notes.join(QStringLiteral("; "));
} catch (const Error&) {
  return QStringLiteral("a time too large to count: the period was kept as it was");
}

}  // namespace quindo
