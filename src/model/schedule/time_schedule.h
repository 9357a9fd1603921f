#pragma once
// A weekly time schedule: for each of 23 day types (0..6 Monday..Sunday,
// 7..22 special day types 1..16) an ordered list of periods, an active and a
// grouped flag, and the row the day type is painted at.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/export.h"
#include "model/schedule/time_schedule_period.h"

namespace quindo {

class BinaryFile;
class cCalendar;
class PaintSurface;
class ScheduleHost;

class QUINDO_EXPORT cTimeSchedule {
 public:
  static constexpr int kDayTypes = 23;

  // Class_Initialize: day types 0..6 active, 7..22 inactive; nothing grouped;
  // every list empty; every row 0; nothing selected and nothing copied.
  cTimeSchedule();

  // Public fields.
  int16_t m_NumberOfAxisToPaint = 0;
  int16_t m_UseCalendar = 0;

  // Day type outside 0..22 raises error 9 and changes nothing. Always 0.
  int16_t SetActive(int16_t day_type, int16_t state);
  int16_t GetActive(int16_t day_type) const;

  // Iterates one day type's list by object identity: with no last period the
  // first period, else the one after the period that is the same object as
  // `last`; none past the end, for a period not in the list, or for an
  // inactive day type. Start and stop are set only when a period comes back.
  PeriodRef GetNextTimePeriod(int16_t day_type, int16_t& start_time, int16_t& stop_time,
                              const PeriodRef& last = nullptr) const;

  // Day types 0..4: active, grouped, and one more 07:00-16:00 period each.
  void SetDefaultPeriod();
  // Remembers the selected day type as the clipboard (-1 when none).
  void Copy();
  void notused_ActivateUsedPeriods(const std::shared_ptr<cCalendar>& actual_calendar);

  // The period array text as code-page bytes: per day type active, grouped,
  // count, the start/stop pairs and the row, then m_UseCalendar, each value
  // two bytes big-endian; 186 + 4 x periods bytes. A count above 32767
  // raises error 6.
  std::string ComposePeriodArray() const;
  // Replaces every list, flag and row from a period array text. A text that
  // ends before its counts say raises error 5 and changes nothing.
  void ExtractPeriodArray(const std::string& period_array);

  // The schedule block of a record file: the same values in the same order,
  // each as two bytes little-endian, at the file's current position.
  // ReadFromDisk changes nothing when the block is incomplete (the file's
  // error, 62, goes to the caller).
  void SaveToDisk(BinaryFile& file) const;
  void ReadFromDisk(BinaryFile& file);

  // Painting (time_schedule_paint.cc). The host owns the paint surface; a
  // null surface is "none".
  //
  // Sizes the host's picture and scroll bar for the rows to show, counts the
  // rows, assigns rows to day types and sets the scale factor. The host calls
  // it whenever active day types or m_UseCalendar change, and before the
  // first Paint or mouse event. A null paint_object takes
  // schedule_paint_object (the caller's pointer is updated).
  void RecalculateAndPrepareToPaint(ScheduleHost& parent_container, PaintSurface*& paint_object,
                                    PaintSurface* schedule_paint_object);
  // Draws the grid and every active day type's row, without clearing first
  // (a host clears before a full repaint). A null surface draws nothing.
  void Paint(ScheduleHost& parent_container, PaintSurface* paint_object);

  // Editing on the view (time_schedule_mouse.cc, time_schedule_editing.cc).
  // Button 1 is left, 2 right; x and y are paint-surface units. Each repaints
  // what it changes; a null surface raises error 424 at the first drawing.
  void MouseDown(ScheduleHost& parent_container, PaintSurface* paint_object, int16_t button,
                 int16_t shift, float x, float y);
  void MouseMove(ScheduleHost& parent_container, PaintSurface* paint_object, int16_t button,
                 int16_t shift, float x, float y);
  void MouseUp(ScheduleHost& parent_container, PaintSurface* paint_object, int16_t button,
               int16_t shift, float x, float y);
  // Keyboard editing at a cursor, a row and a minute that the host moves
  // with the keys (time_schedule_keys.cc); a minute outside 0..1440 is taken
  // as the nearer end of the day.
  //
  // Selects the row's day type and the period a left press at the minute
  // would pick, shows its times and the cursor's time, and grabs or draws
  // nothing. False, changing nothing, when the row shows no day type.
  bool SelectAt(ScheduleHost& parent_container, PaintSurface* paint_object, int32_t row, int32_t minute);
  // Adds the period between two minutes (either order) to the row's day
  // type as drawing it with the mouse does: it becomes the selected period,
  // the day is copied to its group, merged and repainted. Equal minutes, or
  // a row without a day type, add nothing.
  void AddPeriodAt(ScheduleHost& parent_container, PaintSurface* paint_object, int32_t row, int32_t from,
                   int32_t to);
  // Reads the host's typed start and stop into the selected period (start
  // after stop is swapped) and shows them back as "hh:mm". Nothing happens
  // without a selected period and day type; a time beyond counting raises
  // error 6 and changes nothing.
  void ExtractTimeFromTextboxes(ScheduleHost& parent_container, PaintSurface* paint_object);
  // The commands below act on the selected day type and do nothing without
  // one, except Group, which raises error 9. Delete removes the selected
  // period if it is that day's, takes the day out of its group and unselects
  // it; SetTimeFrom00to24 makes the day one period 00:00-24:00, ungrouped,
  // and unselects it; InvertTimeSchedule turns the day's free time into its
  // periods; Group toggles the day's membership of the group, a joining day
  // taking the group's periods; Paste gives the day the copied day's present
  // periods and grouped flag. GroupMonFri groups exactly Monday to Friday
  // (with Monday's periods) when the host's menu item is unchecked, and
  // ungroups every day type when it is checked.
  void Delete(ScheduleHost& parent_container, PaintSurface* paint_object);
  void SetTimeFrom00to24(ScheduleHost& parent_container, PaintSurface* paint_object);
  void InvertTimeSchedule(ScheduleHost& parent_container, PaintSurface* paint_object);
  void Group(ScheduleHost& parent_container, PaintSurface* paint_object);
  void GroupMonFri(ScheduleHost& parent_container, PaintSurface* paint_object);
  void Paste(ScheduleHost& parent_container, PaintSurface* paint_object);

