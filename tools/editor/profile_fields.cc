#include "tools/editor/profile_fields.h"

#include <algorithm>
#include <cstdint>

#include "common/error.h"
#include "common/typed_value.h"
#include "model/profile/profile.h"

namespace quindo {

namespace {

std::string Utf8(const QVariant& value) { return value.toString().toStdString(); }
QString Text(const std::string& text) { return QString::fromStdString(text); }
int16_t Int16(const QVariant& value) { return static_cast<int16_t>(ClampToInt16(value.toInt())); }
// Flags are stored -1/0; anything non-zero counts as set.
int16_t Flag(const QVariant& value) { return value.toInt() != 0 ? -1 : 0; }
// Every profile the editor holds has its schedule; one without is refused.
cTimeSchedule& Schedule(const cProfile& profile) {
  if (profile.m_TimeSchedule == nullptr) throw Error(kObjectRequired);
  return *profile.m_TimeSchedule;
}

// A field stored in a public text or 16-bit member.
#define QUINDO_TEXT_FIELD(member, label, group)                                               \
  ProfileField {                                                                              \
    QStringLiteral(#member).mid(2), QStringLiteral(label), FieldKind::kText, QStringLiteral(group), \
        [](const cProfile& p, int) { return QVariant(Text(p.member)); },                      \
        [](cProfile& p, int, const QVariant& v) { p.member = Utf8(v); }                      \
  }
#define QUINDO_INT_FIELD(kind, convert, member, label, group)                                 \
  ProfileField {                                                                              \
    QStringLiteral(#member).mid(2), QStringLiteral(label), kind, QStringLiteral(group),       \
        [](const cProfile& p, int) { return QVariant(int{p.member}); },                       \
        [](cProfile& p, int, const QVariant& v) { p.member = convert(v); }                    \
  }
#define QUINDO_FLAG_FIELD(member, label, group) \
  QUINDO_INT_FIELD(FieldKind::kFlag, Flag, member, label, group)
#define QUINDO_NUMBER_FIELD(member, label, group) \
  QUINDO_INT_FIELD(FieldKind::kNumber, Int16, member, label, group)

std::vector<ProfileField> MakeFields() {
  std::vector<ProfileField> fields{
      ProfileField{QStringLiteral("Name"), QStringLiteral("Name"), FieldKind::kText, QStringLiteral("General"),
                   [](const cProfile& p, int) { return QVariant(Text(p.GetName())); },
                   [](cProfile& p, int, const QVariant& v) { p.SetName(Utf8(v)); }},
      QUINDO_FLAG_FIELD(m_Enabled, "Enabled", "General"),
      QUINDO_NUMBER_FIELD(m_OffDutyAlarmBehaviour, "Off-duty alarm behaviour", "General"),
      QUINDO_FLAG_FIELD(m_UseTimeSchedule, "Use time schedule", "Time schedule"),
      ProfileField{QStringLiteral("UseCalendar"), QStringLiteral("Use calendar"), FieldKind::kFlag,
                   QStringLiteral("Time schedule"),
                   [](const cProfile& p, int) { return QVariant(int{Schedule(p).m_UseCalendar}); },
                   [](cProfile& p, int, const QVariant& v) { Schedule(p).m_UseCalendar = Flag(v); }, 0, true},
      QUINDO_TEXT_FIELD(m_ParallellReceivers, "Parallel receivers", "Receivers"),
      QUINDO_TEXT_FIELD(m_SequentialReceivers, "Sequential receivers", "Receivers"),
      QUINDO_FLAG_FIELD(m_UseExternalTag, "Use external tag", "External"),
      QUINDO_TEXT_FIELD(m_ExternalTagName, "External tag name", "External"),
      QUINDO_FLAG_FIELD(m_IgnoreExternalTagInOtherProfiles, "Ignore external tag in other profiles", "External"),
      QUINDO_FLAG_FIELD(m_UseExternalFile, "Use external file", "External"),
      QUINDO_TEXT_FIELD(m_ExternalFileName, "External file name", "External"),
      QUINDO_TEXT_FIELD(m_ExternalFileText, "External file text", "External"),
      QUINDO_NUMBER_FIELD(m_TimeSchedule_ViewDayType, "Week chart view day type", "Views"),
      QUINDO_NUMBER_FIELD(m_Calendar_ViewTimeAxis, "Calendar view time axis", "Views"),
  };
  // Which day types the schedule uses: the chart has a row for each, and
  // the calendar's special days count only for active ones.
  std::vector<ProfileField> day_types;
  for (int d = 0; d < cTimeSchedule::kDayTypes; ++d) {
    day_types.push_back({QStringLiteral("DayTypeActive%1").arg(d), QStringLiteral("Day type %1 active").arg(d),
                      FieldKind::kFlag, QStringLiteral("Time schedule"),
                      [](const cProfile& p, int n) { return QVariant(int{Schedule(p).GetActive(static_cast<int16_t>(n))}); },
                      [](cProfile& p, int n, const QVariant& v) { Schedule(p).SetActive(static_cast<int16_t>(n), Flag(v)); },
                      d, true});
  }
  const auto after_calendar = std::find_if(fields.begin(), fields.end(), [](const ProfileField& f) {
    return f.key == QLatin1String("UseCalendar");
  });
  fields.insert(after_calendar + 1, day_types.begin(), day_types.end());
  for (int i = 0; i < cProfile::kStates; ++i) {
    fields.push_back({QStringLiteral("State%1").arg(i), QStringLiteral("State %1").arg(i + 1), FieldKind::kNumber,
                      QStringLiteral("States"),
                      [](const cProfile& p, int n) { return QVariant(int{p.GetState(static_cast<int16_t>(n))}); },
                      [](cProfile& p, int n, const QVariant& v) { p.SetState(static_cast<int16_t>(n), Int16(v)); },
                      i});
  }
  for (int i = 0; i < cProfile::kConditions; ++i) {
    fields.push_back({QStringLiteral("Condition%1").arg(i), QStringLiteral("Condition %1").arg(i + 1),
                      FieldKind::kText, QStringLiteral("Conditions"),
                      [](const cProfile& p, int n) {
                        return QVariant(Text(p.GetCondition(static_cast<int16_t>(n)).ToText()));
                      },
                      [](cProfile& p, int n, const QVariant& v) {
                        p.SetCondition(static_cast<int16_t>(n), TypedValue::Text(Utf8(v)));
                      },
                      i});
  }
  fields.push_back(QUINDO_FLAG_FIELD(m_ScanSpecificSystems, "Scan specific systems", "Systems"));
  for (int i = 0; i < cProfile::kSystems; ++i) {
    fields.push_back({QStringLiteral("System%1").arg(i), QString::number(i), FieldKind::kNumber,
                      QStringLiteral("Systems"),
                      [](const cProfile& p, int n) {
                        return QVariant(int{p.GetSystem(static_cast<int16_t>(n)).ToInt16()});
                      },
                      [](cProfile& p, int n, const QVariant& v) { p.SetSystem(static_cast<int16_t>(n), Int16(v)); },
                      i});
  }
  return fields;
}

}  // namespace

const std::vector<ProfileField>& ProfileFields() {
  static const std::vector<ProfileField> fields = MakeFields();
  return fields;
}

int FindProfileField(const QString& key) {
  const auto& fields = ProfileFields();
  for (size_t i = 0; i < fields.size(); ++i) {
    if (fields[i].key == key) return static_cast<int>(i);
  }
  return -1;
}

int ClampToInt16(int value) { return std::clamp(value, -32768, 32767); }

}  // namespace quindo
