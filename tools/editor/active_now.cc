#include "tools/editor/active_now.h"

#include "common/error.h"
#include "model/profile/profile.h"
#include "model/schedule/schedule_answers.h"
#include "tools/editor/editor_checks.h"

namespace quindo {

namespace {

const QDate kFirstDay(2000, 1, 1);

QString TimeText(ScheduleTime time) {
  const QDate date = kFirstDay.addDays(time.day_number);
  return date.toString(Qt::ISODate) +
         QStringLiteral(" %1:%2").arg(time.minute / 60, 2, 10, QLatin1Char('0')).arg(time.minute % 60, 2, 10, QLatin1Char('0'));
}

QString MinuteText(int minute) {
  return QStringLiteral("%1:%2").arg(minute / 60, 2, 10, QLatin1Char('0')).arg(minute % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace

QString ActiveAtText(const cProfile& profile, const cCalendar* calendar, const QDateTime& at) {
  const QString name = QString::fromStdString(profile.GetName());
  if (profile.m_TimeSchedule == nullptr) return QStringLiteral("'%1' has no schedule").arg(name);
  const ScheduleTime time{static_cast<int32_t>(kFirstDay.daysTo(at.date())),
                          at.time().hour() * 60 + at.time().minute()};
  // The weekday by the language file's name, as the chart's rows are named.
  const QString when = DayTypeName(static_cast<int16_t>(at.date().dayOfWeek() - 1)) + QLatin1Char(' ') +
                       at.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
  try {
    const ScheduleAnswer answer = AnswerAt(*profile.m_TimeSchedule, calendar, time);
    QString text = QStringLiteral("'%1' at %2: %3 (day type %4 %5, decided by the %6")
                       .arg(name, when, answer.active ? QStringLiteral("active") : QStringLiteral("not active"))
                       .arg(answer.day_type)
                       .arg(DayTypeName(answer.day_type))
                       .arg(answer.decided_by == DecidedBy::kCalendar ? QStringLiteral("calendar")
                                                                      : QStringLiteral("weekday"));
    if (answer.period) {
      text += QStringLiteral(", period %1-%2").arg(MinuteText(answer.period->m_StartMinute),
                                                   MinuteText(answer.period->m_StopMinute));
    }
    text += QLatin1Char(')');
    const auto next = NextChangeAfter(*profile.m_TimeSchedule, calendar, time);
    text += next ? QStringLiteral("; next change %1").arg(TimeText(*next)) : QStringLiteral("; no change before 2040");
    if (profile.m_UseTimeSchedule == 0) text += QStringLiteral("; the profile does not use its schedule");
    return text;
  } catch (const Error& e) {
    return QStringLiteral("'%1' at %2: no answer (%3)").arg(name, when, QString::fromStdString(e.Description()));
  }
}

}  // namespace quindo