  // Direct access to a day type's list, for editing and painting code and
  // tests. Day type outside 0..22 raises error 9.
  const std::vector<PeriodRef>& Periods(int16_t day_type) const;
  std::vector<PeriodRef>& Periods(int16_t day_type);
  int16_t GetGrouped(int16_t day_type) const;
  void SetGrouped(int16_t day_type, int16_t state);
  int16_t GetAxisOfDayType(int16_t day_type) const;
  void SetAxisOfDayType(int16_t day_type, int16_t axis);
  int32_t SelectedDayType() const { return m_SelectedDayType; }
  void SetSelectedDayType(int32_t day_type) { m_SelectedDayType = day_type; }
  int32_t CopiedDayType() const { return m_CopiedDayType; }
  // View and editing state, read by hosts and tests.
  const PeriodRef& SelectedPeriod() const { return m_SelectedPeriod; }
  void SetSelectedPeriod(PeriodRef period) { m_SelectedPeriod = std::move(period); }
  int32_t SelectedStart() const { return m_SelectedStart; }
  int32_t SelectedStop() const { return m_SelectedStop; }
  const PeriodRef& DragPeriod() const { return m_DragPeriod; }
  int32_t DragDayType() const { return m_DragDayType; }
  int32_t DragMinute() const { return m_DragMinute; }
  int16_t DragMode() const { return m_DragMode; }
  int16_t MouseButton() const { return m_MouseButton; }
  float ScaleFactor() const { return m_ScaleFactor; }
  // The active flags of all day types, for the view's row geometry.
  const std::array<int16_t, kDayTypes>& ActiveTable() const { return m_DayTypeActive; }

 private:
  // The serialised values of all day types, shared by both forms.
  struct Tables {
    std::array<int16_t, kDayTypes> active{};
    std::array<int16_t, kDayTypes> grouped{};
    std::array<std::vector<PeriodRef>, kDayTypes> periods;
    std::array<int16_t, kDayTypes> axis{};
    int16_t use_calendar = 0;
  };
  template <typename ReadValue>
  static Tables ReadTables(ReadValue&& read);
  template <typename WriteValue>
  void WriteTables(WriteValue&& write) const;
  void Commit(Tables&& tables);
  static void CheckDayType(int32_t day_type);

  // Draws one day type's row; a day type outside 0..22 raises error 9 after
  // the text height is measured and before anything is drawn.
  void PaintAxis(ScheduleHost& parent_container, PaintSurface* paint_object, int32_t day_type);
  // Editing helpers (time_schedule_editing.cc, time_schedule_mouse.cc).
  // Merges the day's overlapping and touching periods; -1 does nothing.
  void MergePeriods(int32_t day_type);
  // When the day is grouped, gives every other grouped day a copy of its
  // periods and repaints them.
  void CopyToGroup(ScheduleHost& parent_container, PaintSurface* paint_object, int32_t day_type);
  // What a left press at a minute of a day type selects (time_schedule_
  // mouse.cc): no period highlighted on the rows painted before, then the
  // first period whose covered minutes, both ends included, hold the minute.
  void PickPeriod(ScheduleHost& parent_container, PaintSurface* paint_object, int32_t previous_day_type,
                  int32_t day_type, int32_t minute);
  // Shows the selected period's times on the host, or clears them.
  void ShowSelectedTimes(ScheduleHost& parent_container);
  // The hit test: the minute under (x, y), or a negative value off the axis
  // (then row is not set); shows the minute's time on the host.
  int32_t LocateTime(ScheduleHost& parent_container, float x, float y, int32_t& row);

  std::array<int16_t, kDayTypes> m_DayTypeActive{};
  std::array<int16_t, kDayTypes> m_DayTypeGrouped{};
  std::array<std::vector<PeriodRef>, kDayTypes> m_Periods;
  std::array<int16_t, kDayTypes> m_AxisOfDayType{};

  // View and editing state, used by the schedule view; never serialised.
  int32_t m_SelectedDayType = -1;
  int32_t m_CopiedDayType = -1;
  PeriodRef m_SelectedPeriod;
  int32_t m_SelectedStart = 0;
  int32_t m_SelectedStop = 0;
  PeriodRef m_DragPeriod;
  int32_t m_DragDayType = 0;
  int32_t m_DragMinute = 0;
  int16_t m_DragMode = 0;  // 0 none, 1 start edge, 2 stop edge, 3 new period
  int16_t m_MouseButton = 0;
  float m_MouseX = 0;
  float m_MouseY = 0;
  float m_ScaleFactor = 0;
};

}  // namespace quindo
